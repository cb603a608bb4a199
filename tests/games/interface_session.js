#!/usr/bin/env node
'use strict';
// One session as a chess interface drives it: handshake, a new game played
// under a clock, "go infinite" in the middle of the game interrupted by
// "stop", more moves, and "quit" at the end. Every check is printed; the
// exit status is non-zero when one fails.
//
//   node interface_session.js --morva PATH
const { Chess } = require('chess.js');
const { check, legalMove, runSession } = require('./session_checks');

const REPLY_MS = 10000;
const INFINITE_MS = 1500;     // how long "go infinite" runs before "stop"
const STOP_REPLY_MS = 5000;   // the answer to "stop" must come within this
const QUIT_MS = 3000;
const PLIES_BEFORE = 10;
const PLIES_AFTER = 4;

async function session(engine) {
  const chess = new Chess();
  const moves = [];
  const position = () => (moves.length ? `position startpos moves ${moves.join(' ')}` : 'position startpos');

  engine.send('uci');
  const uciok = await engine.waitFor('uciok', REPLY_MS);
  if (!check(!uciok.failure, 'uci is answered by uciok')) return;
  check(uciok.seen.some((l) => /^id\s+name\s+\S/.test(l)), 'uci names the engine');
  if (!check((await engine.ready(REPLY_MS)) === null, 'isready is answered by readyok')) return;
  engine.send('ucinewgame');
  if (!check((await engine.ready(REPLY_MS)) === null, 'ucinewgame then isready is answered')) return;

  const playTimed = async (plies) => {
    for (let i = 0; i < plies && !chess.isGameOver(); i += 1) {
      engine.send(position());
      engine.send('go wtime 10000 btime 10000 winc 100 binc 100');
      const reply = await engine.waitFor('bestmove', REPLY_MS);
      const move = !reply.failure && legalMove(chess, reply.line);
      if (!check(move, `ply ${moves.length + 1}: legal bestmove under a clock (${reply.line || reply.failure})`)) return false;
      chess.move(move);
      moves.push(move.lan);
    }
    return true;
  };

  if (!(await playTimed(PLIES_BEFORE))) return;

  engine.send(position());
  engine.send('go infinite');
  const early = await engine.waitFor('bestmove', INFINITE_MS);
  if (!check(early.failure === 'timeout', `go infinite is still searching after ${INFINITE_MS}ms`)) return;
  check(early.seen.some((l) => l.trim().startsWith('info')), 'go infinite reports info lines while searching');
  engine.send('stop');
  const stopped = await engine.waitFor('bestmove', STOP_REPLY_MS);
  const move = !stopped.failure && legalMove(chess, stopped.line);
  if (!check(move, `stop is answered within ${STOP_REPLY_MS}ms by a legal bestmove (${stopped.line || stopped.failure})`)) return;
  chess.move(move);
  moves.push(move.lan);
  if (!check((await engine.ready(REPLY_MS)) === null, 'isready after stop is answered')) return;

  if (!(await playTimed(PLIES_AFTER))) return;

  const exit = await engine.quit(QUIT_MS);
  check(!exit.killed, `quit ends the process within ${QUIT_MS}ms`);
  check(exit.signal === null && exit.code === engine.setup.quitStatus,
    `quit exits with status ${engine.setup.quitStatus} (got ${exit.code}${exit.signal ? ', signal ' + exit.signal : ''})`);
}

runSession('interface session', session);
