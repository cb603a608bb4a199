// The page: a game against Morva on a chessground board, with chess.js keeping the rules.
import { Chess } from 'chess.js';
import { Chessground } from 'chessground';

import { MorvaEngine } from './engine.js';
import { describeEnd } from './game_end.js';
import { pvInSan } from './notation.js';
import { formatScore, parseInfo, parseMove } from './uci.js';

const params = new URLSearchParams(window.location.search);
const elements = {
  board: document.getElementById('board'),
  status: document.getElementById('status'),
  colour: document.getElementById('colour'),
  moveTime: document.getElementById('move-time'),
  newGame: document.getElementById('new-game'),
  takeBack: document.getElementById('take-back'),
  moveNow: document.getElementById('move-now'),
  thinking: document.getElementById('thinking'),
  pgn: document.getElementById('pgn'),
  copyPgn: document.getElementById('copy-pgn'),
  promotion: document.getElementById('promotion'),
};

if (params.get('color') === 'black') elements.colour.value = 'black';
if (params.has('movetime')) {
  const option = document.createElement('option');
  option.value = String(Math.max(10, Number(params.get('movetime')) || 1000));
  option.textContent = `${option.value} ms`;
  elements.moveTime.append(option);
  elements.moveTime.value = option.value;
}
// A game may start from a set-up position (?fen=...); one that chess.js refuses is named in
// the status line and the game starts from the usual position.
const STANDARD_START = new Chess().fen();
let startProblem = '';
function chooseStart() {
  if (!params.has('fen')) return STANDARD_START;
  try {
    return new Chess(params.get('fen')).fen();
  } catch (error) {
    startProblem = ` (the position in the address was refused: ${error.message})`;
    return STANDARD_START;
  }
}
const startFen = chooseStart();

const engine = new MorvaEngine((message) => showError(message));
let chess = new Chess(startFen);
let userColour = 'white';
let result = null;
let pendingPromotion = null;

const ground = Chessground(elements.board, {
  animation: { duration: 150 },
  premovable: { enabled: false },
  movable: { free: false, showDests: true, events: { after: onUserMove } },
  highlight: { lastMove: true, check: true },
});

function colourToMove() {
  return chess.turn() === 'w' ? 'white' : 'black';
}

function legalDestinations() {
  const destinations = new Map();
  for (const move of chess.moves({ verbose: true })) {
    if (!destinations.has(move.from)) destinations.set(move.from, []);
    destinations.get(move.from).push(move.to);
  }
  return destinations;
}

function usersTurn() {
  return result === null && colourToMove() === userColour && !pendingPromotion;
}

function showBoard() {
  const history = chess.history({ verbose: true });
  const last = history[history.length - 1];
  ground.set({
    fen: chess.fen(),
    orientation: userColour,
    turnColor: colourToMove(),
    lastMove: last ? [last.from, last.to] : undefined,
    check: chess.inCheck() ? colourToMove() : false,
    movable: { color: usersTurn() ? userColour : undefined, dests: usersTurn() ? legalDestinations() : new Map() },
  });
  elements.board.dataset.fen = chess.fen();
  elements.takeBack.disabled = !history.some((move) => move.color === userColour[0]);
  elements.moveNow.disabled = !engine.searching();
  showPgn();
}

function showStatus(text, state) {
  elements.status.textContent = text;
  elements.status.dataset.state = state;
}

function showError(message) {
  elements.status.textContent = `Morva cannot play: ${message}`;
  elements.status.dataset.state = 'error';
}

function showPgn() {
  const date = new Date();
  chess.setHeader('Event', 'Casual game');
  chess.setHeader('Site', 'Morva in the browser');
  chess.setHeader('Date', `${date.getFullYear()}.${String(date.getMonth() + 1).padStart(2, '0')}.${String(date.getDate()).padStart(2, '0')}`);
  chess.setHeader('White', userColour === 'white' ? 'You' : 'Morva');
  chess.setHeader('Black', userColour === 'black' ? 'You' : 'Morva');
  chess.setHeader('Result', result ? result.score : '*');
  if (startFen !== STANDARD_START) {
    chess.setHeader('SetUp', '1');
    chess.setHeader('FEN', startFen);
  }
  elements.pgn.value = chess.pgn();
}

