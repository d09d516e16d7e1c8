// The page's shell: its views, one shown at a time and chosen by the address's
// fragment (#dialog, ...), listed in the header's navigation once there is more
// than one; a polite live region for what a view has to say; and the service
// worker that keeps the page's files for use without network.
//
// A view is a <section class="view" id="view-NAME"> in index.html, defined here
// with defineView({ name, title, enter, leave }); enter(moveFocus, argument)
// runs each time it is shown (the first time before anything else of it),
// leave() when another is. The fragment may carry an argument for the view
// after "=" (#traffic=..., #exercise=...: `aliases` names the view such a
// fragment opens); a view shown already gets a new one by enter() again.

const views = [];
let current = null;

export function defineView(view) {
  view.element = document.getElementById(`view-${view.name}`);
  views.push(view);
}

function show(fragment, moveFocus) {
  const at = fragment.indexOf('=');
  const name = at < 0 ? fragment : fragment.slice(0, at);
  const argument = at < 0 ? null : fragment.slice(at + 1);
  const view = views.find((v) => v.name === name || (v.aliases || []).includes(name)) || views[0];
  if (view === current) {
    if (argument !== null && view.enter) view.enter(moveFocus, argument);
    return;
  }
  if (current !== null) {
    current.element.hidden = true;
    if (current.leave) current.leave();
  }
  current = view;
  view.element.hidden = false;
  for (const link of document.querySelectorAll('#view-tabs a')) {
    if (link.dataset.view === view.name) link.setAttribute('aria-current', 'page');
    else link.removeAttribute('aria-current');
  }
  document.title = `ECHO-TRACK: ${view.title}`;
  if (view.enter) view.enter(moveFocus, argument);
}

// Shows the view of the address's fragment, or the first one.
export function startShell() {
  const nav = document.getElementById('view-tabs');
  if (views.length > 1) {
    const list = document.createElement('ul');
    for (const view of views) {
      const item = document.createElement('li');
      const link = document.createElement('a');
      link.href = `#${view.name}`;
      link.dataset.view = view.name;
      link.textContent = view.title;
      item.append(link);
      list.append(item);
    }
    nav.append(list);
  } else {
    nav.hidden = true;
  }
  for (const view of views) view.element.hidden = true;
  // The fragment the address was changed to, not the address now: a view
  // that keeps its state in the address may have replaced it since.
  window.addEventListener('hashchange', (event) => show(decodeURIComponent(new URL(event.newURL).hash.slice(1)), true));
  show(decodeURIComponent(location.hash.slice(1)), false);
  registerServiceWorker();
}

// Says `text` to a screen reader, politely, once; what is said within the
// same moment is said together.
let said = [];
export function announce(text) {
  said.push(text);
  if (said.length > 1) return;
  const region = document.getElementById('announce');
  region.textContent = '';
  // (a change after an empty pause is read even when the text repeats)
  setTimeout(() => {
    region.textContent = said.join('\n');
    said = [];
  }, 50);
}

// Copies text to the clipboard; true when it went there.
export async function copyText(text) {
  try {
    await navigator.clipboard.writeText(text);
    return true;
  } catch {
    // Opened from disk the clipboard interface may be missing: the older way.
    const area = document.createElement('textarea');
    area.value = text;
    area.setAttribute('readonly', '');
    area.style.position = 'fixed';
    area.style.opacity = '0';
    const focused = document.activeElement;
    document.body.append(area);
    area.select();
    const done = document.execCommand('copy');
    area.remove();
    if (focused) focused.focus();
    return done;
  }
}

// Served over http(s) the page keeps its files with a service worker, so that
// it reloads without network and can be installed; from disk it cannot.
function registerServiceWorker() {
  if (!('serviceWorker' in navigator) || !location.protocol.startsWith('http')) return;
  if (document.getElementById('echo-track-wasm')) return;  // the single file needs none
  window.addEventListener('load', () => {
    navigator.serviceWorker.register('sw.js').catch(() => {});
  });
}
