// Builds the page into build/web: the app bundled with its npm packages (so that the page
// needs nothing from elsewhere once loaded) and the two WebAssembly engines: the one without
// shared memory as morva-engine.js, its source text in a script (any page, also from disk),
// and the shared-memory one with its workers (cross-origin isolated pages).
// Usage: node web/build.js [OUTPUT_FOLDER]
'use strict';
const esbuild = require('esbuild');
const fs = require('node:fs');
const path = require('node:path');

const web = __dirname;
const root = path.join(web, '..');
const output = path.resolve(process.argv[2] || path.join(root, 'build/web'));
const engine = path.join(root, 'build/wasm/morva.js');
const webEngine = path.join(root, 'build/wasm/morva-web.js');

for (const file of [engine, webEngine]) {
  if (!fs.existsSync(file)) {
    console.error(`${file} is missing: build the WebAssembly engines first with \`make wasm\``);
    process.exit(1);
  }
}
fs.mkdirSync(output, { recursive: true });

const copies = [
  [path.join(web, 'index.html'), 'index.html'],
  [path.join(web, 'style.css'), 'style.css'],
  [path.join(web, 'src/engine-worker.js'), 'engine-worker.js'],
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
fs.writeFileSync(path.join(output, 'morva-engine.js'),
  `self.morvaEngineSource = ${JSON.stringify(fs.readFileSync(webEngine, 'latin1'))};\n`, 'latin1');

for (const [entry, outfile] of [['main.js', 'app.js'], ['engine-host.js', 'engine-host.js']]) {
  esbuild.buildSync({
    entryPoints: [path.join(web, 'src', entry)],
    bundle: true,
    format: 'iife',
    target: ['chrome100', 'firefox100', 'safari15'],
    minify: true,
    sourcemap: true,
    outfile: path.join(output, outfile),
    logLevel: 'warning',
  });
}
console.log(`page built in ${output}`);
