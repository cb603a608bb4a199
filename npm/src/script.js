// Morva in browsers, from a plain <script> tag: defines the global Morva, whose worker is
// morva-web.js beside this script unless workerUrl names another address.
import { WorkerEngine } from './worker_engine.js';

const scriptUrl = document.currentScript && document.currentScript.src;

class Morva extends WorkerEngine {
  constructor(options = {}) {
    super(new Worker(options.workerUrl || new URL('morva-web.js', scriptUrl || location.href)));
  }
}

self.Morva = Morva;
