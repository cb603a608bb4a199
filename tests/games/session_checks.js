'use strict';
// What the scripted sessions share: checks printed one to a line and counted, the legal move
// that a "bestmove" line names, and the run of a session against Morva with the closing report,
// the whole dialogue when a check failed.
const { UciEngine } = require('./uci_engine');
const { engineSetup } = require('./engines');

let failures = 0;

function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
  if (!ok) failures += 1;
  return ok;
}

function legalMove(chess, line) {
  const text = (line || '').trim().split(/\s+/)[1] || '';
  return chess.moves({ verbose: true }).find((m) => m.lan === text);
}

// Runs `session(engine, argument)` against the engine of `--morva PATH`; the exit status is
// non-zero when a check failed (1) or the session itself broke (2).
async function runSession(title, session) {
  const argv = process.argv.slice(2);
  const argument = (name) => (argv.includes(name) ? argv[argv.indexOf(name) + 1] : undefined);
  try {
    if (!argument('--morva')) throw new Error(`usage: ${title}: --morva PATH ...`);
    const engine = new UciEngine(engineSetup('morva', argument('--morva')));
    engine.start();
    try {
      await session(engine, argument);
    } finally {
      await engine.kill();
    }
    if (failures > 0) console.log(`--- engine dialogue ---\n${engine.log.join('\n')}\n${engine.stderr}`);
    console.log(failures === 0 ? `${title} passed` : `${title}: ${failures} checks failed`);
    process.exitCode = failures === 0 ? 0 : 1;
  } catch (err) {
    console.error(err.stack || String(err));
    process.exitCode = 2;
  }
}

module.exports = { check, legalMove, runSession };
