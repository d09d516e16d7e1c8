// The page in headless Chromium (Debian's, driven by playwright-core; no
// browser is downloaded), each part in a fresh profile, beside the native
// program:
// - desktop, by keyboard: the default exercise typed key by key (arrow keys
//   among them) gives the native screen; the plot, its title and description,
//   the report in the accessibility tree and in the live region, the inks'
//   contrast, copying, Tab out of the terminal, print on one A4 page; a held
//   warning; an unreadable answer, Ctrl-C, a reload that restores the answers,
//   a reload without network, and what makes the page installable;
// - the single file opened from disk;
// - a phone (390x844, touch): no sideways panning, the default exercise through
//   the answer field and the RETURN button, no text below 11 CSS px;
// - the page's weight and its time to the first prompt beside a bare page.
//
//   node browser.mjs <site> <bare page folder> <echo-track> <single file> [screenshot.png [phone.png]]

import { spawn, spawnSync } from 'node:child_process';
import { readdirSync, readFileSync } from 'node:fs';
import path from 'node:path';
import { gzipSync } from 'node:zlib';
import { serve } from '../serve.mjs';
import { check, checkInks, failed, inkReport, launch } from './chromium.mjs';

const [site, bare, native, singleFile, screenshot, phoneShot] = process.argv.slice(2);
const kMaxGzipBytes = 300 * 1024;
const kMaxStartRatio = 1.5;
const kTimingRuns = 7;
// A round that misses is measured again, up to this many in all: a busy
// machine can slow one round, not every one.
const kTimingRounds = 3;
// The default exercise, then RETURN at the pause, RETURN at the next
// exercise's first eight questions and 0 at its CPA question (which stops).
const typedExercise = ['300', '5', '1300', '350', '3.7', '1306', '350', '2.5', '1.5', '0', '', '', '', '', '', '', '', '', '', '0'];

function nativeRun(input) {
  const r = spawnSync(native, [], { input });
  return { stdout: r.stdout.toString('latin1'), stderr: r.stderr.toString('latin1') };
}

// The native program given `lines`, then SIGINT once it waits at the next prompt.
function nativeInterrupted(lines) {
  return new Promise((resolve) => {
    const child = spawn(native, [], { stdio: 'pipe' });
    const out = { stdout: '', stderr: '' };
    child.stdout.on('data', (d) => {
      out.stdout += d.toString('latin1');
      if (out.stdout.split('Input=\n').length - 1 === lines.length + 1) child.kill('SIGINT');
    });
    child.stderr.on('data', (d) => { out.stderr += d.toString('latin1'); });
    child.on('close', (status) => resolve({ ...out, status }));
    child.stdin.write(lines.map((l) => `${l}\n`).join(''));
  });
}

// What a console shows: the program's output with each typed line echoed
// after the line at which the program waited for it.
function screenOf(stdout, typed) {
  const shown = [];
  const rest = [...typed];
  for (const line of stdout.replace(/\n$/, '').split('\n')) {
    shown.push(line.trimEnd());
    if (rest.length > 0 && (line.endsWith('Input=') || line.endsWith('<Hit RETURN to continue...>'))) shown.push(rest.shift());
  }
  return shown.join('\n').trimEnd();
}
// (a cell the program wrote a blank into is kept by the terminal, so blanks
// at the ends of lines are left out on both sides)
const trimLines = (lines) => lines.map((l) => l.trimEnd()).join('\n').trimEnd();

const record = (page) => page.evaluate(() => ({ ...window.echoTrack, screen: window.echoTrack.screen() }));
const stdoutOf = (r) => Buffer.from(r.stdout).toString('latin1');
const firstPrompt = (page) => page.waitForFunction(() => window.echoTrack && window.echoTrack.waiting && window.echoTrack.stdout.length > 0);
const server = await serve([site, bare]);
const base = `http://127.0.0.1:${server.address().port}`;

