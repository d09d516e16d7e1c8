// Puts the browser edition together from the WebAssembly build: the page into
// <site> (static files only, nothing fetched from elsewhere) and the bare
// terminal page that the start-up time is measured against into <bare>.
//
//   node --no-experimental-fetch build.mjs <wasm build dir> <site> <bare>

import { build } from 'esbuild';
import { copyFileSync, mkdirSync, rmSync } from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { startRun } from './src/run.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const [wasmDir, site, bare] = process.argv.slice(2).map((p) => path.resolve(p));
const xtermCss = path.join(here, 'node_modules/@xterm/xterm/css/xterm.css');

// The program's output up to its first prompt: everything it shows before it
// first waits for a line.
function firstPrompt(loader) {
  return new Promise((resolve, reject) => {
    startRun(createRequire(import.meta.url)(loader), {
      output: (stream, bytes) => resolve(new TextDecoder().decode(bytes)),
      ended: () => reject(new Error('the program ended before its first prompt')),
    });
  });
}

for (const dir of [site, bare]) {
  rmSync(dir, { recursive: true, force: true });
  mkdirSync(dir, { recursive: true });
}
for (const name of ['echo-track.js', 'echo-track.wasm']) copyFileSync(path.join(wasmDir, name), path.join(site, name));
copyFileSync(path.join(here, 'src/index.html'), path.join(site, 'index.html'));
copyFileSync(path.join(here, 'src/bare.html'), path.join(bare, 'index.html'));

const common = { bundle: true, minify: true, format: 'iife', target: 'es2020', logLevel: 'warning' };
await build({ ...common, entryPoints: [path.join(here, 'src/page.mjs')], outfile: path.join(site, 'page.js') });
await build({ ...common, entryPoints: [path.join(here, 'src/page.css')], outfile: path.join(site, 'page.css') });
await build({
  ...common,
  entryPoints: [path.join(here, 'src/bare.mjs')],
  outfile: path.join(bare, 'bare.js'),
  define: { FIRST_PROMPT: JSON.stringify(await firstPrompt(path.join(site, 'echo-track.js'))) },
});
for (const dir of [site, bare]) await build({ ...common, entryPoints: [xtermCss], outfile: path.join(dir, 'xterm.css') });
console.log(`site in ${path.relative(process.cwd(), site)}/`);
