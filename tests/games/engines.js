'use strict';
// The engines a game can be played by, each with the options that set it up
// and the exit status its "quit" is meant to give.
const fs = require('node:fs');
const path = require('node:path');

// Debian installs chess engines to /usr/games, which is often not on PATH.
function findProgram(name) {
  const dirs = (process.env.PATH || '').split(path.delimiter).concat(['/usr/games']);
  for (const dir of dirs) {
    const candidate = path.join(dir, name);
    try {
      fs.accessSync(candidate, fs.constants.X_OK);
      return candidate;
    } catch {
      // not in this directory
    }
  }
  return null;
}

// Stockfish's default move overhead of 10 ms is less than the pipe and
// scheduling delay the runner measures on a loaded machine; with it Stockfish
// can run its clock down to a flag fall near the end of a long game.
const STOCKFISH_BASE = [['Threads', 1], ['Hash', 16], ['Ponder', 'false'], ['Move Overhead', 100]];

const OPPONENTS = {
  sf1500: {
    program: 'stockfish',
    label: 'Stockfish Elo 1500',
    options: [...STOCKFISH_BASE, ['UCI_LimitStrength', 'true'], ['UCI_Elo', 1500]],
  },
  sfskill0: {
    program: 'stockfish',
    label: 'Stockfish Skill 0',
    options: [...STOCKFISH_BASE, ['Skill Level', 0]],
  },
  glaurung: {
    program: 'glaurung',
    label: 'Glaurung',
    options: [['Threads', 1], ['OwnBook', 'false'], ['Ponder', 'false'], ['Hash', 16]],
  },
};

// `name` is one of the opponents above or "morva"; Morva's quit ends the
// process with status 1 by design, every other engine's with 0.
function engineSetup(name, morvaPath) {
  if (name === 'morva') {
    return { name: 'Morva', command: morvaPath, args: [], options: [], quitStatus: 1 };
  }
  const opponent = OPPONENTS[name];
  if (!opponent) throw new Error(`unknown engine ${name}; known: morva ${Object.keys(OPPONENTS).join(' ')}`);
  const command = findProgram(opponent.program);
  if (!command) throw new Error(`${opponent.program} is not installed (tools/install-deps.sh installs it)`);
  return { name: opponent.label, command, args: [], options: opponent.options, quitStatus: 0 };
}

module.exports = { engineSetup, OPPONENTS };
