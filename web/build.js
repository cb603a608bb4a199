// Builds the page into build/web: the app bundled with its npm packages (so that the page
// needs nothing from elsewhere once loaded), the engine worker and the WebAssembly engine.
// Usage: node web/build.js [OUTPUT_FOLDER]
'use strict';
const esbuild = require('esbuild');
const fs = require('node:fs');
const path = require('node:path');

const web = __dirname;
const root = path.join(web, '..');
const output = path.resolve(process.argv[2] || path.join(root, 'build/web'));
const engine = path.join(root, 'build/wasm/morva.js');

if (!fs.existsSync(engine)) {
  console.error(`${engine} is missing: build the WebAssembly engine first with \`make wasm\``);
  process.exit(1);
}
fs.mkdirSync(output, { recursive: true });

const copies = [
  [path.join(web, 'index.html'), 'index.html'],
  [path.join(web, 'style.css'), 'style.css'],
  [path.join(web, 'src/engine-worker.js'), 'engine-worker.js'],
  [path.join(web, 'src/engine-host.js'), 'engine-host.js'],
  // The isolation headers for static hosts that read them from a _headers file (Netlify,
  // Cloudflare Pages).
  [path.join(web, '_headers'), '_headers'],
  [path.join(root, 'io/input_queue_wasm.js'), 'input-queue.js'],
  [engine, 'morva.js'],
  // The licence and the bundled libraries' notices go wherever the page is copied.
  [path.join(root, 'LICENSE'), 'LICENSE'],
  [path.join(root, 'THIRD-PARTY-NOTICES'), 'THIRD-PARTY-NOTICES'],
];
const assets = path.join(web, 'node_modules/chessground/assets');
for (const sheet of ['chessground.base.css', 'chessground.brown.css', 'chessground.cburnett.css']) {
  copies.push([path.join(assets, sheet), sheet]);
}
for (const [from, to] of copies) fs.copyFileSync(from, path.join(output, to));

esbuild.buildSync({
  entryPoints: [path.join(web, 'src/main.js')],
  bundle: true,
  format: 'iife',
  target: ['chrome100', 'firefox100', 'safari15'],
  minify: true,
  sourcemap: true,
  outfile: path.join(output, 'app.js'),
  logLevel: 'warning',
});
console.log(`page built in ${output}`);
