// The conversation with Morva, the same under Node and in browsers: UCI lines out, the engine's
// lines in, the handshake and searches as promises. A subclass connects it to the engine (a
// child process, a worker) and hands it each line the engine writes and the engine's end.

// "info ... score cp 21 ..." or "... score mate -3 ...": the score of an iteration's report.
const SCORE = / score (cp|mate) (-?\d+)/;

export class UciEngine {
  constructor() {
    this.lines = [];
    this.readers = [];
    // The search whose lines Morva is writing; whether search() has been called and has not
    // resolved yet (it may still wait for the handshake); and a stop asked before its "go".
    this.running = null;
    this.searching = false;
    this.stopAsked = false;
    this.started = null;
    this.status = undefined;
    this.failure = null;
    this.exitWaiters = [];
  }

  // Starts the engine's UCI session: resolves once Morva has answered "uci" with "uciok" (the
  // lines before it, its name and option, are not kept). search() calls it; calling it again
  // changes nothing.
  start() {
    if (!this.started) {
      this.started = (async () => {
        this.send('uci');
        for (;;) if ((await this.receive()) === 'uciok ') return;
      })();
    }
    return this.started;
  }

  // Sends one command line (without its line feed).
  send(line) {
    const text = String(line);
    if (/[\r\n]/.test(text)) throw new Error('send takes one line at a time, without a line feed');
    if (this.status !== undefined) throw this.endError();
    this.write(`${text}\n`);
  }

  // Resolves with the next line Morva writes (without its line feed) that no search has taken,
  // in order; rejects once Morva has ended and every line it wrote has been received.
  receive() {
    if (this.lines.length > 0) return Promise.resolve(this.lines.shift());
    if (this.status !== undefined) return Promise.reject(this.endError());
    return new Promise((resolve, reject) => this.readers.push({ resolve, reject }));
  }

  // Searches a position (a FEN, or "startpos") to a depth or for a move time in milliseconds
  // ({ depth } or { movetime }), and resolves with the best move in UCI notation and the score
  // of the last report, from the side to move's view: { cp } in hundredths of a pawn, or
  // { mate } as Morva reports it (the plies of the mating line less one, negative when the
  // side to move is mated), or null when there was none.
  // Morva's lines during the search are the search's own: receive() does not see them.
  async search(fen, limits = {}) {
    const { depth, movetime } = limits;
    const limit = depth !== undefined ? `depth ${whole(depth, 'depth')}` : movetime !== undefined ? `movetime ${whole(movetime, 'movetime')}` : null;
    if (!limit) throw new Error('search needs a depth or a movetime');
    if (this.searching) throw new Error('a search is already running: wait for it, or stop() it');
    this.searching = true;
    try {
      await this.start();
      return await new Promise((resolve, reject) => {
        this.running = { resolve, reject, score: null };
        this.send(fen === 'startpos' ? 'position startpos' : `position fen ${fen}`);
        this.send(`go ${limit}`);
        if (this.stopAsked) this.send('stop');
      });
    } finally {
      this.searching = false;
      this.stopAsked = false;
    }
  }

  // Tells a running search to stop: it resolves at once with the best move found so far.
  stop() {
    if (this.searching && !this.running) this.stopAsked = true;
    else this.send('stop');
  }

  // Ends the engine with "quit"; resolves with its exit status (1 after "quit").
  quit() {
    if (this.status === undefined) {
      this.send('quit');
      return new Promise((resolve) => this.exitWaiters.push(resolve));
    }
    return Promise.resolve(this.status);
  }

  // For the subclass: one line Morva wrote.
  lineCame(line) {
    const search = this.running;
    if (!search) {
      const reader = this.readers.shift();
      if (reader) reader.resolve(line);
      else this.lines.push(line);
      return;
    }
    const score = line.startsWith('info ') && SCORE.exec(line);
    if (score) search.score = { [score[1]]: Number(score[2]) };
    if (line.startsWith('bestmove ')) {
      this.running = null;
      search.resolve({ bestMove: line.split(' ')[1], score: search.score });
    }
  }

  // For the subclass: Morva has ended, with its exit status, or with null and the failure.
  ended(status, failure = null) {
    if (this.status !== undefined) return;
    this.status = status;
    this.failure = failure;
    const error = this.endError();
    for (const reader of this.readers.splice(0)) reader.reject(error);
    if (this.running) this.running.reject(error);
    this.running = null;
    for (const resolve of this.exitWaiters.splice(0)) resolve(status);
  }

  endError() {
    if (this.failure) return new Error(`Morva failed: ${this.failure.message || this.failure}`);
    return new Error(`Morva has ended (exit status ${this.status})`);
  }
}

function whole(value, name) {
  if (!Number.isInteger(value) || value < 0) throw new Error(`the ${name} must be a whole number, not ${value}`);
  return value;
}
