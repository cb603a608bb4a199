#!/usr/bin/env node
'use strict';
// A UCI engine that misbehaves on purpose, to check that the game runner
// notices. It plays the first legal move (by chess.js) unless its behaviour,
// the first argument, says otherwise:
//   legal    plays legal moves and quits with status 0
//   illegal  answers every go with a move no piece can make
//   crash    exits with status 3 when asked to move
//   abort    kills itself with SIGABRT when asked to move
//   silent   never answers go, not even after stop
//   slow     answers go only after stop
//   lagging  answers go after 1.5 s, within the clock but past its tenth
//   noquit   plays legal moves and ignores quit
const readline = require('node:readline');
const { Chess } = require('chess.js');

const behaviour = process.argv[2] || 'legal';
let chess = new Chess();
let searching = false;

function say(line) {
  process.stdout.write(line + '\n');
}

function bestmove() {
  const move = chess.moves({ verbose: true })[0];
  say(`bestmove ${move ? move.lan : '0000'}`);
}

function position(tokens) {
  chess = new Chess();
  const at = tokens.indexOf('moves');
  if (at >= 0) for (const lan of tokens.slice(at + 1)) chess.move(lan);
}

function go() {
  if (behaviour === 'illegal') return say('bestmove e2e5');
  if (behaviour === 'crash') process.exit(3);
  if (behaviour === 'abort') process.kill(process.pid, 'SIGABRT');
  if (behaviour === 'silent') return;
  if (behaviour === 'slow') { searching = true; return; }
  if (behaviour === 'lagging') { setTimeout(bestmove, 1500); return; }
  bestmove();
}

readline.createInterface({ input: process.stdin }).on('line', (line) => {
  const tokens = line.trim().split(/\s+/);
  switch (tokens[0]) {
    case 'uci': say('id name Fake'); say('uciok'); break;
    case 'isready': say('readyok'); break;
    case 'position': position(tokens); break;
    case 'go': go(); break;
    case 'stop': if (searching) { searching = false; bestmove(); } break;
    case 'quit': if (behaviour !== 'noquit') process.exit(0); break;
    default: break;
  }
});
