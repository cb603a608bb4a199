// The WebAssembly engine under Node, where its host glue differs from the native build:
// standard input as a socket (how Node itself starts engines), as a file and in bursts larger
// than the input queue, the command-line forms, the time limits once the module runs, and the
// end of the engine when its output fails or its interface has gone.
// Run with `node --test`; MORVA_WASM_ENGINE names build/wasm/morva.js or build/wasm/morva-async.js.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { spawn, spawnSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

const ENGINE = process.env.MORVA_WASM_ENGINE || path.join(__dirname, '../../build/wasm/morva.js');

// The engine with its standard input as a socket pair, read as it arrives.
class Engine {
  constructor() {
    this.output = '';
    this.child = spawn(process.execPath, [ENGINE], { stdio: ['pipe', 'pipe', 'inherit'] });
    this.child.stdout.setEncoding('latin1');
    this.child.stdout.on('data', (text) => { this.output += text; });
    this.exited = new Promise((resolve) => this.child.on('exit', (code) => resolve(code)));
  }

  send(line) { this.child.stdin.write(line + '\n'); }

  // Resolves with the time the marker took to appear after `from`; rejects at the deadline.
  async waitFor(marker, deadlineMs, from = 0) {
    const start = Date.now();
    while (this.output.indexOf(marker, from) < 0) {
      if (Date.now() - start > deadlineMs) throw new Error(`no "${marker}" in ${deadlineMs} ms:\n${this.output}`);
      await new Promise((resolve) => setTimeout(resolve, 5));
    }
    return Date.now() - start;
  }

  async exitWithin(deadlineMs) {
    const timer = new Promise((resolve) => setTimeout(() => resolve('still running'), deadlineMs));
    const code = await Promise.race([this.exited, timer]);
    if (code === 'still running') this.child.kill('SIGKILL');
    return code;
  }
}

test('the command-line forms give the native counts and usage line', () => {
  const bench = spawnSync(process.execPath, [ENGINE, 'bench', '4'], { encoding: 'latin1', input: '' });
  assert.strictEqual(bench.status, 0);
  assert.match(bench.stdout, /\nNodes searched: 2162325\nNodes\/second: \d+\n$/);
  const perft = spawnSync(process.execPath, [ENGINE, 'perft', '3'], { encoding: 'latin1', input: '' });
  assert.strictEqual(perft.status, 0);
  assert.ok(perft.stdout.endsWith('\nNodes searched: 8902\n'), perft.stdout);
  for (const wrong of [['benchx'], ['perft', '21']]) {
    const run = spawnSync(process.execPath, [ENGINE, ...wrong], { encoding: 'latin1', input: '' });
    assert.strictEqual(run.status, 2);
    assert.strictEqual(run.stdout, '');
    assert.match(run.stderr, /^morva: [^\n]*usage: morva [^\n]*\n$/);
  }
});

test('output that cannot be written ends the engine with status 3', () => {
  const full = fs.openSync('/dev/full', 'w');
  for (const args of [['bench', '2'], ['perft', '3'], []]) {
    const run = spawnSync(process.execPath, [ENGINE, ...args], { stdio: ['pipe', full, 'pipe'], input: 'uci\n', timeout: 60000 });
    assert.strictEqual(run.status, 3, `morva ${args.join(' ')} > /dev/full`);
  }
  fs.closeSync(full);
});

test('an interface that closes both pipes mid-search ends the engine within a second, status 3', async () => {
  // One legal move (Black answers the check with g7g6), so that Morva writes nothing between
  // the start of iteration 11 and its end: 18 million nodes, seconds here. Only the closed
  // output ends the search in time, not a failed write.
  const engine = new Engine();
  engine.send('uci');
  engine.send('position fen rnbqkbnr/ppppp1pp/5p2/7Q/4P3/8/PPPP1PPP/RNB1KBNR b KQkq - 1 2');
  const started = Date.now();
  engine.send('go depth 40');
  await engine.waitFor('currmove g7g6 currmovenumber 1 depth 11\n', 30000);
  await new Promise((resolve) => setTimeout(resolve, Math.max(0, 1000 - (Date.now() - started))));
  const closed = Date.now();
  engine.child.stdin.destroy();
  engine.child.stdout.destroy();
  assert.strictEqual(await engine.exitWithin(1000), 3, `still running ${Date.now() - closed} ms after the close`);
});

