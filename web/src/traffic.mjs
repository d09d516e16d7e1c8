// The Traffic view: a traffic exercise of several ships, solved by the same
// C++ as echo-track-traffic (through the workbench's bridge). The TOML text
// is what is solved: the form writes it, a file or the address gives it, and
// the form is filled from what the bridge read of it. The page shows the
// bridge's answer as it comes: the target table with the report's columns
// and cells, the trial's passages, the manoeuvre and recommendation as the
// report prints them, the whole report, and the board as SVG. A trial is
// typed into its fields or set by dragging the own ship's vector on the
// board (the bridge turns the point into whole degrees and tenths of a
// knot); it is written into the text's [trial] table. The address keeps the
// text, #traffic= and the TOML in base64url, current by history.replaceState.

import { announce } from './shell.mjs';
import { WorkbenchError, workbenchFor } from './workbench.mjs';
import defaultExercise from '../../examples/crossing-three-ships.toml';

const byId = (id) => document.getElementById(id);
const kKinds = ['power', 'sailing', 'fishing', 'restricted_in_ability', 'not_under_command', 'constrained_by_draught'];
// The settings the form does not show, with the reader's defaults: kept as
// the file gave them.
const kKept = [['plot_tolerance_nm', 0.2], ['risk_horizon_min', 30], ['least_alteration_deg', 30], ['least_speed_fraction', 0.5]];
// The fastest trial the board takes, as the bridge snaps a dragged vector.
const kMostTrialSpeedKt = 99;
const manoeuvreLabels = { time: 'Time, hh:mm', delay_min: 'Minutes', when_range_nm: 'Range, nm' };

export function toBase64Url(text) {
  const bytes = new TextEncoder().encode(text);
  let binary = '';
  for (let i = 0; i < bytes.length; i += 0x8000) binary += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
  return btoa(binary).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
}

export function fromBase64Url(text) {
  const binary = atob(text.replace(/-/g, '+').replace(/_/g, '/'));
  const bytes = new Uint8Array(binary.length);
  for (let i = 0; i < binary.length; i++) bytes[i] = binary.charCodeAt(i);
  return new TextDecoder('utf-8', { fatal: true }).decode(bytes);
}

