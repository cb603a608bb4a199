// Standard input of the WebAssembly engine: a byte queue in a SharedArrayBuffer. One thread
// writes (the reader of the process's input under Node, the page's messenger worker in a
// browser); the engine reads, waiting with Atomics.wait, because its command loop is plain
// synchronous C++ that never returns to the JavaScript event loop to receive anything.
//
// This function is also turned into source text and run in other threads, so it uses nothing
// from outside itself.
function MorvaInputQueue(shared) {
  // Header words: bytes written and bytes read since the start (both counted modulo 2^32), how
  // the input ended (0 not yet, 1 at its end, 2 on a read error), and a counter that every
  // change the engine may be waiting for moves on.
  var WRITTEN = 0;
  var READ = 1;
  var ENDED = 2;
  var CHANGES = 3;
  var header = new Int32Array(shared, 0, 4);
  var data = new Uint8Array(shared, 16);
  var mask = data.length - 1;

  function unread() {
    return (Atomics.load(header, WRITTEN) - Atomics.load(header, READ)) >>> 0;
  }

  function signal() {
    Atomics.add(header, CHANGES, 1);
    Atomics.notify(header, CHANGES);
  }

  return {
    // Appends the bytes, waiting while the queue is full, so nothing is ever dropped.
    write: function (bytes) {
      var offset = 0;
      while (offset < bytes.length) {
        var read = Atomics.load(header, READ);
        var free = data.length - unread();
        if (free === 0) {
          Atomics.wait(header, READ, read);
          continue;
        }
        var count = Math.min(free, bytes.length - offset);
        var at = Atomics.load(header, WRITTEN);
        for (var i = 0; i < count; ++i) data[(at + i) & mask] = bytes[offset + i];
        Atomics.store(header, WRITTEN, (at + count) | 0);
        offset += count;
        signal();
      }
    },
    end: function (failed) {
      Atomics.store(header, ENDED, failed ? 2 : 1);
      signal();
    },
    // True when read would return at once: bytes are waiting or the input has ended.
    ready: function () {
      return unread() > 0 || Atomics.load(header, ENDED) !== 0;
    },
    // Moves up to capacity bytes into memory at address, waiting for at least one. Returns the
    // count, 0 at the end of input, -1 after a read error.
    read: function (memory, address, capacity) {
      for (;;) {
        var changes = Atomics.load(header, CHANGES);
        // The end is read before the count: the writer marks the end only after its last bytes,
        // so an end seen here comes with all of them, while an end read after the count could
        // belong to bytes that count has not seen.
        var ended = Atomics.load(header, ENDED);
        var waiting = unread();
        if (waiting > 0) {
          var count = Math.min(waiting, capacity);
          var from = Atomics.load(header, READ);
          for (var i = 0; i < count; ++i) memory[address + i] = data[(from + i) & mask];
          Atomics.store(header, READ, (from + count) | 0);
          Atomics.notify(header, READ);
          return count;
        }
        if (ended !== 0) return ended === 1 ? 0 : -1;
        Atomics.wait(header, CHANGES, changes);
      }
    },
  };
}

// A queue's shared memory: the header and a power-of-two ring that holds several of the
// longest command lines.
MorvaInputQueue.allocate = function () {
  return new SharedArrayBuffer(16 + (1 << 20));
};
