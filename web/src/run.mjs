// One run of the program in a new instance of the WebAssembly module: typed
// bytes go in through `type`, and the hooks hear its output (stream 1 or 2,
// as bytes), each exercise's picture (SVG text), each time it waits for typed
// bytes (`waiting`, optional) and its ending ("stop", "error-report" or
// "interrupt"). `interrupt` is Ctrl-C at a console: the next read, or the one
// waiting, ends the run as SIGINT does. The same code drives the page and the
// tests under node.

export function startRun(createEchoTrack, hooks, moduleOptions = {}) {
  const queue = [];  // typed chunks not yet read, Uint8Array each
  let inputEnded = false;
  let interrupted = false;
  let wake = null;   // resolves a read that waits

  function take(capacity) {
    const parts = [];
    let size = 0;
    while (queue.length > 0 && size < capacity) {
      const chunk = queue[0];
      const n = Math.min(chunk.length, capacity - size);
      parts.push(chunk.subarray(0, n));
      size += n;
      if (n === chunk.length) queue.shift();
      else queue[0] = chunk.subarray(n);
    }
    const bytes = new Uint8Array(size);
    let at = 0;
    for (const part of parts) {
      bytes.set(part, at);
      at += part.length;
    }
    return bytes;  // empty at the end of input
  }

  function wakeReader() {
    if (wake !== null) {
      const w = wake;
      wake = null;
      w();
    }
  }

  const bridge = {
    read(capacity) {
      if (interrupted) return Promise.resolve(null);
      if (queue.length > 0 || inputEnded) return Promise.resolve(take(capacity));
      const read = new Promise((resolve) => { wake = () => resolve(interrupted ? null : take(capacity)); });
      if (hooks.waiting) hooks.waiting();
      return read;
    },
    ready() { return interrupted || queue.length > 0 || inputEnded; },
    write(stream, bytes) { hooks.output(stream, bytes); },
    picture(svg) { if (hooks.picture) hooks.picture(svg); },
    ended(how) { hooks.ended(how); },
  };
  const module = createEchoTrack({ ...moduleOptions, echoTrack: bridge });
  return {
    module,
    type(bytes) {
      if (inputEnded) return;
      queue.push(typeof bytes === 'string' ? new TextEncoder().encode(bytes) : bytes);
      wakeReader();
    },
    endInput() {
      inputEnded = true;
      wakeReader();
    },
    interrupt() {
      interrupted = true;
      wakeReader();
    },
  };
}
