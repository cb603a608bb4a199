// The conversation with Morva over a worker: each line goes as one message; the worker answers
// with { line } for each line Morva writes, { exit } when it ends and { error } when it fails.
import { UciEngine } from './uci_engine.js';

export class WorkerEngine extends UciEngine {
  constructor(worker) {
    super();
    this.worker = worker;
    worker.onmessage = ({ data }) => {
      if (data.line !== undefined) this.lineCame(data.line);
      else if (data.exit !== undefined) this.finish(data.exit, null);
      else if (data.error !== undefined) this.finish(null, new Error(data.error));
    };
    worker.onerror = (event) => {
      event.preventDefault();
      this.finish(null, new Error(event.message || 'the engine worker could not start'));
    };
  }

  write(text) {
    this.worker.postMessage(text.slice(0, -1));
  }

  finish(status, failure) {
    this.worker.terminate();
    this.ended(status, failure);
  }
}
