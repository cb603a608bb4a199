// The engine's own worker: loads the WebAssembly engine (morva.js) after arranging that every
// way it can fail reaches the page as { error }. A trap in the module becomes a rejected
// promise inside emscripten's start-up, an abort calls Module.onAbort, and a missing or broken
// morva.js throws here; none of them would reach the page by itself.
var morvaFailed = false;
function morvaFail(message) {
  if (morvaFailed) return;
  morvaFailed = true;
  postMessage({ error: message });
}

function morvaReason(reason) {
  return reason && reason.message ? reason.message : String(reason);
}

var Module = {
  onAbort: function (what) { morvaFail('the engine crashed: ' + morvaReason(what)); },
};
self.addEventListener('unhandledrejection', function (event) {
  event.preventDefault();
  morvaFail('the engine crashed: ' + morvaReason(event.reason));
});
self.addEventListener('error', function (event) {
  event.preventDefault();
  morvaFail('the engine failed: ' + (event.message || 'an error in morva.js'));
});
importScripts('morva.js');
