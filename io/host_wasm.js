// Where the WebAssembly engine's standard streams lead, under Node and in a browser worker.
// Run before the engine starts (emscripten's pre-js, after input_queue_wasm.js).

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

if (morvaInNode) {
  // The reader thread: takes the process's standard input as Node's own streams do (an
  // event loop, no blocking read) and puts it in the queue. A thread blocked in a read could
  // not be ended, and Node waits for its threads when the engine exits.
  var morvaReadStandardInput = function (queueSource) {
    var fs = require('fs');
    var makeQueue = new Function('return ' + queueSource)();
    var queue = makeQueue(require('worker_threads').workerData);
    var input;
    try {
      if (require('tty').isatty(0)) input = new (require('tty').ReadStream)(0);
      else if (fs.fstatSync(0).isFile()) input = fs.createReadStream(null, { fd: 0 });
      else input = new (require('net').Socket)({ fd: 0, readable: true, writable: false });
    } catch (error) {
      queue.end(true);
      return;
    }
    input.on('data', function (bytes) { queue.write(bytes); });
    input.on('end', function () { queue.end(false); });
    input.on('error', function () { queue.end(true); });
  };

  var morvaPause = new Int32Array(new SharedArrayBuffer(4));
  var morvaWriteAll = function (fd, bytes) {
    var fs = require('fs');
    var buffer = Buffer.from(bytes);
    var offset = 0;
    while (offset < buffer.length) {
      try {
        offset += fs.writeSync(fd, buffer, offset);
      } catch (error) {
        // A reader that has gone away takes no more output; the engine goes on until its
        // input ends. A full non-blocking pipe is waited for.
        if (error.code !== 'EAGAIN') return;
        Atomics.wait(morvaPause, 0, 0, 1);
      }
    }
  };

  var morvaShared = MorvaInputQueue.allocate();
  Module['morvaInput'] = MorvaInputQueue(morvaShared);
  var morvaReader = new (require('worker_threads').Worker)(
    '(' + morvaReadStandardInput + ')(' + JSON.stringify(MorvaInputQueue.toString()) + ')',
    { eval: true, workerData: morvaShared });
  morvaReader.unref();
  Module['stdout'] = MorvaLineStream(function (bytes) { morvaWriteAll(1, bytes); });
  Module['stderr'] = MorvaLineStream(function (bytes) { morvaWriteAll(2, bytes); });
} else if (morvaInWorker) {
  // The worker that started this one sends the queue's shared memory first; the engine starts
  // once it has come. Each output line goes back as one message, without its line feed.
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
