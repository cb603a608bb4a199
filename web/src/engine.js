// The page's side of the engine worker: UCI lines out, replies in, searches as promises.
//
// Every failure ends in one place, fail(): the worker's errors, the engine's exit, a start or
// a search that never answers. After it every pending promise is rejected and nothing more is
// sent, so the page can never wait for an answer that will not come.
import { reportEngineFailures } from './engine_failures.js';

// How long Morva may take to answer "uci", and to answer "bestmove" once told to stop.
export const START_LIMIT_MS = 30000;
export const STOP_GRACE_MS = 5000;

export class MorvaEngine {
  constructor(onError) {
    this.onError = onError;
    this.failure = null;
    this.ready = false;
    // Searches in the order their "go" was sent; UCI answers each with one "bestmove".
    this.searches = [];
    this.expected = [];
    this.worker = null;
    // Lines sent while the engine's script is still loading.
    this.unsent = [];
    startWorker().then((worker) => {
      this.worker = worker;
      worker.onmessage = (event) => this.receive(event.data);
      worker.onerror = (event) => this.fail(event.message || 'the engine worker failed to start');
      if (this.failure) return worker.terminate();
      for (const line of this.unsent.splice(0)) worker.postMessage(line);
    }, (error) => this.fail(error.message));
  }

  send(line) {
    if (this.failure) return;
    if (this.worker) this.worker.postMessage(line);
    else this.unsent.push(line);
  }

  fail(message) {
    if (this.failure) return;
    this.failure = message;
    this.ready = false;
    if (this.worker) this.worker.terminate();
    for (const search of this.searches) {
      clearTimeout(search.timer);
      search.reject(new Error(message));
    }
    this.searches = [];
    for (const entry of this.expected) entry.reject(new Error(message));
    this.expected = [];
    this.onError(message);
  }

  receive(message) {
    if (message.error !== undefined) return this.fail(message.error);
    if (message.exit !== undefined) return this.fail(`the engine stopped (status ${message.exit}); reload the page to start it again`);
    const line = message.line;
    if (line === undefined) return;
    const waiting = this.expected.findIndex((entry) => line.startsWith(entry.prefix));
    if (waiting >= 0) {
      this.expected.splice(waiting, 1)[0].resolve(line);
      return;
    }
    const search = this.searches[0];
    if (!search) return;
    if (line.startsWith('bestmove ')) {
      clearTimeout(search.timer);
      this.searches.shift();
      search.resolve(search.cancelled ? null : line.split(' ')[1]);
    } else if (!search.cancelled && line.startsWith('info ')) {
      search.onLine(line);
    }
  }

  // Resolves with the first line starting with prefix, or rejects when the engine fails or
  // has not answered within limitMs.
  expect(prefix, limitMs, what) {
    return new Promise((resolve, reject) => {
      const entry = { prefix, resolve, reject };
      this.expected.push(entry);
      setTimeout(() => {
        if (this.expected.includes(entry)) this.fail(`${what} within ${limitMs / 1000} s`);
      }, limitMs);
    });
  }

  async start() {
    const ready = this.expect('uciok', START_LIMIT_MS, 'Morva did not start');
    this.send('uci');
    await ready;
    this.ready = true;
  }

  // Searches the position to the depth, or without a limit of depth when it is null, and tells
  // Morva to stop at the move time: the page keeps to the player's time itself. Resolves with
  // the best move in UCI notation, or null when the search was cancelled; rejects when Morva
  // fails. Every "info" line of the search goes to onLine.
  search(positionCommand, { moveTimeMs, depth }, onLine) {
    if (this.failure) return Promise.reject(new Error(this.failure));
    return new Promise((resolve, reject) => {
      const search = { resolve, reject, onLine, cancelled: false, timer: 0 };
      this.searches.push(search);
      this.send(positionCommand);
      this.send(depth ? `go depth ${depth}` : `go movetime ${moveTimeMs}`);
      search.timer = setTimeout(() => this.stop(search), moveTimeMs);
    });
  }

  // Sends "stop" for the search and gives Morva STOP_GRACE_MS to answer it.
  stop(search) {
    clearTimeout(search.timer);
    if (!this.searches.includes(search)) return;
    this.send('stop');
    search.timer = setTimeout(() => {
      if (this.searches.includes(search)) this.fail(`Morva did not answer "stop" within ${STOP_GRACE_MS / 1000} s`);
    }, STOP_GRACE_MS);
  }

  // Ends the running search early: Morva answers with the best move found so far.
  moveNow() {
    if (this.searches.length > 0) this.stop(this.searches[this.searches.length - 1]);
  }

  // Ends every pending search and throws its answer away.
  cancel() {
    for (const search of this.searches) {
      search.cancelled = true;
      this.stop(search);
    }
  }

  searching() {
    return this.searches.some((search) => !search.cancelled);
  }
}

// The engine's worker. A cross-origin isolated page may share memory with it, and gets the
// engine that reads its input from shared memory, which searches faster. Any other page (a
// plain web host, the page opened from disk) gets the engine that needs no shared memory,
// started from its source text: a page opened from disk may load a script but not start a
// worker from a file.
async function startWorker() {
  if (self.crossOriginIsolated) return new Worker('engine-worker.js');
  await new Promise((resolve, reject) => {
    const script = document.createElement('script');
    script.src = 'morva-engine.js';
    script.onload = resolve;
    script.onerror = () => reject(new Error('the engine (morva-engine.js) could not be loaded; copy the whole folder of the page'));
    document.head.append(script);
  });
  const source = `(${reportEngineFailures})();\n${self.morvaEngineSource}`;
  return new Worker(URL.createObjectURL(new Blob([source], { type: 'text/javascript' })));
}
