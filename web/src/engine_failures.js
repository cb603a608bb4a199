// Runs first in the engine's worker, before the WebAssembly engine: arranges that every way it
// can fail reaches the page as { error }. A trap in the module becomes a rejected promise
// inside emscripten's start-up, an abort calls Module.onAbort, and a missing or broken engine
// script throws; none of them would reach the page by itself. The function is also turned into
// source text for a worker started from memory, so it uses nothing from outside itself.
export function reportEngineFailures() {
  let failed = false;
  const fail = (message) => {
    if (failed) return;
    failed = true;
    postMessage({ error: message });
  };
  const reason = (what) => (what && what.message ? what.message : String(what));
  self.Module = { onAbort: (what) => fail(`the engine crashed: ${reason(what)}`) };
  self.addEventListener('unhandledrejection', (event) => {
    event.preventDefault();
    fail(`the engine crashed: ${reason(event.reason)}`);
  });
  self.addEventListener('error', (event) => {
    event.preventDefault();
    fail(`the engine failed: ${event.message || 'an error in the engine script'}`);
  });
}
