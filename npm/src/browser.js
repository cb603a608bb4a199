// Morva in browsers, for bundlers: the engine runs in a worker (morva-web.js beside this file),
// which needs no cross-origin isolation. Bundlers that follow `new URL(..., import.meta.url)`
// (webpack, Vite, Parcel) copy the worker along; with others, put morva-web.js beside the
// bundle, or give its address as workerUrl.
import { WorkerEngine } from './worker_engine.js';

export class Morva extends WorkerEngine {
  constructor(options = {}) {
    super(options.workerUrl ? new Worker(options.workerUrl) : new Worker(new URL('./morva-web.js', import.meta.url)));
  }
}