// The text with its [trial] table replaced by one of `course` and `speed`
// (none when either is null), placed before the first [[target]].
export function withTrial(text, course, speed) {
  const lines = text.split('\n');
  const kept = [];
  let inTrial = false;
  for (const line of lines) {
    if (/^\s*\[/.test(line)) inTrial = /^\s*\[\s*trial\s*\]\s*(#.*)?$/.test(line);
    if (!inTrial) kept.push(line);
  }
  if (course === null || speed === null) return kept.join('\n');
  const at = kept.findIndex((l) => /^\s*\[\[\s*target\s*\]\]/.test(l));
  const trial = ['[trial]', `course = ${course}`, `speed_kt = ${speed}`, ''];
  kept.splice(at < 0 ? kept.length : at, 0, ...trial);
  return kept.join('\n');
}

const quoted = (s) => JSON.stringify(s);

function element(tag, attributes = {}, ...children) {
  const e = document.createElement(tag);
  for (const [k, v] of Object.entries(attributes)) {
    if (k === 'text') e.textContent = v;
    else e.setAttribute(k, v);
  }
  e.append(...children);
  return e;
}

function fillTable(table, titles, rows, caption) {
  if (caption !== undefined) table.querySelector('caption').textContent = caption;
  const head = element('tr');
  for (const t of titles) head.append(element('th', { scope: 'col', text: t }));
  table.tHead.replaceChildren(head);
  const body = document.createDocumentFragment();
  for (const cells of rows) {
    const tr = element('tr');
    cells.forEach((c, k) => {
      const cell = element(k === 0 ? 'th' : 'td', k === 0 ? { scope: 'row', text: c } : { text: c });
      if (cells.length < titles.length && k === cells.length - 1) cell.colSpan = titles.length - k;
      if (c.startsWith('DANGER')) cell.className = 'danger';
      tr.append(cell);
    });
    body.append(tr);
  }
  table.tBodies[0].replaceChildren(body);
}

export function trafficView() {
  const form = byId('traffic-form');
  const text = byId('traffic-toml');
  const error = byId('traffic-error');
  const boardBox = byId('traffic-board');
  const trialCourse = byId('trial-course');
  const trialSpeed = byId('trial-speed');
  let wb = null;
  let source = 'exercise.toml';
  let kept = {};           // the settings the form does not show, as read
  let last = null;         // the last answer
  let pending = null;      // a solve waiting for the next frame
  // What the tests read: every answer, the complaint, how long the last
  // solve and redraw took (ms).
  const record = { solves: 0, result: null, error: null, renderMs: null, bridgeMs: null };
  window.echoTrackTraffic = record;

  function showError(message) {
    record.error = message;
    error.textContent = message;
    error.hidden = message === null;
  }

  // The address follows the text, a moment after it settles (not within
  // the frame of every drag step).
  let addressTimer = null;
  function keepAddress() {
    clearTimeout(addressTimer);
    addressTimer = setTimeout(() => history.replaceState(null, '', `#traffic=${toBase64Url(text.value)}`), 100);
  }

  // Solves the text; `fillForm`: the form is to show what was read.
  function solve(fillForm) {
    if (wb === null) return;
    const started = performance.now();
    let answer;
    try {
      answer = wb.traffic(text.value, source);
    } catch (e) {
      if (!(e instanceof WorkbenchError)) throw e;
      showError(e.message);
      record.solves++;
      keepAddress();
      return;
    }
    record.bridgeMs = performance.now() - started;
    showError(null);
    last = answer;
    render(answer, fillForm);
    record.result = answer;
    record.solves++;
    record.renderMs = performance.now() - started;
    keepAddress();
  }

  // At most one solve per frame while typing or dragging.
  function solveSoon(fillForm = false) {
    if (pending !== null) return;
    pending = requestAnimationFrame(() => {
      pending = null;
      solve(fillForm);
    });
  }

  function render(a, fillForm) {
    boardBox.innerHTML = a.board;
    const svg = boardBox.querySelector('svg');
    svg.setAttribute('role', 'img');
    svg.setAttribute('aria-label', `The traffic board: ${a.heading.split('\n')[0]}`);
    svg.classList.add('board-drawn');
    placeGrip();
    fillTable(byId('targets-table'), a.targets.titles, a.targets.rows);
    fillTable(byId('sightings-table'), a.sightings.titles, a.sightings.rows);
    byId('trial-box').hidden = a.trial === null;
    if (a.trial !== null) {
      fillTable(byId('trial-table'), a.trial.titles, a.trial.rows, a.trial.heading);
      byId('trial-resume').textContent = a.trial.resume.trim();
    }
    byId('traffic-manoeuvre').textContent = a.manoeuvre.replace(/^\n/, '');
    byId('traffic-recommendation').textContent = a.recommendation.replace(/^\n/, '');
    byId('traffic-warnings').textContent = [a.altering.trim(), ...a.warnings.map((w) => `warning: ${w}`)].filter(Boolean).join('\n');
    byId('traffic-report').textContent = a.report;
    if (fillForm) showInForm(a.exercise);
  }

  // ---- the form

  function sightingRow(s) {
    const relative = s && s.relative_bearing !== undefined;
    const row = element('div', { class: 'sighting fields' });
    const select = element('select', { name: 'bearing_kind' },
      element('option', { value: 'bearing', text: 'true' }), element('option', { value: 'relative_bearing', text: 'relative' }));
    select.value = relative ? 'relative_bearing' : 'bearing';
    row.append(
      element('label', {}, 'Time, hh:mm', element('input', { name: 'time', value: s ? s.time : '' })),
      element('label', {}, 'Bearing, °', element('input', { name: 'bearing', inputmode: 'decimal', value: s ? String(relative ? s.relative_bearing : s.bearing) : '' })),
      element('label', {}, 'Bearing is', select),
      element('label', {}, 'Range, nm', element('input', { name: 'range_nm', inputmode: 'decimal', value: s ? String(s.range_nm) : '' })));
    return row;
  }

  function shipBox(ship, number) {
    const box = element('fieldset', { class: 'ship' });
    const kind = element('select', { name: 'kind' }, ...kKinds.map((k) => element('option', { value: k, text: k.replace(/_/g, ' ') })));
    kind.value = ship.kind || 'power';
    const sightings = element('div', { class: 'sightings' }, ...(ship.sightings || [null, null]).map(sightingRow));
    const add = element('button', { type: 'button', text: 'Add a sighting' });
    const drop = element('button', { type: 'button', text: 'Remove the last sighting' });
    const remove = element('button', { type: 'button', text: 'Remove this ship' });
    add.onclick = () => { sightings.append(sightingRow(null)); sightings.lastChild.querySelector('input').focus(); };
    drop.onclick = () => { if (sightings.children.length > 2) { sightings.lastChild.remove(); fromForm(); } };
    remove.onclick = () => { box.remove(); numberShips(); fromForm(); byId('add-ship').focus(); };
    box.append(element('legend', { text: `Ship ${number}` }),
      element('div', { class: 'fields' }, element('label', {}, 'Name', element('input', { name: 'name', value: ship.name || '' })),
        element('label', {}, 'Kind', kind)),
      sightings, element('div', { class: 'controls' }, add, drop, remove));
    return box;
  }

  function numberShips() {
    [...byId('ships').children].forEach((box, k) => { box.querySelector('legend').textContent = `Ship ${k + 1}`; });
  }

  function showManoeuvreKind() {
    const kind = form.elements.manoeuvre.value;
    byId('manoeuvre-value-label').textContent = manoeuvreLabels[kind];
    byId('manoeuvre-of-label').hidden = kind !== 'when_range_nm';
  }

  function showInForm(x) {
    const f = form.elements;
    f.course.value = String(x.own.course);
    f.speed_kt.value = String(x.own.speed_kt);
    f.required_cpa_nm.value = String(x.required_cpa_nm);
    f.visibility.value = x.visibility;
    const m = x.manoeuvre;
    f.manoeuvre.value = m.time !== undefined ? 'time' : m.when_range_nm !== undefined ? 'when_range_nm' : 'delay_min';
    f.manoeuvre_value.value = String(m.time ?? m.when_range_nm ?? m.delay_min);
    f.manoeuvre_of.value = m.of ?? '';
    showManoeuvreKind();
    kept = { own_kind: x.own_kind };
    for (const [key] of kKept) kept[key] = x[key];
    byId('ships').replaceChildren(...x.targets.map((t, k) => shipBox(t, k + 1)));
    trialCourse.value = x.trial ? String(x.trial.course) : '';
    trialSpeed.value = x.trial ? String(x.trial.speed_kt) : '';
  }

  // The TOML of the form, the numbers as typed.
  function formToml() {
    const f = form.elements;
    const v = (input) => input.value.trim();
    const lines = [`required_cpa_nm = ${v(f.required_cpa_nm)}`];
    if (f.visibility.value !== 'restricted') lines.push(`visibility = ${quoted(f.visibility.value)}`);
    for (const [key, fallback] of kKept) if (kept[key] !== undefined && kept[key] !== fallback) lines.push(`${key} = ${kept[key]}`);
    lines.push('', '[own_ship]', `course = ${v(f.course)}`, `speed_kt = ${v(f.speed_kt)}`);
    if (kept.own_kind && kept.own_kind !== 'power') lines.push(`kind = ${quoted(kept.own_kind)}`);
    lines.push('', '[manoeuvre]');
    const kind = f.manoeuvre.value;
    if (kind === 'time') lines.push(`time = ${quoted(v(f.manoeuvre_value))}`);
    else lines.push(`${kind} = ${v(f.manoeuvre_value)}`);
    if (kind === 'when_range_nm') lines.push(`of = ${quoted(v(f.manoeuvre_of))}`);
    for (const box of byId('ships').children) {
      const name = box.querySelector('[name=name]').value;
      const shipKind = box.querySelector('[name=kind]').value;
      lines.push('', '[[target]]', `name = ${quoted(name)}`);
      if (shipKind !== 'power') lines.push(`kind = ${quoted(shipKind)}`);
      lines.push('sightings = [');
      for (const row of box.querySelectorAll('.sighting')) {
        const field = (n) => row.querySelector(`[name=${n}]`).value.trim();
        lines.push(`  { time = ${quoted(field('time'))}, ${field('bearing_kind')} = ${field('bearing')}, range_nm = ${field('range_nm')} },`);
      }
      lines.push(']');
    }
    return withTrial(`${lines.join('\n')}\n`, trialValue(trialCourse), trialValue(trialSpeed));
  }

  const trialValue = (input) => (input.value.trim() === '' ? null : input.value.trim());

  function fromForm() {
    text.value = formToml();
    source = 'exercise.toml';
    solveSoon();
  }

  function fromTrial() {
    text.value = withTrial(text.value, trialValue(trialCourse), trialValue(trialSpeed));
    solveSoon();
  }

  // ---- dragging the own ship's vector

  function boardPoint(event) {
    const svg = boardBox.querySelector('svg');
    const p = new DOMPoint(event.clientX, event.clientY).matrixTransform(svg.getScreenCTM().inverse());
    return { x: p.x, y: p.y };
  }

  // Where the vector can be taken: a disc about the own ship, over the
  // board, in which a touch drags the vector instead of scrolling the page.
  const grip = element('div', { class: 'vector-grip', 'aria-hidden': 'true' });
  let boxWidth = 0;  // the board's width on the page, as last laid out
  function placeGrip() {
    const svg = boardBox.querySelector('svg');
    const o = last ? last.own_vector : null;
    if (!svg || !o || boxWidth === 0) return;
    const scale = boxWidth / svg.viewBox.baseVal.width;
    const r = (1.5 * o.length + 12) * scale;
    Object.assign(grip.style, { left: `${o.x * scale - r}px`, top: `${o.y * scale - r}px`, width: `${2 * r}px`, height: `${2 * r}px` });
    if (grip.parentNode !== boardBox) boardBox.append(grip);
  }
  new ResizeObserver((entries) => {
    boxWidth = entries[entries.length - 1].contentRect.width;
    placeGrip();
  }).observe(boardBox);

  let dragging = false;
  function dragTo(event) {
    const p = boardPoint(event);
    const v = wb.vectorAt(p.x, p.y);
    if (v.course === null) return;
    trialCourse.value = String(v.course);
    trialSpeed.value = v.speed_kt === null ? trialSpeed.value || last.exercise.own.speed_kt.toFixed(1) : v.speed_kt.toFixed(1);
    fromTrial();
  }

  boardBox.addEventListener('pointerdown', (event) => {
    if (last === null || !boardBox.querySelector('svg')) return;
    const p = boardPoint(event);
    const o = last.own_vector;
    if (Math.hypot(p.x - o.x, p.y - o.y) > 1.5 * o.length + 12) return;
    dragging = true;
    boardBox.setPointerCapture(event.pointerId);
    event.preventDefault();
    dragTo(event);
  });
  boardBox.addEventListener('pointermove', (event) => { if (dragging) dragTo(event); });
  const endDrag = () => {
    if (!dragging) return;
    dragging = false;
    announce(`Trial: course ${trialCourse.value}, speed ${trialSpeed.value} knots`);
  };
  boardBox.addEventListener('pointerup', endDrag);
  boardBox.addEventListener('pointercancel', endDrag);

  // The keyboard's way to the same: with the board focused, the arrow keys
  // turn the trial course a degree (Shift: ten) and change its speed a
  // tenth of a knot (Shift: a knot), from the present course and speed.
  const kKeySteps = { ArrowLeft: ['course', -1], ArrowRight: ['course', 1], ArrowDown: ['speed', -0.1], ArrowUp: ['speed', 0.1] };
  boardBox.addEventListener('keydown', (event) => {
    const step = kKeySteps[event.key];
    if (!step || last === null || event.altKey || event.ctrlKey || event.metaKey) return;
    event.preventDefault();
    const [what, by] = step;
    const own = last.exercise.own;
    const course = trialCourse.value.trim() === '' ? own.course : Number(trialCourse.value);
    const speed = trialSpeed.value.trim() === '' ? own.speed_kt : Number(trialSpeed.value);
    if (!Number.isFinite(course) || !Number.isFinite(speed)) return;
    const times = event.shiftKey ? 10 : 1;
    const newCourse = what === 'course' ? (((Math.round(course) + by * times) % 360) + 360) % 360 : Math.round(course) % 360;
    const newSpeed = what === 'speed' ? Math.min(kMostTrialSpeedKt, Math.max(0, Math.round(speed * 10 + by * 10 * times) / 10)) : speed;
    trialCourse.value = String(newCourse);
    trialSpeed.value = newSpeed.toFixed(1);
    fromTrial();
    announce(`Trial: course ${trialCourse.value}, speed ${trialSpeed.value} knots`);
  });

  // ---- the controls

  form.addEventListener('input', (event) => {
    if (event.target.name === 'manoeuvre') showManoeuvreKind();
    fromForm();
  });
  form.addEventListener('change', (event) => {
    if (event.target.tagName === 'SELECT') fromForm();
  });
  form.addEventListener('submit', (event) => event.preventDefault());
  byId('add-ship').onclick = () => {
    const ships = byId('ships');
    ships.append(shipBox({ name: `Ship ${ships.children.length + 1}` }, ships.children.length + 1));
    ships.lastChild.querySelector('input').focus();
  };
  byId('trial-form').addEventListener('input', fromTrial);
  byId('trial-form').addEventListener('submit', (event) => event.preventDefault());
  byId('trial-clear').onclick = () => {
    trialCourse.value = '';
    trialSpeed.value = '';
    fromTrial();
  };
  byId('solve-toml').onclick = () => solve(true);
  text.addEventListener('keydown', (event) => {
    if (event.key === 'Enter' && (event.ctrlKey || event.metaKey)) solve(true);
  });
  byId('open-toml').addEventListener('change', async (event) => {
    const file = event.target.files[0];
    if (!file) return;
    text.value = await file.text();
    source = file.name;
    solve(true);
  });
  byId('save-toml').onclick = () => {
    const link = element('a', { href: URL.createObjectURL(new Blob([text.value], { type: 'application/toml' })), download: source });
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 1000);
  };

  function open(argument) {
    let given = defaultExercise;
    source = 'exercise.toml';
    if (argument) {
      try {
        given = fromBase64Url(argument);
      } catch {
        showError('The address holds no exercise file: its #traffic= part is not base64url of UTF-8 text.');
        return;
      }
    }
    text.value = given;
    solve(true);
  }

  return {
    async enter(moveFocus, argument) {
      if (wb === null) {
        wb = await workbenchFor('The traffic solver', byId('traffic-loading'));
        if (wb === null) return;
        open(argument);
      } else if (argument !== null) {
        open(argument);
      } else {
        keepAddress();
      }
      if (moveFocus) byId('traffic-heading').focus();
    },
  };
}