async function desktop() {
  const { context, close } = await launch();
  await context.grantPermissions(['clipboard-read', 'clipboard-write'], { origin: base });
  const page = await context.newPage();
  const offsite = [];
  const failed = [];
  page.on('request', (r) => { if (!r.url().startsWith(base)) offsite.push(r.url()); });
  page.on('response', (r) => { if (r.status() >= 400) failed.push(`${r.status()} ${r.url()}`); });
  await page.goto(`${base}/`);
  await firstPrompt(page);

  // Tab leaves the terminal for the controls after it, Shift+Tab comes back.
  await page.keyboard.press('Tab');
  const after = await page.evaluate(() => document.activeElement.id);
  await page.keyboard.press('Shift+Tab');
  const back = await page.evaluate(() => document.activeElement.classList.contains('xterm-helper-textarea'));
  check(after === 'copy-report' && back, `Tab reaches the controls after the terminal (${after}), Shift+Tab goes back`);

  const expected = nativeRun(`${typedExercise.join('\n')}\n`);
  for (const [k, line] of typedExercise.entries()) {
    if (k === 0) {
      // Arrow keys do nothing: no escape text in the answer.
      await page.keyboard.type('3');
      for (const key of ['ArrowLeft', 'ArrowUp', 'ArrowRight', 'ArrowDown', 'Home']) await page.keyboard.press(key);
      await page.keyboard.type('00');
    } else {
      await page.keyboard.type(line, { delay: 5 });
    }
    if (k === typedExercise.length - 1) {
      // 0 at the minimal CPA stops the run: said first, sent at the second RETURN.
      const before = (await record(page)).stdout.length;
      await page.keyboard.press('Enter');
      await page.waitForSelector('#warning:not([hidden])');
      const warning = await page.textContent('#warning-text');
      check(warning.includes('stops the run') && (await record(page)).stdout.length === before && (await record(page)).ending === null,
        `an answer that ends the run is held with a warning (${warning})`);
    }
    await page.keyboard.press('Enter');
    if (k === 9) await atTheReport(page, expected.stdout);
  }
  await page.waitForFunction(() => window.echoTrack.ending !== null);
  const first = await record(page);
  check(stdoutOf(first) === expected.stdout, 'the page got the native output, byte for byte');
  const screenText = trimLines(first.screen);
  const wanted = screenOf(expected.stdout, typedExercise);
  check(screenText === wanted, 'the terminal shows what the native program shows for the same typing');
  if (screenText !== wanted) {
    const a = screenText.split('\n');
    const b = wanted.split('\n');
    const k = a.findIndex((l, i) => l !== b[i]);
    console.log(`  first difference at line ${k}: page ${JSON.stringify(a[k])}, native ${JSON.stringify(b[k])}`);
  }
  check(first.ending === 'stop' && await page.isVisible('#new-run'), 'the stop is shown, with the button for a new run');

  // A new run; text that is not a number ends it with the report.
  await page.click('#new-run');
  await firstPrompt(page);
  await page.keyboard.type('abc\n\n', { delay: 5 });
  await page.waitForFunction(() => window.echoTrack.ending !== null);
  const second = await record(page);
  const report = nativeRun('abc\n');
  check(second.ending === 'error-report' && Buffer.from(second.stderr).toString('latin1') === report.stderr &&
    stdoutOf(second) === report.stdout, 'unreadable text ends the run with the native report');
  check(second.screen.join('\n').includes('invalid number: incomprehensible list input') &&
    (await page.textContent('#ending-text')).includes('run-time error report'), 'the report and the ending are on the screen');

  // A new run: a time typed with a colon is held with the warning, and what
  // was meant is sent by its button; then Ctrl-C at the next prompt ends the
  // run as SIGINT does.
  await page.click('#new-run');
  await firstPrompt(page);
  await page.keyboard.type('200\n6\n10:12\n', { delay: 5 });
  await page.waitForSelector('#warning:not([hidden])');
  const held = await page.textContent('#warning-text');
  check(held.includes('read as 10') && held.includes('type 1012'), `"10:12" is held: ${held}`);
  await page.click('#warning-instead');  // "Send 1012 instead"
  await page.waitForFunction(() => window.echoTrack.waiting && document.getElementById('log').textContent.endsWith('B-1\n        [ Default:    350 ]    Input=\n'));
  await page.keyboard.type('12', { delay: 5 });
  await page.keyboard.press('Control+C');
  await page.waitForFunction(() => window.echoTrack.ending !== null);
  const third = await record(page);
  const interrupted = await nativeInterrupted(['200', '6', '1012']);
  check(third.ending === 'interrupt' && interrupted.status === 1 && interrupted.stderr === 'Interrupt\n' &&
    Buffer.from(third.stderr).toString('latin1') === interrupted.stderr && stdoutOf(third) === interrupted.stdout,
  'Ctrl-C during a prompt ends the run as the console does: Interrupt, status 1, the same output');
  check(trimLines(third.screen).endsWith('12^CInterrupt') && (await page.textContent('#ending-text')).includes('exit status 1') &&
    await page.evaluate(() => document.activeElement.id === 'new-run'), 'the screen shows ^C and Interrupt; the run ended; the new-run button has the focus');

  // A reload mid-exercise offers the answers back, and they give the same run.
  await page.click('#new-run');
  await firstPrompt(page);
  await page.keyboard.type('250\n7\n\n', { delay: 5 });
  await page.waitForFunction(() => window.echoTrack.stdout.length > 0 && document.getElementById('log').textContent.split('Input=\n').length === 5);
  const before = stdoutOf(await record(page));
  await page.reload();
  await firstPrompt(page);
  const offer = await page.isVisible('#restore') ? await page.textContent('#restore-text') : '';
  await page.click('#restore-yes');
  await page.waitForFunction(() => document.getElementById('log').textContent.split('Input=\n').length === 5 && window.echoTrack.waiting);
  check(offer.includes('3 answers') && stdoutOf(await record(page)) === before && before === nativeRun('250\n7\n\n').stdout,
    `a reload offers the answers of the run in progress (${offer}) and restores the same dialog`);

  check(offsite.length === 0, `nothing is fetched from elsewhere (${offsite.join(' ') || 'no requests'})`);
  check(failed.length === 0, `no request fails, the icon included (${failed.join(' ') || 'none'})`);

  // Installable, and with the network cut after the first load a reload works.
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
  const cdp = await context.newCDPSession(page);
  const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
  check(installabilityErrors.length === 0, `the page can be installed (${JSON.stringify(installabilityErrors)})`);
  server.closeAllConnections();
  await new Promise((resolve) => server.close(resolve));
  await context.setOffline(true);
  await page.reload();
  await firstPrompt(page);
  await page.click('#restore-no').catch(() => {});
  await page.keyboard.type('\n'.repeat(10), { delay: 5 });
  await page.waitForFunction(() => window.echoTrack.pictures === 1);
  check(true, 'without network a reload shows the first prompt and solves the default exercise');
  await close();
}

