// Puts the browser edition together from the WebAssembly build: the page into
// <site> (static files only, nothing fetched from elsewhere, with the web app
// manifest and the service worker that keeps its files), the bare terminal
// page that the start-up time is measured against into <bare>, and, when
// asked, the page as one self-contained HTML file that works opened from disk.
//
//   node --no-experimental-fetch build.mjs <dialog's wasm dir> <workbench's wasm dir> <site> <bare> [--single-file <file>]

import { build } from 'esbuild';
import { createHash } from 'node:crypto';
import { copyFileSync, mkdirSync, readFileSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { startRun } from './src/run.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const args = process.argv.slice(2);
const at = args.indexOf('--single-file');
const singleFile = at >= 0 ? path.resolve(args.splice(at, 2)[1]) : null;
const [wasmDir, workbenchDir, site, bare] = args.map((p) => path.resolve(p));
const xtermCss = path.join(here, 'node_modules/@xterm/xterm/css/xterm.css');
const src = (name) => path.join(here, 'src', name);

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
for (const name of ['workbench.js', 'workbench.wasm']) copyFileSync(path.join(workbenchDir, name), path.join(site, name));
for (const name of ['index.html', 'manifest.webmanifest', 'icon.svg']) copyFileSync(src(name), path.join(site, name));
copyFileSync(src('bare.html'), path.join(bare, 'index.html'));

const common = { bundle: true, minify: true, format: 'iife', target: 'es2020', logLevel: 'warning', loader: { '.toml': 'text' } };
await build({ ...common, entryPoints: [src('page.mjs')], outfile: path.join(site, 'page.js') });
await build({ ...common, entryPoints: [src('page.css')], outfile: path.join(site, 'page.css') });
await build({
  ...common,
  entryPoints: [src('bare.mjs')],
  outfile: path.join(bare, 'bare.js'),
  define: { FIRST_PROMPT: JSON.stringify(await firstPrompt(path.join(site, 'echo-track.js'))) },
});
for (const dir of [site, bare]) await build({ ...common, entryPoints: [xtermCss], outfile: path.join(dir, 'xterm.css') });

// The service worker keeps every other file of the site, under a name made of
// their contents.
const files = readdirSync(site).sort();
const hash = createHash('sha256');
for (const name of files) hash.update(name).update(readFileSync(path.join(site, name)));
await build({
  ...common,
  entryPoints: [src('sw.mjs')],
  outfile: path.join(site, 'sw.js'),
  define: { VERSION: JSON.stringify(hash.digest('hex').slice(0, 16)), FILES: JSON.stringify(['./', ...files]) },
});
console.log(`site in ${path.relative(process.cwd(), site)}/`);

// One file: the style sheets, the loader, the module (base64) and the page's
// script inlined into the page; no manifest and no service worker, which a
// page opened from disk cannot have.
if (singleFile !== null) {
  const read = (name) => readFileSync(path.join(site, name), 'utf8');
  const script = (text) => `<script>${text.replace(/<\/script/gi, '<\\/script')}</script>`;
  const icon = `data:image/svg+xml;base64,${readFileSync(path.join(site, 'icon.svg')).toString('base64')}`;
  let html = read('index.html')
    .replace(/<link rel="manifest"[^>]*>\n/, '')
    .replace(/<script id="echo-track-fetch">.*<\/script>\n/, '')
    .replace(/<script defer src="[^"]*"><\/script>\n/g, '')
    .replace('href="icon.svg"', `href="${icon}"`)
    .replace(/<link rel="stylesheet" href="([^"]*)">/g, (_, name) => `<style>${read(name)}</style>`);
  const base64 = (name) => readFileSync(path.join(site, name)).toString('base64');
  html = html.replace('</body>', () => `<script id="echo-track-wasm" type="application/octet-stream">${base64('echo-track.wasm')}</script>\n` +
    `<script id="workbench-wasm" type="application/octet-stream">${base64('workbench.wasm')}</script>\n` +
    `${script(read('echo-track.js'))}\n${script(read('workbench.js'))}\n${script(read('page.js'))}\n</body>`);
  if (/<(script|link)[^>]+(src|href)="(?!data:|#)/.test(html)) throw new Error('the single file still refers to another file');
  writeFileSync(singleFile, html);
  console.log(`single file ${singleFile}`);
}
