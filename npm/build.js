// Builds the npm package `morva` into OUTPUT (default build/npm): the package's folder in
// OUTPUT/package and, packed by `npm pack`, OUTPUT/morva-VERSION.tgz. Needs the WebAssembly
// engines (`make wasm`) and esbuild from web/node_modules.
// Usage: node npm/build.js [OUTPUT]
'use strict';
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');

const here = __dirname;
const root = path.join(here, '..');
const esbuild = require(path.join(root, 'web/node_modules/esbuild'));
const output = path.resolve(process.argv[2] || path.join(root, 'build/npm'));
const folder = path.join(output, 'package');
const version = fs.readFileSync(path.join(root, 'VERSION'), 'utf8').trim();

const engines = { node: path.join(root, 'build/wasm/morva.js'), web: path.join(root, 'build/wasm/morva-web.js') };
for (const file of Object.values(engines)) {
  if (!fs.existsSync(file)) {
    console.error(`${file} is missing: build the WebAssembly engines first with \`make wasm\``);
    process.exit(1);
  }
}

const manifest = {
  name: 'morva',
  version,
  description: 'Morva, a UCI chess engine, in WebAssembly: for Node and for browsers (no cross-origin isolation needed), with a small promise-based API',
  license: 'GPL-3.0-or-later',
  keywords: ['chess', 'chess-engine', 'uci', 'webassembly'],
  bin: { morva: 'bin/morva.js' },
  main: 'dist/node.cjs',
  types: 'index.d.ts',
  exports: {
    '.': {
      types: './index.d.ts',
      browser: './dist/browser.mjs',
      node: './dist/node.cjs',
      default: './dist/browser.mjs',
    },
    './morva-web.js': './dist/morva-web.js',
    './morva.browser.js': './dist/morva.browser.js',
    './package.json': './package.json',
  },
  files: ['bin', 'dist', 'index.d.ts', 'THIRD-PARTY-NOTICES'],
  // WebAssembly SIMD, which the engine uses, came with Node 16.4.
  engines: { node: '>=16.4' },
};

fs.rmSync(folder, { recursive: true, force: true });
fs.mkdirSync(path.join(folder, 'dist'), { recursive: true });
fs.mkdirSync(path.join(folder, 'bin'));
fs.writeFileSync(path.join(folder, 'package.json'), `${JSON.stringify(manifest, null, 2)}\n`);
for (const [from, to] of [
  [path.join(here, 'README.md'), 'README.md'],
  [path.join(here, 'index.d.ts'), 'index.d.ts'],
  [path.join(here, 'bin/morva.js'), 'bin/morva.js'],
  [path.join(root, 'LICENSE'), 'LICENSE'],
  [path.join(root, 'THIRD-PARTY-NOTICES'), 'THIRD-PARTY-NOTICES'],
  [engines.node, 'dist/morva.js'],
]) {
  fs.copyFileSync(from, path.join(folder, to));
}
fs.chmodSync(path.join(folder, 'bin/morva.js'), 0o755);

const common = { bundle: true, logLevel: 'warning', legalComments: 'none' };
esbuild.buildSync({ ...common, entryPoints: [path.join(here, 'src/node.js')], platform: 'node', format: 'cjs',
  target: 'node16', outfile: path.join(folder, 'dist/node.cjs') });
esbuild.buildSync({ ...common, entryPoints: [path.join(here, 'src/browser.js')], platform: 'browser', format: 'esm',
  target: 'es2020', outfile: path.join(folder, 'dist/browser.mjs') });
esbuild.buildSync({ ...common, entryPoints: [path.join(here, 'src/script.js')], platform: 'browser', format: 'iife',
  target: 'es2020', outfile: path.join(folder, 'dist/morva.browser.js') });
// The worker: the page's report of the engine's failures, then the engine built for browsers.
const failures = esbuild.buildSync({
  ...common, write: false, format: 'iife', target: 'es2020',
  stdin: { contents: "import { reportEngineFailures } from './engine_failures.js'; reportEngineFailures();",
    resolveDir: path.join(root, 'web/src') },
}).outputFiles[0].text;
fs.writeFileSync(path.join(folder, 'dist/morva-web.js'), failures + fs.readFileSync(engines.web, 'latin1'), 'latin1');

const packed = execFileSync('npm', ['pack', '--pack-destination', output, '--silent'], { cwd: folder, encoding: 'utf8' }).trim();
console.log(`npm package: ${path.join(output, packed)}`);
