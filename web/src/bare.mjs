// The yardstick for the page's start: a bare page that only opens the same
// terminal and writes the text up to the program's first prompt.

import { Terminal } from '@xterm/xterm';

const terminal = new Terminal({ cols: 80, rows: 36, convertEol: true, scrollback: 5000, cursorBlink: true,
  fontFamily: '"DejaVu Sans Mono", monospace', fontSize: 14, lineHeight: 1.15 });
terminal.open(document.getElementById('terminal'));
window.echoTrack = { firstPromptMs: null };
// FIRST_PROMPT is put in at build time, from the module's own first output.
terminal.write(FIRST_PROMPT, () => {
  requestAnimationFrame(() => { window.echoTrack.firstPromptMs = performance.now(); });
});
