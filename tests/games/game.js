'use strict';
// Plays one complete game between two UCI engines. The runner keeps the
// clocks (time is measured here, from sending "go" to reading "bestmove"),
// and chess.js judges every move and ends the game by the rules.
const { performance } = require('node:perf_hooks');
const { Chess } = require('chess.js');
const { UciEngine } = require('./uci_engine');

const HANDSHAKE_MS = 10000;
const QUIT_MS = 3000;
// How long past its flag (or past the hang limit of a move-time game) an
// engine may stay silent after "stop" before it counts as having no bestmove.
const STOP_GRACE_MS = 2000;
// A move time is a limit, as match managers keep it: an answer later than
// this past it loses on time. The slack covers the pipes and this runner's
// own event loop. Silence beyond the hang limit is waited out to tell a hang
// from a late answer.
const MOVETIME_TOLERANCE_MS = 30;
const MOVETIME_HANG_FACTOR = 50;
const MOVETIME_HANG_MIN_MS = 10000;

const COLOURS = ['white', 'black'];

function goCommand(control, clocks) {
  if (control.kind === 'movetime') return `go movetime ${control.ms}`;
  const w = Math.max(0, Math.round(clocks.white));
  const b = Math.max(0, Math.round(clocks.black));
  return `go wtime ${w} btime ${b} winc ${control.incMs} binc ${control.incMs}`;
}

// The engine's own budget for one move: a hundredth of its clock, or the
// move time it was given.
function budgetMs(control, clock) {
  return control.kind === 'movetime' ? control.ms : clock / 100;
}

// The most one move of a clock game may take: a tenth of the clock left, the
// limit the engine sets itself. OVERRUN_SLACK_MS covers the pipe and
// scheduling delay of a loaded machine, which the runner measures too.
const OVERRUN_SLACK_MS = 100;
function capMs(clock) {
  return clock / 10 + OVERRUN_SLACK_MS;
}

function timeControlText(control) {
  return control.kind === 'movetime'
    ? `movetime ${control.ms}ms`
    : `${control.baseMs / 1000}+${control.incMs / 1000}`;
}

function refereeEnding(chess) {
  if (chess.isCheckmate()) {
    return { result: chess.turn() === 'w' ? '0-1' : '1-0', reason: 'checkmate' };
  }
  if (chess.isStalemate()) return { result: '1/2-1/2', reason: 'stalemate' };
  if (chess.isInsufficientMaterial()) return { result: '1/2-1/2', reason: 'insufficient material' };
  if (chess.isThreefoldRepetition()) return { result: '1/2-1/2', reason: 'threefold repetition' };
  if (chess.isDrawByFiftyMoves()) return { result: '1/2-1/2', reason: 'fifty-move rule' };
  return null;
}

function lossFor(colour) {
  return colour === 'white' ? '0-1' : '1-0';
}

class Game {
  constructor({ white, black, control, opening, moveLimit, round }) {
    this.setups = { white, black };
    this.control = control;
    this.opening = opening ? opening.split(/\s+/) : [];
    this.moveLimit = moveLimit;
    this.round = round;
    this.chess = new Chess();
    this.uciMoves = [];
    this.clocks = { white: control.baseMs || 0, black: control.baseMs || 0 };
    this.problems = [];
    this.overrun = { white: null, black: null };
    this.moveTimes = { white: [], black: [] };
    this.budgetRatios = { white: [], black: [] };
  }

  problem(colour, kind, detail) {
    this.problems.push({ colour, engine: this.setups[colour].name, kind, detail });
  }

  async play() {
    this.engines = { white: new UciEngine(this.setups.white), black: new UciEngine(this.setups.black) };
    try {
      const ending = (await this.setUp()) || this.playOpening() || (await this.playMoves());
      this.result = ending.result;
      this.reason = ending.reason;
    } finally {
      await this.shutDown();
    }
    return this.record();
  }

  async setUp() {
    for (const colour of COLOURS) {
      const engine = this.engines[colour];
      engine.start();
      const failure = (await engine.handshake(HANDSHAKE_MS))
        || (engine.send('ucinewgame'), await engine.ready(HANDSHAKE_MS));
      if (failure) {
        this.problem(colour, engine.exit ? 'crash' : 'nobestmove', `set-up: ${failure}`);
        return { result: lossFor(colour), reason: `${colour} failed to start: ${failure}` };
      }
    }
    return null;
  }

  playOpening() {
    for (const text of this.opening) {
      const move = this.chess.moves({ verbose: true }).find((m) => m.lan === text);
      if (!move) throw new Error(`opening move ${text} is illegal after ${this.uciMoves.join(' ')}`);
      this.chess.move(move);
      this.chess.setComment('book');
      this.uciMoves.push(text);
    }
    return null;
  }

  async playMoves() {
    for (;;) {
      const ending = refereeEnding(this.chess);
      if (ending) return ending;
      if (this.chess.moveNumber() > this.moveLimit) {
        return { result: '1/2-1/2', reason: `adjudicated at move limit ${this.moveLimit}` };
      }
      const colour = this.chess.turn() === 'w' ? 'white' : 'black';
      const lost = await this.playOneMove(colour);
      if (lost) return { result: lossFor(colour), reason: `${colour} ${lost}` };
    }
  }

