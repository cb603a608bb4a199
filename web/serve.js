// Serves the built page on 127.0.0.1 with the headers that make it cross-origin isolated, so
// that it runs the engine that reads its input from shared memory, the faster one (without
// them the page runs the other engine). Runs until interrupted.
// Usage: PORT=8080 node web/serve.js [FOLDER]   (PORT=0 takes any free port)
'use strict';
const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.map': 'application/json',
  '.png': 'image/png',
  '.svg': 'image/svg+xml',
  // LICENSE and THIRD-PARTY-NOTICES, to read in the browser.
  '': 'text/plain; charset=utf-8',
};

const ISOLATION = {
  'Cross-Origin-Opener-Policy': 'same-origin',
  'Cross-Origin-Embedder-Policy': 'require-corp',
  'Cross-Origin-Resource-Policy': 'same-origin',
};

// Resolves with the listening server; files outside root are never served.
function serve(root, port, host = '127.0.0.1') {
  const base = path.resolve(root);
  const server = http.createServer((request, response) => {
    const send = (status, body, type = 'text/plain; charset=utf-8') => {
      response.writeHead(status, { ...ISOLATION, 'Content-Type': type, 'Cache-Control': 'no-cache' });
      response.end(request.method === 'HEAD' ? undefined : body);
    };
    if (request.method !== 'GET' && request.method !== 'HEAD') return send(405, 'only GET and HEAD\n');
    let name;
    try {
      name = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    } catch {
      return send(400, 'bad address\n');
    }
    // A NUL names no file, and the file system calls throw on it instead of failing.
    if (name.includes('\0')) return send(400, 'bad address\n');
    if (name.endsWith('/')) name += 'index.html';
    const file = path.resolve(base, '.' + path.posix.normalize(name));
    if (file !== base && !file.startsWith(base + path.sep)) return send(404, 'not found\n');
    fs.readFile(file, (error, body) => {
      if (error) return send(404, 'not found\n');
      send(200, body, TYPES[path.extname(file)] ?? 'application/octet-stream');
    });
  });
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(port, host, () => resolve(server));
  });
}

module.exports = { serve };

if (require.main === module) {
  const root = path.resolve(process.argv[2] || path.join(__dirname, '../build/web'));
  const port = Number(process.env.PORT || 8080);
  if (!fs.existsSync(path.join(root, 'index.html'))) {
    console.error(`${root} holds no built page: run \`make web\` (or node web/build.js) first`);
    process.exit(1);
  }
  serve(root, port).then((server) => {
    console.log(`Morva's page: http://127.0.0.1:${server.address().port}/  (Ctrl+C to stop)`);
    process.on('SIGINT', () => server.close(() => process.exit(0)));
    process.on('SIGTERM', () => server.close(() => process.exit(0)));
  }, (error) => {
    console.error(`cannot serve on 127.0.0.1:${port}: ${error.message}; choose another port with PORT=...`);
    process.exit(1);
  });
}
