'use strict';
// One UCI engine process behind pipes: write command lines, wait for reply
// lines with a deadline, notice when the process dies, and kill it when it
// does not answer. Nothing here ever waits without a deadline.
const { spawn } = require('node:child_process');

function firstToken(line) {
  return line.trim().split(/\s+/)[0] || '';
}

class UciEngine {
  constructor(setup) {
    this.setup = setup;
    this.lines = [];          // stdout lines not yet consumed by a wait
    this.log = [];            // every line both ways, for the game's log file
    this.stderr = '';
    this.exit = null;         // { code, signal } once the process has ended
    this.waiter = null;
    this.partial = '';
    this.quitSent = false;
  }

  start() {
    this.proc = spawn(this.setup.command, this.setup.args || [], { stdio: ['pipe', 'pipe', 'pipe'] });
    this.proc.stdout.setEncoding('latin1');
    this.proc.stderr.setEncoding('latin1');
    this.proc.stdout.on('data', (chunk) => this.onData(chunk));
    this.proc.stderr.on('data', (chunk) => { this.stderr += chunk; });
    // A write to an engine that has died must not bring the runner down.
    this.proc.stdin.on('error', () => {});
    this.proc.on('error', (err) => this.onExit(null, null, err.message));
    // 'close' comes after the output pipes are drained, so no reply is lost behind the exit.
    this.proc.on('close', (code, signal) => this.onExit(code, signal));
  }

  onData(chunk) {
    const parts = (this.partial + chunk).split('\n');
    this.partial = parts.pop();
    for (const raw of parts) {
      const line = raw.replace(/\r$/, '');
      this.log.push('< ' + line);
      this.lines.push(line);
    }
    this.wake();
  }

  onExit(code, signal, error) {
    if (this.exit) return;
    if (this.partial) this.onData('\n');
    this.exit = { code, signal, error };
    this.log.push(`# exit code=${code} signal=${signal}${error ? ' error=' + error : ''}`);
    this.wake();
  }

  wake() {
    if (this.waiter) this.waiter();
  }

  send(line) {
    this.log.push('> ' + line);
    if (!this.exit && this.proc.stdin.writable) this.proc.stdin.write(line + '\n');
  }

  // Resolves with the first line whose first token is `token` (the lines before
  // it are returned too), or with a reason when the deadline passes or the
  // process ends first. Replies are matched by tokens, so trailing blanks and
  // extra empty lines do not matter.
  waitFor(token, timeoutMs) {
    return new Promise((resolve) => {
      const seen = [];
      let timer = null;
      const finish = (result) => {
        clearTimeout(timer);
        this.waiter = null;
        resolve({ ...result, seen });
      };
      const check = () => {
        while (this.lines.length > 0) {
          const line = this.lines.shift();
          seen.push(line);
          if (firstToken(line) === token) return finish({ line });
        }
        if (this.exit) return finish({ failure: 'exited' });
      };
      timer = setTimeout(() => finish({ failure: 'timeout' }), timeoutMs);
      this.waiter = check;
      check();
    });
  }

  async handshake(timeoutMs) {
    this.send('uci');
    const uciok = await this.waitFor('uciok', timeoutMs);
    if (uciok.failure) return `no uciok (${uciok.failure})`;
    for (const [name, value] of this.setup.options || []) {
      this.send(`setoption name ${name} value ${value}`);
    }
    return this.ready(timeoutMs);
  }

  async ready(timeoutMs) {
    this.send('isready');
    const readyok = await this.waitFor('readyok', timeoutMs);
    return readyok.failure ? `no readyok (${readyok.failure})` : null;
  }

  // Waits up to timeoutMs for the process to end by itself.
  waitExit(timeoutMs) {
    return new Promise((resolve) => {
      if (this.exit) return resolve(this.exit);
      const timer = setTimeout(() => { this.waiter = null; resolve(null); }, timeoutMs);
      this.waiter = () => {
        if (!this.exit) return;
        clearTimeout(timer);
        this.waiter = null;
        resolve(this.exit);
      };
    });
  }

  // Sends "quit" and waits for the exit; a process that stays is killed.
  // Returns the exit record, with `killed` set when it had to be killed.
  async quit(timeoutMs) {
    if (!this.exit) {
      this.quitSent = true;
      this.send('quit');
      if (await this.waitExit(timeoutMs)) return this.exit;
    }
    return this.kill();
  }

  async kill() {
    if (this.exit) return this.exit;
    this.proc.kill('SIGKILL');
    await this.waitExit(5000);
    this.exit = { ...(this.exit || {}), killed: true };
    return this.exit;
  }

  // True when the process ended the way a clean exit does: by itself with the
  // status the engine uses for that way out, not by a signal.
  exitedCleanly(expectedCode) {
    return this.exit && !this.exit.killed && this.exit.signal === null && this.exit.code === expectedCode;
  }
}

module.exports = { UciEngine, firstToken };
