// The page: its shell (shell.mjs) with three views: the dialog (dialog.mjs),
// Traffic (traffic.mjs) and Exercises (exercises.mjs). The dialog's compiled
// module comes from echo-track.wasm beside the page, whose fetch and
// compilation the page's head starts before anything else, or, in the
// single-file page, from the base64 text that the file holds. The other two
// views load the workbench's module (workbench.mjs) when first opened.

import { dialogView } from './dialog.mjs';
import { exercisesView } from './exercises.mjs';
import { defineView, startShell } from './shell.mjs';
import { trafficView } from './traffic.mjs';

function compileModule() {
  const inline = document.getElementById('echo-track-wasm');
  if (inline === null) return window.echoTrackModule || WebAssembly.compileStreaming(fetch('echo-track.wasm'));
  const text = atob(inline.textContent.trim());
  const bytes = new Uint8Array(text.length);
  for (let i = 0; i < text.length; i++) bytes[i] = text.charCodeAt(i);
  return WebAssembly.compile(bytes);
}

// A view that is set up when first shown: the dialog's start is not to wait
// for the others.
function later(name, title, make, aliases = []) {
  let view = null;
  return { name, title, aliases, enter: (...args) => (view ??= make()).enter(...args) };
}

// The module is fetched and compiled once, and instantiated anew for every run.
defineView(dialogView(compileModule()));
defineView(later('traffic', 'Traffic', trafficView));
defineView(later('exercises', 'Exercises', exercisesView, ['exercise']));
startShell();
