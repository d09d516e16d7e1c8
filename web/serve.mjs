// Serves folders of static files on 127.0.0.1 at a free port (or the port
// given): the first folder at /, each further one at /<its name>/.
//
//   node serve.mjs <folder> [<folder> ...] [--port N]

import { createReadStream, statSync } from 'node:fs';
import { createServer } from 'node:http';
import path from 'node:path';

const types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8', '.wasm': 'application/wasm', '.svg': 'image/svg+xml', '.png': 'image/png',
  '.webmanifest': 'application/manifest+json' };

export function serve(roots, port = 0) {
  const [main, ...others] = roots.map((r) => path.resolve(r));
  const mounts = others.map((r) => ['/' + path.basename(r) + '/', r]);
  const server = createServer((req, res) => {
    let urlPath = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    let root = main;
    for (const [prefix, dir] of mounts) {
      if (urlPath.startsWith(prefix)) {
        root = dir;
        urlPath = urlPath.slice(prefix.length - 1);
      }
    }
    if (urlPath.endsWith('/')) urlPath += 'index.html';
    const file = path.join(root, path.normalize(urlPath));
    let stat = null;
    try { stat = file.startsWith(root + path.sep) ? statSync(file) : null; } catch { stat = null; }
    if (stat === null || !stat.isFile()) {
      res.writeHead(404, { 'content-type': 'text/plain' });
      res.end('not found\n');
      return;
    }
    res.writeHead(200, { 'content-type': types[path.extname(file)] || 'application/octet-stream',
      'content-length': stat.size, 'cache-control': 'no-cache' });
    createReadStream(file).pipe(res);
  });
  return new Promise((resolve) => server.listen(port, '127.0.0.1', () => resolve(server)));
}

if (import.meta.url === `file://${process.argv[1]}`) {
  const args = process.argv.slice(2);
  const at = args.indexOf('--port');
  const port = at >= 0 ? Number(args.splice(at, 2)[1]) : 0;
  const server = await serve(args, port);
  console.log(`ECHO-TRACK is served at http://127.0.0.1:${server.address().port}/ (Ctrl-C stops)`);
}
