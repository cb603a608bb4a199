// Where the WebAssembly engine's standard streams lead, under Node and in a browser worker.
// Run before the engine starts (emscripten's pre-js), before the Node side (host_node_wasm.js,
// left out of the engine built for browsers only) and the input side of the build
// (host_shared_input_wasm.js or host_async_input_wasm.js).

// Collects the bytes of one stream and hands each finished line on, so that every reply keeps
// its exact bytes (blanks, empty lines) and leaves in one piece.
function MorvaLineStream(deliver) {
  var pending = [];
  var stream = function (byte) {
    pending.push(byte);
    if (byte === 10) stream.flush();
  };
  stream.flush = function () {
    if (pending.length === 0) return;
    var bytes = pending;
    pending = [];
    deliver(bytes);
  };
  return stream;
}

// Emscripten decides its environment after the pre-js has run; the glue asks the same
// questions itself.
var morvaInNode = typeof process == 'object' && typeof process.versions == 'object' &&
    typeof process.versions.node == 'string';
var morvaInWorker = !morvaInNode && typeof importScripts == 'function';

if (morvaInWorker) {
  // Each output line goes back as one message, without its line feed; a failure as { error }.
  var morvaPostLines = function (kind) {
    return MorvaLineStream(function (bytes) {
      var text = String.fromCharCode.apply(null, bytes);
      postMessage({ [kind]: text.endsWith('\n') ? text.slice(0, -1) : text });
    });
  };
  Module['stdout'] = morvaPostLines('line');
  Module['stderr'] = morvaPostLines('error');
}

Module['onExit'] = function (status) {
  Module['stdout'].flush();
  Module['stderr'].flush();
  if (morvaInWorker) postMessage({ exit: status });
};
