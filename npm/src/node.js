// Morva under Node: the engine (morva.js beside this file) runs as a child process of this
// one, with its standard input and output as the pipes of the conversation.
import { spawn } from 'node:child_process';
import path from 'node:path';

import { UciEngine } from './uci_engine.js';

export class Morva extends UciEngine {
  constructor() {
    super();
    this.child = spawn(process.execPath, [path.join(__dirname, 'morva.js')], { stdio: ['pipe', 'pipe', 'inherit'] });
    // The engine's bytes are single-byte text; a line may arrive in pieces.
    let pending = '';
    this.child.stdout.setEncoding('latin1');
    this.child.stdout.on('data', (text) => {
      pending += text;
      for (let end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n')) {
        this.lineCame(pending.slice(0, end));
        pending = pending.slice(end + 1);
      }
    });
    // A write after the engine has gone fails here; its end is reported by the exit event.
    this.child.stdin.on('error', () => {});
    this.child.on('error', (error) => this.ended(null, error));
    this.child.on('exit', (code, signal) => this.ended(code ?? signal));
  }

  write(text) {
    this.child.stdin.write(text, 'latin1');
  }
}
