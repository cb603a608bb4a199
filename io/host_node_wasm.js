// The Node side of the WebAssembly engine's streams: standard input opened as Node opens it,
// standard output written synchronously, and the watch for a reader of standard output that
// has gone. Run before the engine starts (emscripten's pre-js, after host_wasm.js); the engine
// built for browsers only leaves it out, so that bundlers meet no Node modules in it.

// Standard output could not be written: nobody reads what the engine says any more, and a
// search holds nothing worth saving.
var MORVA_EXIT_OUTPUT_FAILED = 3;

if (morvaInNode) {
  // Opens the process's standard input as Node's own streams do (an event loop, no blocking
  // read) and hands on its bytes, its end, or a failure to open or read it. Returns the stream
  // (null when it could not be opened). Uses nothing from outside itself: the shared-memory
  // build runs it in a thread of its own.
  var morvaOpenInput = function (onData, onEnd) {
    var fs = require('fs');
    var input;
    try {
      if (require('tty').isatty(0)) input = new (require('tty').ReadStream)(0);
      else if (fs.fstatSync(0).isFile()) input = fs.createReadStream(null, { fd: 0 });
      else input = new (require('net').Socket)({ fd: 0, readable: true, writable: false });
    } catch (error) {
      onEnd(true);
      return null;
    }
    input.on('data', onData);
    input.on('end', function () { onEnd(false); });
    input.on('error', function () { onEnd(true); });
    return input;
  };

  // Calls onClosed once nobody is left to read standard output, where that can be known
  // without writing: on a socket (how Node and many GUIs connect an engine), whose reading end
  // shows the other side's close. A pipe's writer learns of its reader's end only by writing.
  // Returns the watching socket, or null. Uses nothing from outside itself, like
  // morvaOpenInput.
  var morvaWatchOutput = function (onClosed) {
    try {
      if (!require('fs').fstatSync(1).isSocket()) return null;
      // Half-open: the socket stays open after its end, so that descriptor 1 stays ours.
      var socket = new (require('net').Socket)({ fd: 1, readable: true, writable: false, allowHalfOpen: true });
      socket.on('data', function () {});
      socket.on('end', onClosed);
      socket.on('error', onClosed);
      return socket;
    } catch (error) {
      // Not knowable here: the engine learns it from its next write.
      return null;
    }
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
        // A full non-blocking pipe is waited for. Any other failure of standard output (its
        // reader gone, no space left) ends the engine at once; standard error is only dropped.
        if (error.code === 'EAGAIN') {
          Atomics.wait(morvaPause, 0, 0, 1);
          continue;
        }
        if (fd === 1) process.exit(MORVA_EXIT_OUTPUT_FAILED);
        return;
      }
    }
  };
  Module['stdout'] = MorvaLineStream(function (bytes) { morvaWriteAll(1, bytes); });
  Module['stderr'] = MorvaLineStream(function (bytes) { morvaWriteAll(2, bytes); });
}
