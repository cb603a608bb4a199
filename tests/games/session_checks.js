'use strict';
// What the scripted sessions share: checks printed one to a line and counted, the legal move
// that a "bestmove" line names, and the closing report, with the whole dialogue when a check
// failed.
let failures = 0;

function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
  if (!ok) failures += 1;
  return ok;
}

function failureCount() {
  return failures;
}

function legalMove(chess, line) {
  const text = (line || '').trim().split(/\s+/)[1] || '';
  return chess.moves({ verbose: true }).find((m) => m.lan === text);
}

function finishSession(engine, title) {
  if (failures > 0) console.log(`--- engine dialogue ---\n${engine.log.join('\n')}\n${engine.stderr}`);
  console.log(failures === 0 ? `${title} passed` : `${title}: ${failures} checks failed`);
  process.exitCode = failures === 0 ? 0 : 1;
}

module.exports = { check, failureCount, legalMove, finishSession };