// After every move: the game's end, or whose turn it is next.
function afterMove() {
  result = describeEnd(chess, userColour);
  showBoard();
  if (result) {
    showStatus(result.text, 'over');
    elements.status.dataset.result = result.score;
    return;
  }
  delete elements.status.dataset.result;
  if (usersTurn()) showStatus(`Your move${startProblem}`, 'user');
  else playMorva();
}

function positionCommand() {
  const moves = chess.history({ verbose: true }).map((move) => move.from + move.to + (move.promotion || ''));
  const start = startFen === STANDARD_START ? 'position startpos' : `position fen ${startFen}`;
  return moves.length > 0 ? `${start} moves ${moves.join(' ')}` : start;
}

async function playMorva() {
  showStatus('Morva is thinking…', 'thinking');
  elements.thinking.textContent = '';
  const fen = chess.fen();
  const sideToMove = colourToMove() === 'white' ? 'White' : 'Black';
  const search = engine.search(positionCommand(), Number(elements.moveTime.value), (line) => {
    const info = parseInfo(line);
    if (!info) return;
    elements.thinking.textContent =
      `Depth ${info.depth} · ${formatScore(info.score, sideToMove)} · ${pvInSan(fen, info.pv)}`;
  });
  elements.moveNow.disabled = false;
  const best = await search;
  elements.moveNow.disabled = !engine.searching();
  if (best === null || chess.fen() !== fen) return;
  try {
    chess.move(parseMove(best));
  } catch {
    showError(`it answered ${best}, which is not a legal move here`);
    return;
  }
  afterMove();
}

function onUserMove(from, to) {
  const piece = chess.get(from);
  if (piece && piece.type === 'p' && (to[1] === '8' || to[1] === '1')) {
    askPromotion(from, to);
    return;
  }
  playUserMove({ from, to });
}

function playUserMove(move) {
  try {
    chess.move(move);
  } catch {
    showBoard();
    return;
  }
  afterMove();
}

function askPromotion(from, to) {
  pendingPromotion = { from, to };
  elements.promotion.hidden = false;
  elements.promotion.querySelector('button').focus();
}

function answerPromotion(piece) {
  const move = pendingPromotion;
  pendingPromotion = null;
  elements.promotion.hidden = true;
  if (piece && move) playUserMove({ ...move, promotion: piece });
  else showBoard();
}

for (const button of elements.promotion.querySelectorAll('button')) {
  button.addEventListener('click', () => answerPromotion(button.dataset.piece || null));
}
document.addEventListener('keydown', (event) => {
  if (event.key === 'Escape' && pendingPromotion) answerPromotion(null);
});

function newGame() {
  engine.cancel();
  answerPromotion(null);
  chess = new Chess(startFen);
  userColour = elements.colour.value;
  result = null;
  elements.thinking.textContent = '';
  engine.send('ucinewgame');
  afterMove();
}

// Takes back the user's last move and Morva's answer to it, or only the user's move while
// Morva is still thinking about it (or when it ended the game).
function takeBack() {
  const history = chess.history({ verbose: true });
  if (!history.some((move) => move.color === userColour[0])) return;
  engine.cancel();
  answerPromotion(null);
  while (chess.history({ verbose: true }).pop().color !== userColour[0]) chess.undo();
  chess.undo();
  result = null;
  elements.thinking.textContent = '';
  afterMove();
}

elements.newGame.addEventListener('click', newGame);
elements.takeBack.addEventListener('click', takeBack);
elements.moveNow.addEventListener('click', () => engine.moveNow());
elements.copyPgn.addEventListener('click', async () => {
  elements.pgn.select();
  try {
    await navigator.clipboard.writeText(elements.pgn.value);
    elements.copyPgn.textContent = 'Copied';
  } catch {
    elements.copyPgn.textContent = 'Press Ctrl+C to copy';
  }
  setTimeout(() => { elements.copyPgn.textContent = 'Copy PGN'; }, 1500);
});

showStatus('Starting Morva…', 'starting');
showBoard();
engine.start().then(() => {
  elements.board.dataset.engine = 'ready';
  newGame();
});
