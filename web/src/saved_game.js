// The game in progress, kept in the browser's storage so that a reload (or a closed tab) loses
// nothing: the start position, the moves in UCI notation, the player's colour, a resignation,
// Morva's evaluations and the chosen strength and time.
import { Chess } from 'chess.js';

import { parseMove } from './uci.js';

const KEY = 'morva-game';

export function saveGame(storage, game, chess) {
  const moves = chess.history({ verbose: true }).map((move) => move.lan);
  try {
    storage.setItem(KEY, JSON.stringify({ ...game, moves }));
  } catch {
    // Storage that is full or switched off only costs the game's survival of a reload.
  }
}

// The saved game, if there is one that starts from startFen, as the game record and its
// position after the moves; null when there is none or it no longer replays.
export function loadGame(storage, startFen) {
  let saved;
  try {
    saved = JSON.parse(storage.getItem(KEY));
  } catch {
    return null;
  }
  if (!saved || saved.startFen !== startFen || !Array.isArray(saved.moves)) return null;
  const chess = new Chess(startFen);
  try {
    for (const move of saved.moves) chess.move(parseMove(String(move)));
  } catch {
    return null;
  }
  const { moves, ...game } = saved;
  return { game: { ...game, evals: Array.isArray(game.evals) ? game.evals : [] }, chess };
}
