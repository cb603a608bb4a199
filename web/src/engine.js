// The page's side of the engine worker: UCI lines out, replies in, searches as promises.
export class MorvaEngine {
  constructor(onError) {
    this.onError = onError;
    // Searches in the order their "go" was sent; UCI answers each with one "bestmove".
    this.searches = [];
    this.expected = [];
    this.worker = null;
    // The engine reads its input from shared memory, which a browser grants only to a page
    // served with the cross-origin isolation headers (not to one opened as a file).
    if (!self.crossOriginIsolated) {
      queueMicrotask(() => onError('this page must be served with its isolation headers: run `make web` and open the address it prints'));
      return;
    }
    this.worker = new Worker('engine-worker.js');
    this.worker.onmessage = (event) => this.receive(event.data);
    this.worker.onerror = (event) => onError(event.message || 'the engine worker failed');
  }

  send(line) {
    if (this.worker) this.worker.postMessage(line);
  }

  receive(message) {
    if (message.error !== undefined) {
      this.onError(message.error);
      return;
    }
    if (message.exit !== undefined) {
      this.onError(`the engine stopped (status ${message.exit}); reload the page to start it again`);
      return;
    }
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
      this.searches.shift();
      search.resolve(search.cancelled ? null : line.split(' ')[1]);
    } else if (!search.cancelled && line.startsWith('info ')) {
      search.onLine(line);
    }
  }

  // Resolves with the first line starting with prefix.
  expect(prefix) {
    return new Promise((resolve) => this.expected.push({ prefix, resolve }));
  }

  async start() {
    const ready = this.expect('uciok');
    this.send('uci');
    await ready;
  }

  // Searches the position; resolves with the best move in UCI notation, or null when the
  // search was cancelled. Every "info" line of the search goes to onLine.
  search(positionCommand, milliseconds, onLine) {
    return new Promise((resolve) => {
      this.searches.push({ resolve, onLine, cancelled: false });
      this.send(positionCommand);
      this.send(`go movetime ${milliseconds}`);
    });
  }

  // Ends the running search early: Morva answers with the best move found so far.
  moveNow() {
    if (this.searches.length > 0) this.send('stop');
  }

  // Ends every pending search and throws its answer away.
  cancel() {
    if (this.searches.length === 0) return;
    for (const search of this.searches) search.cancelled = true;
    this.send('stop');
  }

  searching() {
    return this.searches.some((search) => !search.cancelled);
  }
}