test('a search on socket input answers isready, stops, and quit ends it at once', async () => {
  const engine = new Engine();
  engine.send('uci');
  await engine.waitFor('uciok \n', 10000);
  engine.send('position startpos');
  engine.send('go infinite');
  await engine.waitFor(' depth 3 score', 10000);
  let from = engine.output.length;
  engine.send('isready');
  await engine.waitFor('readyok \n\n', 2000, from);
  assert.strictEqual(engine.output.indexOf('bestmove', from), -1);
  from = engine.output.length;
  engine.send('stop');
  await engine.waitFor('bestmove ', 2000, from);
  engine.send('go infinite');
  await engine.waitFor(' depth 2 score', 10000, from);
  from = engine.output.length;
  engine.send('quit');
  assert.strictEqual(await engine.exitWithin(3000), 1);
  assert.strictEqual(engine.output.indexOf('bestmove', from), -1);
});

test('a move time is kept once the engine runs', async () => {
  const engine = new Engine();
  engine.send('uci');
  await engine.waitFor('uciok \n', 10000);
  // Iteration 2 alone would take minutes here: only the hard limit (ten move times) ends it.
  engine.send('position fen 7k/PPPPPPPP/8/8/8/8/pppppppp/K7 w - - 0 1');
  const from = engine.output.length;
  engine.send('go movetime 50');
  assert.ok((await engine.waitFor('bestmove ', 5000, from)) < 1000);
  engine.child.stdin.end();
  assert.strictEqual(await engine.exitWithin(3000), 0);
});

test('input from a file and input larger than the queue arrive whole', () => {
  // 2 MiB of silent commands, then one line with an answer: a lost or torn line would be
  // answered with a warning.
  const burst = 'ucinewgame\n'.repeat(200000) + 'isready\n';
  const file = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'morva-')), 'input.txt');
  fs.writeFileSync(file, burst);
  for (const input of [fs.openSync(file, 'r'), 'pipe']) {
    const run = spawnSync(process.execPath, [ENGINE], {
      encoding: 'latin1', stdio: [input, 'pipe', 'inherit'], input: input === 'pipe' ? burst : undefined,
      timeout: 60000,
    });
    assert.strictEqual(run.stdout, 'readyok \n\n');
    assert.strictEqual(run.status, 0);
  }
});

test('the end of input never overtakes the bytes written before it', () => {
  // The queue's reader and writer are separate threads. Here the writer's last bytes and the
  // end run before each atomic step of one read in turn, up to the step where it would wait.
  const source = fs.readFileSync(path.join(__dirname, '../../io/input_queue_wasm.js'), 'utf8');
  const makeQueue = new Function('Atomics', `${source}\nreturn MorvaInputQueue;`);
  for (let step = 0, wrote = false; !wrote; ++step) {
    let steps = 0;
    let writer = null;
    const interleaved = new Proxy(Atomics, {
      get: (atomics, name) => (...args) => {
        if (writer && (steps++ === step || name === 'wait')) {
          wrote = name === 'wait';
          const write = writer;
          writer = null;
          write();
        }
        return atomics[name](...args);
      },
    });
    const MorvaInputQueue = makeQueue(interleaved);
    const shared = MorvaInputQueue.allocate();
    const reader = MorvaInputQueue(shared);
    writer = () => {
      const queue = MorvaInputQueue(shared);
      queue.write(Buffer.from('quit\n'));
      queue.end(false);
    };
    const memory = new Uint8Array(8);
    const count = reader.read(memory, 0, memory.length);
    assert.strictEqual(Buffer.from(memory.subarray(0, Math.max(count, 0))).toString(), 'quit\n', `step ${step}`);
    assert.strictEqual(reader.read(memory, 0, memory.length), 0);
  }
});
