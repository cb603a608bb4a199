// Standard input of the shared-memory build: the queue of input_queue_wasm.js, filled by a
// thread of its own under Node and by the page's messenger worker in a browser. Run before the
// engine starts (emscripten's pre-js, after input_queue_wasm.js and host_wasm.js).

if (morvaInNode) {
  // The reader thread: takes the process's standard input and puts it in the queue. A thread
  // blocked in a read could not be ended, and Node waits for its threads when the engine
  // exits. It also watches standard output for its reader's end, which the engine's own
  // thread, busy in its search or waiting on the queue, would never hear of; the watch keeps
  // the thread alive after the end of the input (the process does not wait for the thread).
  var morvaReadStandardInput = function (sources) {
    var make = function (source) { return new Function('return ' + source)(); };
    var shared = require('worker_threads').workerData;
    var queue = make(sources.queue)(shared.input);
    var outputClosed = new Int32Array(shared.outputClosed);
    make(sources.watchOutput)(function () { Atomics.store(outputClosed, 0, 1); });
    make(sources.openInput)(function (bytes) { queue.write(bytes); }, function (failed) {
      // Events of the same turn go first: an output closed together with the input is then
      // known to be closed when the engine meets the end.
      setImmediate(function () { queue.end(failed); });
    });
  };

  var morvaShared = { input: MorvaInputQueue.allocate(), outputClosed: new SharedArrayBuffer(4) };
  var morvaOutputClosed = new Int32Array(morvaShared.outputClosed);
  Module['morvaInput'] = MorvaInputQueue(morvaShared.input);
  Module['morvaOutputClosed'] = function () { return Atomics.load(morvaOutputClosed, 0) === 1; };
  var morvaSources = {
    queue: MorvaInputQueue.toString(), openInput: morvaOpenInput.toString(), watchOutput: morvaWatchOutput.toString(),
  };
  var morvaReader = new (require('worker_threads').Worker)(
    '(' + morvaReadStandardInput + ')(' + JSON.stringify(morvaSources) + ')', { eval: true, workerData: morvaShared });
  morvaReader.unref();
} else if (morvaInWorker) {
  // The worker that started this one sends the queue's shared memory first; the engine starts
  // once it has come.
  var morvaInputCame = null;
  self.onmessage = function (event) {
    self.onmessage = null;
    Module['morvaInput'] = MorvaInputQueue(event.data);
    if (morvaInputCame) morvaInputCame();
  };
  Module['preRun'] = [function () {
    if (Module['morvaInput']) return;
    addRunDependency('morva-input');
    morvaInputCame = function () { removeRunDependency('morva-input'); };
  }];
}
