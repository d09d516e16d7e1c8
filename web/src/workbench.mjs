// The workbench module (workbench.js and workbench.wasm: the traffic solver,
// the sheets and the grading, the same C++ as the tools), loaded only when
// the Traffic or Exercises view is first opened, so that the dialog starts
// as quickly as before. Each call hands texts and numbers to the bridge
// (web/workbench.cpp) and gives back its JSON answer as an object; an answer
// with "error" is a complaint, thrown as a WorkbenchError.

export class WorkbenchError extends Error {}

let loading = null;

export function workbench() {
  if (loading === null) loading = load();
  return loading;
}

// The module for a view: `what` names the view's part in the message that
// `status` shows should it not load (then null); `status` is hidden once it has.
export async function workbenchFor(what, status) {
  try {
    const wb = await workbench();
    status.hidden = true;
    return wb;
  } catch (e) {
    status.textContent = `${what} (workbench.wasm) could not be loaded: ${e.message}. Reload the page.`;
    return null;
  }
}

function script(src) {
  return new Promise((resolve, reject) => {
    const s = document.createElement('script');
    s.src = src;
    s.onload = resolve;
    s.onerror = () => reject(new Error(`${src} could not be loaded`));
    document.head.append(s);
  });
}

async function load() {
  // The single-file page holds the loader and the module inline.
  if (typeof window.createWorkbench === 'undefined') await script('workbench.js');
  const inline = document.getElementById('workbench-wasm');
  const options = {};
  if (inline !== null) {
    const text = atob(inline.textContent.trim());
    const bytes = new Uint8Array(text.length);
    for (let i = 0; i < text.length; i++) bytes[i] = text.charCodeAt(i);
    options.wasmBinary = bytes;
  }
  return bridge(await window.createWorkbench(options));
}

// The calls of a module instance (also under node, by the tests).
export function bridge(m) {
  const call = (name, ...args) => {
    const texts = [];
    const values = args.map((a) => {
      if (typeof a !== 'string') return a;
      const size = m.lengthBytesUTF8(a) + 1;
      const at = m._malloc(size);
      m.stringToUTF8(a, at, size);
      texts.push(at);
      return at;
    });
    try {
      const answer = JSON.parse(m.UTF8ToString(m[`_workbench_${name}`](...values), m._workbench_length()));
      if (answer.error !== undefined) throw new WorkbenchError(answer.error);
      return answer;
    } finally {
      for (const at of texts) m._free(at);
    }
  };
  return {
    // The board comes apart from the JSON, as it is: most of the bytes.
    traffic: (toml, source) => ({ ...call('traffic', toml, source), board: m.UTF8ToString(m._workbench_board(), m._workbench_length()) }),
    vectorAt: (x, y) => call('vector_at', x, y),
    sheet: (seed, kinds, count) => call('sheet', seed, kinds, count),
    exercise: (seed, kinds, number, count) => call('exercise', seed, kinds, number, count),
    grade: (seed, kinds, number, count, answers) => call('grade', seed, kinds, number, count, answers),
  };
}
