// The shared-memory engine's own worker, started by engine-worker.js: morva.js, with its
// failures reported to the page.
import { reportEngineFailures } from './engine_failures.js';

reportEngineFailures();
importScripts('morva.js');
