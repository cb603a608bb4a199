// The page: a game against Morva on a chessground board, with chess.js keeping the rules.
import { Chess } from 'chess.js';
import { Chessground } from 'chessground';

import { MorvaEngine } from './engine.js';
import { graphPoints } from './eval_graph.js';
import { describeEnd } from './game_end.js';
import { renderMoveList } from './move_list.js';
import { pvInSan, typedMove } from './notation.js';
import { loadGame, saveGame } from './saved_game.js';
import { formatScore, parseInfo, parseMove, scoreForWhite } from './uci.js';

const params = new URLSearchParams(window.location.search);
const byId = (id) => document.getElementById(id);
const elements = {
  board: byId('board'),
  status: byId('status'),
  colour: byId('colour'),
  level: byId('level'),
  moveTime: byId('move-time'),
  newGame: byId('new-game'),
  takeBack: byId('take-back'),
  moveNow: byId('move-now'),
  resign: byId('resign'),
  flip: byId('flip'),
  thinking: byId('thinking'),
  moves: byId('moves'),
  first: byId('first'),
  back: byId('back'),
  forward: byId('forward'),
  last: byId('last'),
  moveForm: byId('move-form'),
  moveInput: byId('move-input'),
  moveProblem: byId('move-problem'),
  graph: byId('graph'),
  pgn: byId('pgn'),
  copyPgn: byId('copy-pgn'),
  promotion: byId('promotion'),
};