  // Returns null when the move was played, or why the side to move lost.
  async playOneMove(colour) {
    const engine = this.engines[colour];
    const control = this.control;
    const clockBefore = this.clocks[colour];
    const position = this.uciMoves.length > 0
      ? `position startpos moves ${this.uciMoves.join(' ')}`
      : 'position startpos';
    engine.send(position);
    const go = goCommand(control, this.clocks);
    const started = performance.now();
    engine.send(go);
    const waitMs = control.kind === 'movetime'
      ? Math.max(MOVETIME_HANG_MIN_MS, MOVETIME_HANG_FACTOR * control.ms)
      : clockBefore + 1000;
    let reply = await engine.waitFor('bestmove', waitMs);
    let elapsed = performance.now() - started;
    const neededStop = reply.failure === 'timeout';
    if (neededStop) {
      engine.send('stop');
      reply = await engine.waitFor('bestmove', STOP_GRACE_MS);
      elapsed = performance.now() - started;
    }
    if (reply.failure === 'exited') {
      this.problem(colour, 'crash', `exited while thinking (${JSON.stringify(engine.exit)}) after ${go}`);
      return 'crashed';
    }
    if (reply.failure) {
      this.problem(colour, 'nobestmove', `no bestmove ${(elapsed / 1000).toFixed(1)}s after ${go}`);
      await engine.kill();
      return 'gave no bestmove';
    }
    this.noteTime(colour, elapsed, budgetMs(control, clockBefore));
    if (control.kind === 'clock' && !neededStop && elapsed > capMs(clockBefore)) {
      this.problem(colour, 'overrun', `${(elapsed / 1000).toFixed(3)}s on a move, more than the `
        + `${(capMs(clockBefore) / 1000).toFixed(3)}s allowed after ${go}`);
    }
    if (control.kind === 'movetime' && elapsed > control.ms + MOVETIME_TOLERANCE_MS) {
      const how = neededStop ? 'only after stop' : `${(elapsed - control.ms).toFixed(0)}ms late`;
      this.problem(colour, 'time', `answered ${how}, ${(elapsed / 1000).toFixed(3)}s after ${go}`);
      return 'lost on time';
    }

    const text = reply.line.trim().split(/\s+/)[1] || '';
    const move = this.chess.moves({ verbose: true }).find((m) => m.lan === text);
    if (!move) {
      this.problem(colour, 'illegal', `"${reply.line}" in ${this.chess.fen()}`);
      return `played an illegal move (${text || 'none'})`;
    }
    this.chess.move(move);
    this.chess.setComment(`${(elapsed / 1000).toFixed(2)}s`);
    this.uciMoves.push(text);

    if (control.kind === 'clock') {
      this.clocks[colour] -= elapsed;
      if (this.clocks[colour] <= 0) {
        this.problem(colour, 'time', `flag fell: ${(elapsed / 1000).toFixed(2)}s used with ${(clockBefore / 1000).toFixed(2)}s left`);
        return 'lost on time';
      }
      this.clocks[colour] += control.incMs;
    }
    return null;
  }

  noteTime(colour, elapsed, budget) {
    this.moveTimes[colour].push(elapsed);
    this.budgetRatios[colour].push(elapsed / budget);
    const over = elapsed - budget;
    const worst = this.overrun[colour];
    if (!worst || over > worst.overMs) {
      this.overrun[colour] = { overMs: over, elapsedMs: elapsed, budgetMs: budget, ply: this.uciMoves.length + 1 };
    }
  }

  async shutDown() {
    for (const colour of COLOURS) {
      const engine = this.engines[colour];
      if (!engine.proc) continue;
      const crashedAlready = this.problems.some((p) => p.colour === colour && p.kind === 'crash');
      if (engine.exit && !engine.quitSent && !engine.exit.killed && !crashedAlready) {
        this.problem(colour, 'crash', `exited during the game (${JSON.stringify(engine.exit)})`);
        continue;
      }
      if (engine.exit) continue;
      const exit = await engine.quit(QUIT_MS);
      if (exit.killed) this.problem(colour, 'quit', `still running ${QUIT_MS}ms after quit`);
      else if (exit.signal) this.problem(colour, 'crash', `killed by ${exit.signal} on quit`);
      else if (exit.code !== engine.setup.quitStatus) {
        this.problem(colour, 'quit', `quit gave exit status ${exit.code}, expected ${engine.setup.quitStatus}`);
      }
    }
  }

  record() {
    const chess = this.chess;
    chess.setHeader('Event', 'Morva test games');
    chess.setHeader('Site', 'tests/games');
    chess.setHeader('Date', new Date().toISOString().slice(0, 10).replace(/-/g, '.'));
    chess.setHeader('Round', String(this.round));
    chess.setHeader('White', this.setups.white.name);
    chess.setHeader('Black', this.setups.black.name);
    chess.setHeader('Result', this.result);
    chess.setHeader('TimeControl', timeControlText(this.control));
    chess.setHeader('Termination', this.reason);
    const log = COLOURS.map((colour) => {
      const engine = this.engines[colour];
      return [`### ${colour}: ${this.setups[colour].name}`, ...engine.log,
        engine.stderr ? `### stderr\n${engine.stderr}` : ''].join('\n');
    }).join('\n');
    return {
      round: this.round,
      white: this.setups.white.name,
      black: this.setups.black.name,
      result: this.result,
      reason: this.reason,
      plies: this.uciMoves.length,
      problems: this.problems,
      overrun: this.overrun,
      moveTimes: this.moveTimes,
      budgetRatios: this.budgetRatios,
      pgn: chess.pgn() + "\n",
      log,
    };
  }
}

async function playGame(options) {
  return new Game(options).play();
}

module.exports = { playGame, timeControlText, capMs, MOVETIME_TOLERANCE_MS };
