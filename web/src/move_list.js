// The game's moves as a numbered list of buttons, one per half-move; the one shown on the
// board is marked current. Picking a move calls onPick with its ply (1 for the first move).
export function renderMoveList(list, history, currentPly, onPick) {
  list.replaceChildren();
  let item = null;
  history.forEach((move, index) => {
    const ply = index + 1;
    if (move.color === 'w' || item === null) {
      item = document.createElement('li');
      const number = move.before.split(' ')[5];
      item.append(`${number}${move.color === 'w' ? '.' : '...'} `);
      list.append(item);
    }
    const button = document.createElement('button');
    button.type = 'button';
    button.textContent = move.san;
    button.dataset.ply = String(ply);
    button.setAttribute('aria-label', `${move.color === 'w' ? 'White' : 'Black'} ${move.san}`);
    if (ply === currentPly) button.setAttribute('aria-current', 'step');
    button.addEventListener('click', () => onPick(ply));
    item.append(button, ' ');
  });
  list.querySelector('[aria-current]')?.scrollIntoView({ block: 'nearest' });
}
