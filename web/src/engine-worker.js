// Morva as a Web Worker: post it UCI lines, receive one message per line it writes
// ({ line }, or { exit } when it ends, { error } when it fails).
//
// The engine itself (morva.js, loaded by engine-host.js) runs in a worker of its own whose
// command loop is synchronous and never returns to the event loop, so it cannot receive
// messages. This worker receives them for it and puts every line in the engine's input queue in
// shared memory, which the engine reads even in the middle of a search ("stop", "isready",
// "quit").
importScripts('input-queue.js');

const shared = MorvaInputQueue.allocate();
const input = MorvaInputQueue(shared);
const encoder = new TextEncoder();
const engine = new Worker('engine-host.js');

engine.onmessage = (event) => postMessage(event.data);
engine.onerror = (event) => {
  event.preventDefault();
  postMessage({ error: event.message || 'the engine failed to start' });
};
engine.postMessage(shared);

onmessage = (event) => {
  input.write(encoder.encode(String(event.data) + '\n'));
};
