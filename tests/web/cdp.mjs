// Headless Chromium from Debian's package, driven over the DevTools protocol through a
// pipe (--remote-debugging-pipe), so no client library and no WebSocket are needed.
import { spawn } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

export class Browser {
  static async launch() {
    const profile = mkdtempSync(join(tmpdir(), 'animatsiya-chromium-'));
    const args = [
      '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--disable-extensions', '--mute-audio', '--hide-scrollbars',
      // The page under test keeps its animation frames while no window is on screen.
      '--disable-background-timer-throttling', '--disable-renderer-backgrounding',
      '--disable-backgrounding-occluded-windows',
      `--user-data-dir=${profile}`, '--remote-debugging-pipe', 'about:blank',
    ];
    const child = spawn(process.env.CHROMIUM || 'chromium', args,
                        { stdio: ['ignore', 'ignore', 'pipe', 'pipe', 'pipe'] });
    const browser = new Browser(child, profile);
    await browser.send('Target.setDiscoverTargets', { discover: false });
    return browser;
  }

  constructor(child, profile) {
    this.child = child;
    this.profile = profile;
    this.nextId = 1;
    this.pending = new Map();
    this.listeners = [];
    this.stderr = '';
    let buffer = Buffer.alloc(0);
    child.stderr.on('data', (chunk) => { this.stderr = (this.stderr + chunk).slice(-4000); });
    child.stdio[4].on('data', (chunk) => {
      buffer = Buffer.concat([buffer, chunk]);
      for (let end = buffer.indexOf(0); end >= 0; end = buffer.indexOf(0)) {
        this.receive(JSON.parse(buffer.subarray(0, end).toString('utf8')));
        buffer = buffer.subarray(end + 1);
      }
    });
    this.exited = new Promise((resolve) => child.on('exit', resolve));
    this.exited.then(() => {
      for (const { reject, method } of this.pending.values()) {
        reject(new Error(`Chromium exited during ${method}: ${this.stderr}`));
      }
      this.pending.clear();
    });
  }

  receive(message) {
    if (message.id === undefined) {
      for (const listener of this.listeners) listener(message);
      return;
    }
    const call = this.pending.get(message.id);
    if (!call) return;
    this.pending.delete(message.id);
    if (message.error) call.reject(new Error(`${call.method}: ${message.error.message}`));
    else call.resolve(message.result);
  }

  send(method, params = {}, sessionId = undefined) {
    const id = this.nextId++;
    const message = { id, method, params };
    if (sessionId) message.sessionId = sessionId;
    return new Promise((resolve, reject) => {
      this.pending.set(id, { resolve, reject, method });
      this.child.stdio[3].write(`${JSON.stringify(message)}\0`);
    });
  }

  // A new tab of the given viewport, attached, with nothing loaded yet.
  async newPage({ width, height, deviceScaleFactor = 1 }) {
    const { targetId } = await this.send('Target.createTarget', { url: 'about:blank' });
    const { sessionId } = await this.send('Target.attachToTarget', { targetId, flatten: true });
    const page = new Page(this, sessionId, targetId);
    await page.send('Page.enable');
    await page.send('Runtime.enable');
    await page.send('Emulation.setDeviceMetricsOverride',
                    { width, height, deviceScaleFactor, mobile: false });
    return page;
  }

  async close() {
    try {
      await Promise.race([this.send('Browser.close'), this.exited]);
    } catch {
      // Already gone.
    }
    const timer = setTimeout(() => this.child.kill('SIGKILL'), 5000);
    await this.exited;
    clearTimeout(timer);
    rmSync(this.profile, { recursive: true, force: true });
  }
}

export class Page {
  constructor(browser, sessionId, targetId) {
    this.browser = browser;
    this.sessionId = sessionId;
    this.targetId = targetId;
    this.errors = [];
    browser.listeners.push((message) => {
      if (message.sessionId !== sessionId) return;
      if (message.method === 'Runtime.exceptionThrown') {
        this.errors.push(message.params.exceptionDetails.exception?.description ??
                         message.params.exceptionDetails.text);
      }
      if (message.method === 'Runtime.consoleAPICalled' && message.params.type === 'error') {
        this.errors.push(message.params.args.map((a) => a.value ?? a.description).join(' '));
      }
    });
  }

  send(method, params = {}) {
    return this.browser.send(method, params, this.sessionId);
  }

  // The value of a script expression in the page, promises awaited.
  async evaluate(expression) {
    const { result, exceptionDetails } = await this.send('Runtime.evaluate',
      { expression, returnByValue: true, awaitPromise: true });
    if (exceptionDetails) {
      throw new Error(`${expression}: ${exceptionDetails.exception?.description ?? exceptionDetails.text}`);
    }
    return result.value;
  }

  async navigate(url) {
    const loaded = new Promise((resolve) => {
      const listener = (message) => {
        if (message.sessionId === this.sessionId && message.method === 'Page.loadEventFired') {
          this.browser.listeners.splice(this.browser.listeners.indexOf(listener), 1);
          resolve();
        }
      };
      this.browser.listeners.push(listener);
    });
    await this.send('Page.navigate', { url });
    await loaded;
  }

  // Polls until the expression is true, or fails after `ms` milliseconds.
  async waitFor(expression, ms = 10000) {
    const end = Date.now() + ms;
    while (!(await this.evaluate(expression))) {
      if (Date.now() > end) throw new Error(`timed out waiting for ${expression}`);
      await new Promise((resolve) => setTimeout(resolve, 20));
    }
  }

  // A real click: the pointer moves there, presses and lets go.
  async click(x, y) {
    await this.send('Input.dispatchMouseEvent', { type: 'mouseMoved', x, y });
    await this.send('Input.dispatchMouseEvent',
                    { type: 'mousePressed', x, y, button: 'left', buttons: 1, clickCount: 1 });
    await this.send('Input.dispatchMouseEvent',
                    { type: 'mouseReleased', x, y, button: 'left', buttons: 0, clickCount: 1 });
  }

  async key(key, code = key, keyCode = 0) {
    for (const type of ['rawKeyDown', 'keyUp']) {
      await this.send('Input.dispatchKeyEvent',
                      { type, key, code, windowsVirtualKeyCode: keyCode });
    }
  }

  // The viewport as the screen shows it, in device pixels, as PNG bytes.
  async screenshot() {
    const { data } = await this.send('Page.captureScreenshot', { format: 'png' });
    return Buffer.from(data, 'base64');
  }
}
