// The dialog view: the program's dialog byte for byte, in a terminal on wide
// screens, and on narrow ones as a column: the dialog so far in a box of its
// own, the question with its default, one answer field and a RETURN button.
// Both ways of typing hand whole lines to the same run. The terminal edits a
// line as a console does (echo, backspace, RETURN sends it; Ctrl-D at the
// start of a line ends the input, Ctrl-C interrupts the run; arrow keys and
// other keys that send escape sequences do nothing). An answer that the
// dialog would read otherwise than it looks is held with a warning until
// RETURN is pressed again. The answers of the run in progress are kept in the
// tab's session storage, so that a reload can offer to restore them. Beside
// the dialog: the plot of the last solved exercise; for print, the last
// report as text and its plot.

import { Terminal } from '@xterm/xterm';
import { judgeAnswer } from './answers.mjs';
import { startRun } from './run.mjs';
import { announce, copyText } from './shell.mjs';
import { showPicture } from './plot.mjs';
import { lastReport, questionOf } from './transcript.mjs';

const kStore = 'echo-track.answers';
const encoder = new TextEncoder();
const latin1 = new TextDecoder('latin1');
const escapeSequence = /\x1b(\[[0-?]*[ -/]*[@-~]|O[@-~]|[@-_])?/g;
const endings = {
  stop: 'The run has stopped (exit status 0).',
  'error-report': 'The run ended with a run-time error report (abnormal end).',
  interrupt: 'The run was interrupted: "Interrupt", exit status 1, as at a console.',
};

const byId = (id) => document.getElementById(id);

export function dialogView(compiled) {
  const narrow = matchMedia('screen and (max-width: 699px)');
  const plot = byId('plot');
  const placeholder = plot.innerHTML;
  const log = byId('log');
  const answer = byId('answer');
  const warning = byId('warning');
  const copied = byId('copied');
  let terminal = null;

  // The state of the run shown, and what the tests read: the run's raw output
  // streams, its ending, and when the first prompt stood on the screen (ms
  // after navigation).
  const record = { stdout: [], stderr: [], ending: null, firstPromptMs: null, pictures: 0, waiting: false, screen };
  window.echoTrack = record;
  let run = null;
  let line = '';          // the line being typed in the terminal
  let shown = '';         // standard output as text
  let sinceAnswer = '';   // all output since the last line was sent
  let report = '';        // the last report
  let held = null;        // the line held back by a warning
  let answers = [];       // the lines sent in this run
  let replay = [];        // lines to send again, one at each wait
  let saved = readSaved();

  // The terminal's text, line by line, trailing blanks dropped.
  function screen() {
    const buffer = terminal.buffer.active;
    const lines = [];
    for (let y = 0; y < buffer.length; y++) lines.push(buffer.getLine(y).translateToString(true));
    return lines;
  }

  function readSaved() {
    try {
      const lines = JSON.parse(sessionStorage.getItem(kStore) || '[]');
      return Array.isArray(lines) && lines.every((l) => typeof l === 'string') ? lines : [];
    } catch {
      return [];
    }
  }

  function store() {
    try {
      if (answers.length > 0) sessionStorage.setItem(kStore, JSON.stringify(answers));
      else if (saved.length === 0) sessionStorage.removeItem(kStore);
    } catch {
      // storage refused (a private window, or from disk): nothing is kept
    }
  }

  // Shown as the console shows it: in the terminal and in the narrow log.
  function show(text, terminalToo = true) {
    if (terminalToo) terminal.write(text);
    log.append(text);
    if (narrow.matches) log.scrollTop = log.scrollHeight;
  }

  // The warning, with a button that sends what was likely meant instead.
  function setWarning(text, instead = null) {
    byId('warning-text').textContent = text;
    warning.hidden = text === '';
    const button = byId('warning-instead');
    button.hidden = instead === null;
    if (instead !== null) {
      button.textContent = `Send \u201c${instead}\u201d instead`;
      button.onclick = () => {
        if (line.length > 0) terminal.write('\b \b'.repeat(line.length));
        line = '';
        answer.value = '';
        send(instead, false);
        focusInput();
      };
    }
  }

  function showQuestion() {
    const q = questionOf(sinceAnswer);
    byId('question').textContent = q.question;
    byId('question-default').textContent = q.default === null ? '' : `Default: ${q.default}`;
  }

  function showReport() {
    const now = lastReport(shown);
    if (now === report) return;
    report = now;
    byId('print-report').textContent = report;
    announce(`Report. ${report}`);
  }

  function showEnding(how) {
    record.ending = how;
    byId('ending-text').textContent = endings[how];
    byId('ending').hidden = false;
    byId('interrupt').disabled = true;
    byId('return').disabled = true;
    answer.disabled = true;
    setWarning('');
    announce(endings[how]);
    byId('new-run').focus();
  }

  function send(text, echoed) {
    if (saved.length > 0 && replay.length === 0) dropSaved();
    setWarning('');
    held = null;
    if (!echoed) terminal.write(text);
    terminal.write('\r\n');
    show(`${text}\n`, false);
    sinceAnswer = '';
    record.waiting = false;
    answers.push(text);
    run.type(encoder.encode(`${text}\n`));
  }

  // RETURN with `text`: sent, or held back once with a warning; true when sent.
  function submit(text, echoed) {
    if (run === null) return false;
    const q = questionOf(sinceAnswer);
    const judged = q.number ? judgeAnswer(text, q.question) : null;
    if (judged !== null && held !== text) {
      held = text;
      setWarning(`${judged.text}. Press RETURN again to send it as it is, or change it.`, judged.instead ?? null);
      return false;
    }
    send(text, echoed);
    return true;
  }

  function edited() {
    if (held !== null) {
      held = null;
      setWarning('');
    }
  }

  function interrupt() {
    if (run === null) return;
    show('^C');  // as a terminal echoes it
    line = '';
    answer.value = '';
    run.interrupt();
  }

  function typed(data) {
    if (run === null) return;
    for (const ch of data.replace(escapeSequence, '')) {
      if (ch === '\r' || ch === '\n') {
        if (!submit(line, true)) return;  // the rest of a pasted text goes with the held line
        line = '';
      } else if (ch === '\x7f' || ch === '\b') {
        if (line.length > 0) {
          line = line.slice(0, -1);
          terminal.write('\b \b');
          edited();
        }
      } else if (ch === '\x03') {
        interrupt();
        return;
      } else if (ch === '\x04') {
        // End of input at the start of a line; otherwise the line goes as it is.
        if (line.length === 0) run.endInput();
        else run.type(encoder.encode(line));
        line = '';
      } else if (ch >= ' ') {
        line += ch;
        terminal.write(ch);
        edited();
      }
    }
  }

  function waiting() {
    record.waiting = true;
    if (replay.length > 0) {
      send(replay.shift(), false);
      if (replay.length === 0) saved = [];
      return;
    }
    showQuestion();
    showReport();
    store();
  }

  function start() {
    Object.assign(record, { stdout: [], stderr: [], ending: null, waiting: false });
    line = '';
    shown = '';
    sinceAnswer = '';
    report = '';
    held = null;
    answers = [];
    byId('print-report').textContent = '';
    byId('ending').hidden = true;
    byId('interrupt').disabled = false;
    byId('return').disabled = false;
    answer.disabled = false;
    answer.value = '';
    setWarning('');
    log.textContent = '';
    terminal.reset();
    showPicture(plot, null, placeholder);
    run = startRun(window.createEchoTrack, {
      output(stream, bytes) {
        (stream === 1 ? record.stdout : record.stderr).push(...bytes);
        const text = latin1.decode(bytes);
        if (stream === 1) shown += text;
        sinceAnswer += text;
        terminal.write(bytes, () => {
          if (record.firstPromptMs === null && stream === 1) {
            requestAnimationFrame(() => {
              if (record.firstPromptMs !== null) return;
              record.firstPromptMs = performance.now();
              // The screen reader's copy of the rows is built once the first prompt is on the screen.
              terminal.options.screenReaderMode = true;
            });
          }
        });
        show(text, false);
      },
      picture(svg) {
        showPicture(plot, svg.replace(/^<\?xml[^>]*>\s*/, ''), placeholder);
        record.pictures++;
      },
      waiting,
      ended(how) {
        run = null;
        answers = [];
        store();
        showReport();
        // Shown once the terminal has written everything before it.
        terminal.write('', () => showEnding(how));
      },
    }, {
      instantiateWasm(imports, receive) {
        compiled.then((module) => WebAssembly.instantiate(module, imports)).then((instance) => receive(instance));
        return {};
      },
    });
  }

  function dropSaved() {
    saved = [];
    byId('restore').hidden = true;
  }

  function offerRestore() {
    if (saved.length === 0) return;
    byId('restore-text').textContent = `This tab's last run was left in progress with ${saved.length} answer` +
      `${saved.length === 1 ? '' : 's'} typed. Restore them, to go on where it was?`;
    byId('restore').hidden = false;
    announce(byId('restore-text').textContent);
    byId('restore-yes').addEventListener('click', () => {
      replay = [...saved];
      byId('restore').hidden = true;
      if (record.waiting && run !== null && answers.length === 0) send(replay.shift(), false);
      focusInput();
    });
    byId('restore-no').addEventListener('click', () => {
      dropSaved();
      store();
      focusInput();
    });
  }

  function focusInput() {
    if (narrow.matches) answer.focus();
    else terminal.focus();
  }

  function open() {
    const still = matchMedia('(prefers-reduced-motion: reduce)').matches;
    terminal = new Terminal({ cols: 80, rows: 36, convertEol: true, scrollback: 5000, cursorBlink: !still,
      fontFamily: '"DejaVu Sans Mono", monospace', fontSize: 14, lineHeight: 1.15 });
    terminal.open(byId('terminal'));
    terminal.textarea.setAttribute('aria-describedby', 'keys');
    terminal.attachCustomKeyEventHandler((e) => {
      if (e.key === 'Tab') return false;  // leaves the terminal, as on the rest of the page
      if (e.ctrlKey && e.shiftKey && e.code === 'KeyC') {
        if (e.type === 'keydown') {
          e.preventDefault();
          const selected = terminal.getSelection();
          if (selected === '') copied.textContent = 'Select text first, or use "Copy the last report".';
          else copyText(selected).then((ok) => { copied.textContent = ok ? 'Copied.' : 'The browser refused to copy.'; });
        }
        return false;
      }
      return true;
    });
    terminal.onData(typed);
    byId('answer-form').addEventListener('submit', (e) => {
      e.preventDefault();
      if (submit(answer.value, false)) answer.value = '';
      answer.focus();  // (a tap on the button took it: the keyboard stays up for the next answer)
    });
    answer.addEventListener('input', () => { if (held !== answer.value) edited(); });
    byId('interrupt').addEventListener('click', () => {
      interrupt();
    });
    byId('copy-report').addEventListener('click', async () => {
      if (report === '') copied.textContent = 'No report yet.';
      else copied.textContent = (await copyText(report)) ? 'Copied the last report.' : 'The browser refused to copy.';
    });
    byId('new-run').addEventListener('click', () => {
      start();
      focusInput();
    });
    narrow.addEventListener('change', () => {
      if (narrow.matches) {
        log.scrollTop = log.scrollHeight;
      } else {
        // A terminal opened while hidden measures its cells again when shown.
        terminal.options.lineHeight = terminal.options.lineHeight === 1.15 ? 1.1501 : 1.15;
      }
    });
    start();
    offerRestore();
    compiled.catch(() => {
      // Opened from disk, the page cannot fetch its module: it says what to open instead.
      byId('ending-text').textContent = location.protocol === 'file:'
        ? 'Opened from disk, this page cannot load the program (echo-track.wasm). Open the single file ' +
          'echo-track.html instead (scripts/web --single-file writes it), or serve this folder (scripts/web).'
        : 'The program (echo-track.wasm) could not be loaded. Reload the page.';
      byId('ending').hidden = false;
      for (const id of ['new-run', 'terminal', 'keys', 'narrow']) byId(id).hidden = true;
      document.querySelector('#console .controls').hidden = true;
    });
    if (!narrow.matches) terminal.focus();
  }

  return {
    name: 'dialog',
    title: 'The dialog',
    enter() {
      if (terminal === null) open();
    },
  };
}
