'use strict';
// A static server without the cross-origin isolation headers, as most web hosts are: python3's
// http.server on a free port of 127.0.0.1. Resolves with { origin, close }.
const { spawn } = require('node:child_process');

async function servePlain(root) {
  const python = spawn('python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', root],
    { stdio: ['ignore', 'pipe', 'inherit'] });
  const origin = await new Promise((resolve, reject) => {
    let said = '';
    python.stdout.on('data', (text) => {
      said += text;
      const port = /port (\d+)/.exec(said);
      if (port) resolve(`http://127.0.0.1:${port[1]}`);
    });
    python.once('exit', () => reject(new Error(`python3 -m http.server ended: ${said}`)));
  });
  return { origin, close: () => python.kill() };
}

module.exports = { servePlain };