// At the pause after the first report: the plot, its description, the report
// for screen readers, the inks, copying and print.
async function atTheReport(page, nativeStdout) {
  await page.waitForFunction(() => window.echoTrack.pictures === 1 && window.echoTrack.waiting);
  const plot = await page.evaluate(() => {
    const svg = document.querySelector('#plot svg.plot-drawn');
    const centre = svg.querySelector('.own-ship');
    const at = (sel) => [...svg.querySelectorAll(sel)].map((e) => [Number(e.getAttribute('cx')), Number(e.getAttribute('cy'))]);
    return {
      centre: [Number(centre.getAttribute('cx')), Number(centre.getAttribute('cy'))],
      b1: at('circle.b1'), b2: at('circle.b2'), cpa: at('circle.cpa-point'),
      courses: [...svg.querySelectorAll('text.proposed-course-label')].map((e) => e.textContent),
      role: svg.getAttribute('role'),
      title: document.getElementById(svg.getAttribute('aria-labelledby'))?.textContent,
      desc: document.getElementById(svg.getAttribute('aria-describedby'))?.textContent,
    };
  });
  // B-1 at 3.7 and B-2 at 2.5 miles on bearing 350: north up, x east, y down.
  const bearing = (p) => ((Math.atan2(p[0] - plot.centre[0], plot.centre[1] - p[1]) * 180) / Math.PI + 360) % 360;
  const range = (p) => Math.hypot(p[0] - plot.centre[0], p[1] - plot.centre[1]);
  check(plot.b1.length === 1 && plot.b2.length === 1 && Math.abs(bearing(plot.b1[0]) - 350) < 0.01 &&
    Math.abs(bearing(plot.b2[0]) - 350) < 0.01 && Math.abs(range(plot.b1[0]) / range(plot.b2[0]) - 3.7 / 2.5) < 1e-3,
  `the plot shows B-1 and B-2 on bearing 350 at 3.7 and 2.5 miles (${JSON.stringify([plot.b1, plot.b2])})`);
  check(plot.cpa.length === 1 && range(plot.cpa[0]) < 0.5, 'the plot shows the CPA, at A (a collision course)');
  check(plot.courses.some((t) => t.includes('053°')) && plot.courses.some((t) => t.includes('181°')),
    `the plot shows the new courses 053° and 181° (${plot.courses.join(', ')})`);
  check(plot.role === 'img' && /relative plot/.test(plot.title || '') &&
    /course 300 degrees/.test(plot.desc) && /B-1 at 13:00 on bearing 350 degrees at 3.7 nautical miles/.test(plot.desc) &&
    /starboard 053 or 181 degrees/.test(plot.desc), `the plot is an image with a title and its figures in words (${plot.desc})`);

  const reportText = nativeStdout.slice(nativeStdout.indexOf(' OBSERVATION:'), nativeStdout.indexOf(' <Hit RETURN'));
  const squeeze = (s) => s.replace(/\s+/g, ' ').trim();
  const tree = squeeze(await page.locator('body').ariaSnapshot());
  const reportLines = reportText.split('\n').map(squeeze).filter(Boolean);
  check(reportLines.every((l) => tree.includes(l)), 'the accessibility tree holds every line of the report');
  await page.waitForFunction(() => document.getElementById('announce').textContent.includes('OBSERVATION'));
  check(squeeze(await page.textContent('#announce')).includes(squeeze(reportText)), 'the live region reads the report');
  checkInks(await page.evaluate(inkReport), 'desktop');
  if (screenshot) await page.screenshot({ path: screenshot });

  // Copying: the last report by the button, a selection by Ctrl+Shift+C.
  await page.click('#copy-report');
  await page.waitForFunction(() => document.getElementById('copied').textContent !== '');
  const copiedReport = await page.evaluate(() => navigator.clipboard.readText());
  const box = await page.locator('#terminal .xterm-screen').boundingBox();
  await page.mouse.move(box.x + 5, box.y + box.height * 0.45);
  await page.mouse.down();
  await page.mouse.move(box.x + box.width - 5, box.y + box.height - 5, { steps: 5 });
  await page.mouse.up();
  await page.keyboard.press('Control+Shift+C');
  await page.waitForFunction(() => /Copied\./.test(document.getElementById('copied').textContent));
  const copiedSelection = await page.evaluate(() => navigator.clipboard.readText());
  check(squeeze(copiedReport) === squeeze(reportText) && copiedSelection.includes('NEW COURSE ship A'),
    'the button copies the last report, Ctrl+Shift+C the selected text');

  // Print: the report as text and its plot, on one A4 page.
  await page.emulateMedia({ media: 'print' });
  const printed = await page.evaluate(() => ({
    report: document.getElementById('print-report').textContent,
    plot: document.querySelector('#plot svg.plot-drawn').getBoundingClientRect().height,
    terminal: document.getElementById('terminal').getBoundingClientRect().height,
  }));
  const pdf = (await page.pdf({ format: 'A4', preferCSSPageSize: true })).toString('latin1');
  const pages = (pdf.match(/\/Type\s*\/Page[^s]/g) || []).length;
  await page.emulateMedia({ media: 'screen' });
  check(pages === 1 && squeeze(printed.report) === squeeze(reportText) && printed.plot > 400 && printed.terminal === 0,
    `print puts the report as text and its plot on one A4 page (${pages} page(s), plot ${printed.plot.toFixed(0)} px high)`);
  await page.focus('.xterm-helper-textarea');  // (hidden in print, it lost the focus)
}