if (params.has('movetime')) {
  const option = document.createElement('option');
  option.value = String(Math.max(10, Number(params.get('movetime')) || 1000));
  option.textContent = `${option.value / 1000} s`;
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

// The game: what is saved across reloads. chess holds its moves; viewPly is the half-move
// shown on the board while the player looks back (null: the current position).
let game;
let chess;
let viewPly = null;
let flipped = false;
let result = null;
let pendingPromotion = null;
let lastMorvaMove = '';

const saved = loadGame(localStorage, startFen);
const colourAsked = params.get('color') === 'black' ? 'black' : params.has('color') ? 'white' : null;
if (saved && (colourAsked === null || colourAsked === saved.game.userColour)) {
  ({ game, chess } = saved);
  // The saved settings, unless the address chose the time.
  for (const select of params.has('movetime') ? ['level'] : ['level', 'moveTime']) {
    if ([...elements[select].options].some((option) => option.value === game[select])) elements[select].value = game[select];
  }
} else {
  game = freshGame(colourAsked || 'white');
  chess = new Chess(startFen);
}
elements.colour.value = game.userColour;

function freshGame(userColour) {
  return { startFen, userColour, resigned: false, evals: [] };
}

const engine = new MorvaEngine((message) => showError(message));

const ground = Chessground(elements.board, {
  animation: { duration: 150 },
  premovable: { enabled: false },
  movable: { free: false, showDests: true, events: { after: onUserMove } },
  highlight: { lastMove: true, check: true },
});

const colourOf = (board) => (board.turn() === 'w' ? 'white' : 'black');
const opposite = (colour) => (colour === 'white' ? 'black' : 'white');

function legalDestinations() {
  const destinations = new Map();
  for (const move of chess.moves({ verbose: true })) {
    if (!destinations.has(move.from)) destinations.set(move.from, []);
    destinations.get(move.from).push(move.to);
  }
  return destinations;
}

function usersTurn() {
  return engine.ready && result === null && colourOf(chess) === game.userColour && !pendingPromotion;
}

function gameResult() {
  if (game.resigned) {
    return { score: game.userColour === 'white' ? '0-1' : '1-0', text: 'You resigned: Morva wins' };
  }
  return describeEnd(chess, game.userColour);
}

function render() {
  const history = chess.history({ verbose: true });
  const ply = viewPly ?? history.length;
  const live = ply === history.length;
  const shown = new Chess(ply === 0 ? game.startFen : history[ply - 1].after);
  const last = history[ply - 1];
  const movable = live && usersTurn();
  ground.set({
    fen: shown.fen(),
    orientation: flipped ? opposite(game.userColour) : game.userColour,
    turnColor: colourOf(shown),
    lastMove: last ? [last.from, last.to] : undefined,
    check: shown.inCheck() ? colourOf(shown) : false,
    movable: { color: movable ? game.userColour : undefined, dests: movable ? legalDestinations() : new Map() },
  });
  elements.board.dataset.fen = shown.fen();
  elements.board.dataset.ply = String(ply);
  renderMoveList(elements.moves, history, ply, showPly);
  elements.first.disabled = elements.back.disabled = ply === 0;
  elements.forward.disabled = elements.last.disabled = live;
  elements.takeBack.disabled = !history.some((move) => move.color === game.userColour[0]) || Boolean(engine.failure);
  elements.moveNow.disabled = !engine.searching();
  elements.resign.disabled = result !== null || history.length === 0 || Boolean(engine.failure);
  elements.moveInput.disabled = Boolean(engine.failure);
  renderGraph(history.length);
  renderPgn();
}

function showPly(ply) {
  viewPly = ply >= chess.history().length ? null : Math.max(0, ply);
  render();
}

function renderGraph(plies) {
  elements.graph.hidden = result === null || game.evals.length === 0;
  if (elements.graph.hidden) return;
  const line = elements.graph.querySelector('polyline');
  line.setAttribute('points', graphPoints(game.evals, plies, 300, 100));
  const scores = game.evals.map(({ white }) => formatScore(white));
  elements.graph.querySelector('figcaption').textContent =
    `Morva's evaluation from White's side after each of its ${scores.length} moves: ${scores.join(', ')}`;
}

function showStatus(text, state) {
  if (engine.failure) return;
  elements.status.textContent = text;
  elements.status.dataset.state = state;
}

// The engine cannot go on: the message stays, and the board and "Move now" are locked.
function showError(message) {
  elements.status.textContent = `Morva cannot play: ${message}`;
  elements.status.dataset.state = 'error';
  render();
}

function renderPgn() {
  const date = new Date();
  chess.setHeader('Event', 'Casual game');
  chess.setHeader('Site', 'Morva in the browser');
  chess.setHeader('Date', `${date.getFullYear()}.${String(date.getMonth() + 1).padStart(2, '0')}.${String(date.getDate()).padStart(2, '0')}`);
  chess.setHeader('White', game.userColour === 'white' ? 'You' : 'Morva');
  chess.setHeader('Black', game.userColour === 'black' ? 'You' : 'Morva');
  chess.setHeader('Result', result ? result.score : '*');
  if (game.startFen !== STANDARD_START) {
    chess.setHeader('SetUp', '1');
    chess.setHeader('FEN', game.startFen);
  }
  elements.pgn.value = chess.pgn();
}

// After every change to the game: its end, or whose turn it is next.
function afterMove() {
  result = gameResult();
  viewPly = null;
  save();
  render();
  if (result) {
    showStatus(lastMorvaMove ? `Morva played ${lastMorvaMove}. ${result.text}` : result.text, 'over');
    elements.status.dataset.result = result.score;
    return;
  }
  delete elements.status.dataset.result;
  if (!engine.ready) return;
  if (usersTurn()) showStatus(`${lastMorvaMove ? `Morva played ${lastMorvaMove}. ` : ''}Your move${startProblem}`, 'user');
  else playMorva();
}

function positionCommand() {
  const moves = chess.history({ verbose: true }).map((move) => move.lan);
  const start = game.startFen === STANDARD_START ? 'position startpos' : `position fen ${game.startFen}`;
  return moves.length > 0 ? `${start} moves ${moves.join(' ')}` : start;
}

async function playMorva() {
  showStatus('Morva is thinking…', 'thinking');
  elements.thinking.textContent = '';
  const fen = chess.fen();
  const sideToMove = colourOf(chess) === 'white' ? 'White' : 'Black';
  let score = null;
  const limits = { moveTimeMs: Number(elements.moveTime.value), depth: Number(elements.level.value) || null };
  const search = engine.search(positionCommand(), limits, (line) => {
    const info = parseInfo(line);
    if (!info) return;
    score = scoreForWhite(info.score, sideToMove);
    elements.thinking.textContent = `Depth ${info.depth} · ${formatScore(score)} · ${pvInSan(fen, info.pv)}`;
  });
  elements.moveNow.disabled = false;
  let best;
  try {
    best = await search;
  } catch {
    return;
  }
  elements.moveNow.disabled = !engine.searching();
  if (best === null || chess.fen() !== fen) return;
  let move;
  try {
    move = chess.move(parseMove(best));
  } catch {
    engine.fail(`it answered ${best}, which is not a legal move here`);
    return;
  }
  if (score) game.evals.push({ ply: chess.history().length, white: score });
  lastMorvaMove = move.san;
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
  if (!usersTurn() || viewPly !== null) return render();
  try {
    chess.move(move);
  } catch {
    render();
    return;
  }
  lastMorvaMove = '';
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
  else render();
}

// Every change the player makes to the game outside a move: Morva's search and a pending
// promotion are dropped, the change is made, and the game goes on from there.
function changeGame(change) {
  engine.cancel();
  answerPromotion(null);
  change();
  lastMorvaMove = '';
  elements.thinking.textContent = '';
  afterMove();
}

function newGame() {
  changeGame(() => {
    game = freshGame(elements.colour.value);
    chess = new Chess(game.startFen);
    flipped = false;
    engine.send('ucinewgame');
  });
}

// Takes back the user's last move and Morva's answer to it, or only the user's move while
// Morva is still thinking about it (or when it ended the game).
function takeBack() {
  if (!chess.history({ verbose: true }).some((move) => move.color === game.userColour[0])) return;
  changeGame(() => {
    while (chess.history({ verbose: true }).pop().color !== game.userColour[0]) chess.undo();
    chess.undo();
    game.resigned = false;
    game.evals = game.evals.filter(({ ply }) => ply <= chess.history().length);
  });
}

function resign() {
  if (result === null) changeGame(() => { game.resigned = true; });
}

// The player takes the other colour in the game as it stands: Morva answers at once when the
// move is now its own, and stops thinking when it is now the player's.
function changeColour() {
  changeGame(() => {
    game.userColour = elements.colour.value;
    flipped = false;
  });
}

// The box stays usable between moves, so that a player at the keyboard keeps its focus.
function enterTypedMove(event) {
  event.preventDefault();
  const text = elements.moveInput.value.trim();
  let problem = null;
  if (result !== null) problem = 'The game is over';
  else if (!usersTurn()) problem = 'Wait for Morva\'s move';
  else if (viewPly !== null) problem = 'Go back to the current position first (End)';
  const move = problem ? null : typedMove(chess.fen(), text);
  if (!problem && !move) problem = `“${text}” is not a legal move here`;
  elements.moveProblem.textContent = problem || '';
  if (problem) return elements.moveInput.setAttribute('aria-invalid', 'true');
  elements.moveInput.removeAttribute('aria-invalid');
  elements.moveInput.value = '';
  playUserMove(move);
}

for (const button of elements.promotion.querySelectorAll('button')) {
  button.addEventListener('click', () => answerPromotion(button.dataset.piece || null));
}
// The plies the step buttons and keys go to from the one shown.
const STEPS = {
  first: () => 0,
  back: (ply) => ply - 1,
  forward: (ply) => ply + 1,
  last: () => Infinity,
};
const STEP_KEYS = { Home: 'first', ArrowLeft: 'back', ArrowRight: 'forward', End: 'last' };
const step = (name) => showPly(STEPS[name](viewPly ?? chess.history().length));

// Escape cancels a promotion; the arrow keys, Home and End step through the game unless the
// player is typing.
document.addEventListener('keydown', (event) => {
  if (event.key === 'Escape' && pendingPromotion) return answerPromotion(null);
  if (event.target.closest('input, select, textarea') || !(event.key in STEP_KEYS)) return;
  event.preventDefault();
  step(STEP_KEYS[event.key]);
});

elements.newGame.addEventListener('click', newGame);
elements.takeBack.addEventListener('click', takeBack);
elements.moveNow.addEventListener('click', () => engine.moveNow());
elements.resign.addEventListener('click', resign);
elements.flip.addEventListener('click', () => {
  flipped = !flipped;
  render();
});
elements.colour.addEventListener('change', changeColour);
for (const name of Object.keys(STEPS)) elements[name].addEventListener('click', () => step(name));
elements.moveForm.addEventListener('submit', enterTypedMove);
for (const select of [elements.level, elements.moveTime]) select.addEventListener('change', save);
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

function save() {
  saveGame(localStorage, { ...game, level: elements.level.value, moveTime: elements.moveTime.value }, chess);
}

showStatus('Starting Morva…', 'starting');
result = gameResult();
render();
engine.start().then(() => {
  elements.board.dataset.engine = 'ready';
  afterMove();
}, () => {});
