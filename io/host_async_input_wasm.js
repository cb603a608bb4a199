// Standard input of the build that needs no shared memory: lines come as events of the host's
// own event loop (Node's standard input, a browser worker's messages), and the engine hands
// control back to that loop to receive them. Its two input calls are asynchronous imports
// (emscripten's ASYNCIFY): the engine's stack is put aside while the loop runs and brought
// back afterwards. The pending-input test of the search gives the loop one turn and then
// answers; a read with nothing queued sleeps until bytes or the end arrive, without spinning.
// Run before the engine starts (emscripten's pre-js, after host_wasm.js).

// Runs callback on a later turn of the event loop, after the events already waiting: Node's
// check phase comes after its input and output; in a browser worker a message to itself is
// not held back as nested timeouts are.
var morvaNextTurn;
if (morvaInNode) {
  morvaNextTurn = setImmediate;
} else {
  var morvaTurns = [];
  var morvaTurnChannel = new MessageChannel();
  morvaTurnChannel.port1.onmessage = function () { morvaTurns.shift()(); };
  morvaNextTurn = function (callback) {
    morvaTurns.push(callback);
    morvaTurnChannel.port2.postMessage(0);
  };
}

// The bytes received and not yet read, in the order they came.
function MorvaAsyncInput(onTaken) {
  var chunks = [];
  var offset = 0;
  var queued = 0;
  var ended = 0;
  var waiting = null;

  function wake() {
    if (!waiting) return;
    var take = waiting;
    waiting = null;
    morvaNextTurn(take);
  }

  // Moves up to capacity bytes to address in the engine's memory, as the read's result.
  function take(address, capacity) {
    if (queued === 0) return ended === 1 ? 0 : -1;
    var count = 0;
    while (count < capacity && chunks.length > 0) {
      var chunk = chunks[0];
      var part = Math.min(chunk.length - offset, capacity - count);
      // The memory as it is now: it may have grown while the engine slept.
      HEAPU8.set(chunk.subarray(offset, offset + part), address + count);
      count += part;
      offset += part;
      if (offset === chunk.length) {
        chunks.shift();
        offset = 0;
      }
    }
    queued -= count;
    if (onTaken) onTaken(queued);
    return count;
  }

  return {
    write: function (bytes) {
      if (bytes.length === 0) return;
      chunks.push(bytes);
      queued += bytes.length;
      wake();
    },
    end: function (failed) {
      if (ended === 0) ended = failed ? 2 : 1;
      wake();
    },
    queued: function () { return queued; },
    // Called by the engine: 1 when read returns at once, after the event loop has had a turn.
    ready: function () {
      return Asyncify.handleSleep(function (wakeUp) {
        morvaNextTurn(function () { wakeUp(queued > 0 || ended !== 0 ? 1 : 0); });
      });
    },
    // Called by the engine: the count of bytes moved (at least one), 0 at the end of input,
    // -1 after a read error. The memory argument is left alone: see take.
    read: function (memory, address, capacity) {
      return Asyncify.handleSleep(function (wakeUp) {
        if (queued > 0 || ended !== 0) return wakeUp(take(address, capacity));
        waiting = function () { wakeUp(take(address, capacity)); };
      });
    },
  };
}

if (morvaInNode) {
  // Reading stops while much is queued and goes on once the engine has read most of it, so
  // that a large file given as input is never held in memory whole.
  var MORVA_QUEUE_LIMIT = 1 << 20;
  var morvaInputStream = null;
  Module['morvaInput'] = MorvaAsyncInput(function (queued) {
    if (morvaInputStream && morvaInputStream.isPaused() && queued < MORVA_QUEUE_LIMIT / 2) morvaInputStream.resume();
  });
  morvaInputStream = morvaOpenInput(function (bytes) {
    Module['morvaInput'].write(bytes);
    if (Module['morvaInput'].queued() >= MORVA_QUEUE_LIMIT) morvaInputStream.pause();
  }, function (failed) { Module['morvaInput'].end(failed); });
  var morvaOutputGone = false;
  // The engine ends by its own exit, never by an empty event loop; the watch must not keep
  // the loop going after it.
  var morvaOutputWatch = morvaWatchOutput(function () { morvaOutputGone = true; });
  if (morvaOutputWatch) morvaOutputWatch.unref();
  Module['morvaOutputClosed'] = function () { return morvaOutputGone; };
} else if (morvaInWorker) {
  // Each message is one line; a line sent before the engine has started waits in the queue.
  var morvaEncoder = new TextEncoder();
  Module['morvaInput'] = MorvaAsyncInput(null);
  self.onmessage = function (event) {
    Module['morvaInput'].write(morvaEncoder.encode(String(event.data) + '\n'));
  };
}

// A main that has slept returns to no caller that would end the program: the end of its
// asynchronous run does it instead, with main's status.
Module['postRun'] = [function () {
  if (!Asyncify.currData) return;
  Asyncify.whenDone().then(function (status) { exit(status); }).catch(function (failure) {
    if (!(failure instanceof ExitStatus)) throw failure;
  });
}];