async function single() {
  const { context, close } = await launch();
  const page = await context.newPage();
  const elsewhere = [];
  page.on('request', (r) => { if (!/^(file|data):/.test(r.url())) elsewhere.push(r.url()); });
  await page.goto(`file://${path.resolve(singleFile)}`);
  await firstPrompt(page);
  await page.keyboard.type('\n'.repeat(10), { delay: 5 });
  await page.waitForFunction(() => window.echoTrack.pictures === 1 && window.echoTrack.waiting);
  const r = await record(page);
  const pause = ' <Hit RETURN to continue...>\n';
  const upToPause = (text) => text.slice(0, text.indexOf(pause) + pause.length);
  // The site's own index.html opened from disk says what to open instead.
  const fromDisk = await context.newPage();
  await fromDisk.goto(`file://${path.resolve(site, 'index.html')}`);
  await fromDisk.waitForSelector('#ending:not([hidden])');
  check((await fromDisk.textContent('#ending-text')).includes('Open the single file'), 'the site opened from disk points to the single file');
  check(stdoutOf(r) === upToPause(nativeRun('\n'.repeat(10)).stdout) &&
    await page.isVisible('#plot svg.plot-drawn') && elsewhere.length === 0,
  `the single file opened from disk shows the first prompt and solves the default exercise (${elsewhere.join(' ') || 'nothing else fetched'})`);
  await close();
}

