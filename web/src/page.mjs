// The page: the program's dialog in a terminal, byte for byte, and beside it
// the plot of the last solved exercise. The terminal edits a line the way a
// console does (echo, backspace, RETURN sends it; Ctrl-D at the start of a
// line ends the input) and hands whole lines to the program.

import { Terminal } from '@xterm/xterm';
import { startRun } from './run.mjs';

const encoder = new TextEncoder();
const terminal = new Terminal({ cols: 80, rows: 36, convertEol: true, scrollback: 5000, cursorBlink: true,
  fontFamily: '"DejaVu Sans Mono", monospace', fontSize: 14, lineHeight: 1.15 });
terminal.open(document.getElementById('terminal'));
terminal.focus();

const plot = document.getElementById('plot');
const ending = document.getElementById('ending');
const endingText = document.getElementById('ending-text');
const newRunButton = document.getElementById('new-run');
const placeholder = plot.innerHTML;

// The terminal's text, line by line, trailing blanks dropped.
function screen() {
  const buffer = terminal.buffer.active;
  const lines = [];
  for (let y = 0; y < buffer.length; y++) lines.push(buffer.getLine(y).translateToString(true));
  return lines;
}

// What the tests read: the run's raw output streams, its ending, and when the
// first prompt stood on the screen (ms after navigation).
const record = { stdout: [], stderr: [], ending: null, firstPromptMs: null, pictures: 0, screen };
window.echoTrack = record;

// The compiled module, fetched once and instantiated anew for every run.
const compiled = WebAssembly.compileStreaming(fetch('echo-track.wasm'));

let run = null;
let line = '';

function showEnding(how) {
  record.ending = how;
  endingText.textContent = how === 'stop'
    ? 'The run has stopped (exit status 0).'
    : 'The run ended with a run-time error report (abnormal end).';
  ending.hidden = false;
  newRunButton.focus();
}

function start() {
  record.stdout = [];
  record.stderr = [];
  record.ending = null;
  line = '';
  ending.hidden = true;
  terminal.reset();
  plot.innerHTML = placeholder;
  run = startRun(window.createEchoTrack, {
    output(stream, bytes) {
      (stream === 1 ? record.stdout : record.stderr).push(...bytes);
      terminal.write(bytes, () => {
        if (record.firstPromptMs === null && stream === 1) {
          requestAnimationFrame(() => { if (record.firstPromptMs === null) record.firstPromptMs = performance.now(); });
        }
      });
    },
    picture(svg) {
      plot.innerHTML = svg.replace(/^<\?xml[^>]*>\s*/, '');
      record.pictures++;
    },
    ended(how) {
      // Shown once the terminal has written everything before it.
      terminal.write('', () => showEnding(how));
      run = null;
    },
  }, {
    instantiateWasm(imports, receive) {
      compiled.then((module) => WebAssembly.instantiate(module, imports)).then((instance) => receive(instance));
      return {};
    },
  });
}

terminal.onData((data) => {
  if (run === null) return;
  for (const ch of data) {
    if (ch === '\r' || ch === '\n') {
      terminal.write('\r\n');
      run.type(encoder.encode(line + '\n'));
      line = '';
    } else if (ch === '\x7f' || ch === '\b') {
      if (line.length > 0) {
        line = line.slice(0, -1);
        terminal.write('\b \b');
      }
    } else if (ch === '\x04') {
      // End of input at the start of a line; otherwise the line goes as it is.
      if (line.length === 0) run.endInput();
      else run.type(encoder.encode(line));
      line = '';
    } else if (ch >= ' ' && ch !== '\x7f') {
      line += ch;
      terminal.write(ch);
    }
  }
});

newRunButton.addEventListener('click', () => {
  start();
  terminal.focus();
});

start();