async function phone() {
  const { context, close } = await launch({ viewport: { width: 390, height: 844 }, deviceScaleFactor: 2, isMobile: true, hasTouch: true });
  const page = await context.newPage();
  await page.goto(`${base}/`);
  await firstPrompt(page);
  const widths = async () => page.evaluate(() => [document.documentElement.scrollWidth, innerWidth]);
  const atStart = await widths();
  const expected = nativeRun(`${typedExercise.join('\n')}\n`);
  for (const [k, line] of typedExercise.entries()) {
    await page.tap('#answer');
    await page.fill('#answer', line);
    await page.tap('#return');
    if (k === typedExercise.length - 1) {
      await page.waitForSelector('#warning:not([hidden])');
      await page.tap('#return');
    }
    if (k === 9) {
      await page.waitForFunction(() => window.echoTrack.pictures === 1 && window.echoTrack.waiting);
      await page.waitForTimeout(100);  // (the phone drawing is fitted to its width)
      const question = await page.evaluate(() => getComputedStyle(document.getElementById('question')).fontSize);
      const inks = await page.evaluate(inkReport);
      const smallest = inks.texts.reduce((a, t) => (t.px < a.px ? t : a));
      const atReport = await widths();
      check(atStart[0] <= atStart[1] && atReport[0] <= atReport[1], `phone: the document is no wider than the viewport (${atStart}, ${atReport})`);
      check(smallest.px >= 11 && parseFloat(question) >= 14, `phone: the smallest text is ${smallest.px.toFixed(1)} CSS px ("${smallest.text}"), the question ${question}`);
      checkInks(inks, 'phone');
      if (phoneShot) await page.screenshot({ path: phoneShot, fullPage: true });
    }
  }
  await page.waitForFunction(() => window.echoTrack.ending !== null);
  const r = await record(page);
  const log = await page.textContent('#log');
  check(stdoutOf(r) === expected.stdout && trimLines(log.split('\n')) === screenOf(expected.stdout, typedExercise) && r.ending === 'stop',
    'phone: the default exercise answered through the field and the RETURN button gives the console\'s transcript');
  await close();
}

async function weightAndStart() {
  let gzip = 0;
  for (const name of readdirSync(site)) gzip += gzipSync(readFileSync(path.join(site, name)), { level: 9 }).length;
  console.log(`page weight: ${(gzip / 1024).toFixed(1)} KB gzip-compressed (limit ${kMaxGzipBytes / 1024} KB)`);
  check(gzip <= kMaxGzipBytes, 'the page weighs at most 300 KB gzip-compressed');

  // Time from navigation to the first prompt on screen, the page beside the
  // bare terminal page, alternately, each in a new tab, as on a first visit
  // (no service worker); the first load only warms the browser up.
  const { context, close } = await launch({ serviceWorkers: 'block' });
  const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];
  const ratios = [];
  for (let round = 1; round <= kTimingRounds; round++) {
    const times = { page: [], bare: [] };
    for (let k = round === 1 ? -1 : 0; k < kTimingRuns; k++) {
      for (const [name, url] of [['page', `${base}/`], ['bare', `${base}/bare/`]]) {
        const p = await context.newPage();
        await p.goto(url);
        await p.waitForFunction(() => window.echoTrack && window.echoTrack.firstPromptMs !== null);
        const ms = await p.evaluate(() => window.echoTrack.firstPromptMs);
        if (k >= 0) times[name].push(ms);
        await p.close();
      }
    }
    const ratio = median(times.page) / median(times.bare);
    ratios.push(ratio);
    console.log(`first prompt, round ${round}: page ${times.page.map((t) => t.toFixed(0)).join(' ')} ms, bare ${times.bare.map((t) => t.toFixed(0)).join(' ')} ms; ` +
      `medians of ${kTimingRuns} ${median(times.page).toFixed(0)} / ${median(times.bare).toFixed(0)} ms, ratio ${ratio.toFixed(2)} (at most ${kMaxStartRatio})`);
    if (ratio <= kMaxStartRatio) break;
  }
  await close();
  check(ratios.at(-1) <= kMaxStartRatio,
    `the first prompt comes within ${kMaxStartRatio} times the bare page's time (median of ${kTimingRuns}; ${ratios.length} round${ratios.length > 1 ? 's' : ''})`);
}

try {
  await phone();
  await single();
  await weightAndStart();
  await desktop();  // last: it closes the server for the reload without network
} finally {
  server.closeAllConnections();
  server.close();
}
console.log(`${failed() === 0 ? 'browser tests passed' : `${failed()} browser checks failed`}`);
process.exit(failed() === 0 ? 0 : 1);
