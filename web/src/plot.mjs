// The plot of the last solved exercise, from the SVG that the program draws
// (the layout of echo-track-plot). Two figures are made of it: the picture as
// drawn, for wide screens and print, and a phone figure whose drawing is cut
// to the plot itself, its labels scaled to at least kPhoneLabelPx CSS pixels,
// with the caption and the legend as text beneath. Each figure is an image
// with a title and a description of the report's figures in words. Some inks
// of the drawing are darker in the page's style sheet, for contrast.

const kPhoneLabelPx = 11.5;
let figures = 0;

// The caption's abbreviations in words.
const words = [
  [/\bKBr (\d+)°/g, 'relative course of B $1 degrees'],
  [/\bVBr ([\d.]+) kt/g, 'relative speed of B $1 knots'],
  [/\bKB (\d+)°/g, 'true course of B $1 degrees'],
  [/\bVB ([\d.]+) kt/g, 'speed of B $1 knots'],
  [/\bKA (\d+)°/g, 'course $1 degrees'],
  [/\bVA ([\d.]+) kt/g, 'speed $1 knots'],
  [/\bCPA (\d+)° {2}([\d.]+) nm/g, 'closest point of approach $2 nautical miles in direction $1 degrees'],
  [/\b(B-\d) (\d\d:\d\d) {2}(\d+)° {2}([\d.]+) nm/g, '$1 at $2 on bearing $3 degrees at $4 nautical miles'],
  [/\bB on (\d+)° {2}([\d.]+) nm/g, 'B on bearing $1 degrees at $2 nautical miles'],
  [/\bStB (\d+)° resp\. (\d+)°/g, 'to starboard $1 or $2 degrees'],
  [/\bBB (\d+)° resp\. (\d+)°/g, 'to port side $1 or $2 degrees'],
  [/\bBB velocity change/g, 'to port side a change of speed instead'],
  [/\bStB velocity change/g, 'to starboard a change of speed instead'],
  [/(\d+)°/g, '$1 degrees'],
  [/ nm\b/g, ' nautical miles'],
  [/ kt\b/g, ' knots'],
  [/\bCPA\b/g, 'CPA (closest point of approach)'],
];

export function inWords(line) {
  let text = line;
  for (const [pattern, replacement] of words) text = text.replace(pattern, replacement);
  return `${text.split(/ {3,}|; +/).map((part) => part.replace(/: +/g, ': ').replace(/ {2}/g, ', ').replace(/:$/, '').trim())
    .filter(Boolean).join('; ')}.`;
}

function describe(svg, title, lines) {
  const n = ++figures;
  svg.setAttribute('role', 'img');
  svg.setAttribute('aria-labelledby', `plot-title-${n}`);
  svg.setAttribute('aria-describedby', `plot-desc-${n}`);
  const ns = svg.namespaceURI;
  const titleElement = document.createElementNS(ns, 'title');
  titleElement.id = `plot-title-${n}`;
  titleElement.textContent = title;
  const desc = document.createElementNS(ns, 'desc');
  desc.id = `plot-desc-${n}`;
  desc.textContent = lines.map(inWords).join(' ');
  svg.prepend(titleElement, desc);
}

// The caption and the legend as HTML, for the phone figure.
function captionAndLegend(native) {
  const caption = document.createElement('div');
  caption.className = 'plot-caption';
  for (const t of native.querySelectorAll('text.title')) {
    const p = document.createElement('p');
    p.textContent = t.textContent;
    if (t.getAttribute('font-weight') === 'bold') p.className = 'bold';
    caption.append(p);
  }
  const legend = document.createElement('ul');
  legend.className = 'plot-legend';
  legend.setAttribute('aria-label', 'Legend');
  let symbol = [];
  for (const el of native.querySelectorAll('.legend')) {
    if (el.tagName !== 'text') {
      symbol.push(el);
      continue;
    }
    const li = document.createElement('li');
    const x = Number(el.getAttribute('x')) - 36;
    const y = Number(el.getAttribute('y')) - 10;
    const swatch = document.createElementNS(native.namespaceURI, 'svg');
    swatch.setAttribute('viewBox', `${x} ${y} 30 15`);
    swatch.setAttribute('width', '40');
    swatch.setAttribute('height', '20');
    swatch.setAttribute('aria-hidden', 'true');
    for (const s of symbol) swatch.append(s.cloneNode(true));
    const span = document.createElement('span');
    span.textContent = el.textContent;
    li.append(swatch, span);
    legend.append(li);
    symbol = [];
  }
  return [caption, legend];
}

// Scales the phone drawing's text so that each label shows at least
// kPhoneLabelPx high, and cuts the drawing to what it holds.
function fitPhoneDrawing(svg) {
  const width = svg.getBoundingClientRect().width;
  if (width === 0) return;
  const texts = [...svg.querySelectorAll('text')];
  for (let round = 0; round < 4; round++) {
    const box = svg.viewBox.baseVal;
    const least = kPhoneLabelPx / (width / box.width);  // in the drawing's units
    for (const t of texts) {
      const size = Number(t.dataset.size);
      const [x0, y0] = t.dataset.at.split(' ');
      t.setAttribute('x', x0);
      t.setAttribute('y', y0);
      const k = Math.max(1, least / size);
      t.style.fontSize = `${size * k}px`;
      if (t.dataset.halo) t.style.strokeWidth = `${Number(t.dataset.halo) * k}px`;
      if (t.dataset.dx) {
        // The bearing scale grows outwards, off the plot.
        const grow = (k - 1) * size * 0.7;
        t.setAttribute('x', (Number(t.dataset.x) + Number(t.dataset.dx) * grow).toFixed(2));
        t.setAttribute('y', (Number(t.dataset.y) + Number(t.dataset.dy) * grow).toFixed(2));
      }
    }
    clearLabels(texts);
    const b = svg.querySelector('g.drawing').getBBox();
    const margin = 4;
    const next = [b.x - margin, b.y - margin, b.width + 2 * margin, b.height + 2 * margin];
    if (Math.abs(next[2] - box.width) < 0.5 && Math.abs(next[3] - box.height) < 0.5) break;
    svg.setAttribute('viewBox', next.map((v) => v.toFixed(2)).join(' '));
  }
}

// Moves each label of the plot that its larger text made run into another
// text to the nearest place, a few steps around, where it runs into none.
function clearLabels(texts) {
  const boxes = new Map(texts.map((t) => [t, t.getBBox()]));
  const hits = (a, b) => a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
  const movable = texts.filter((t) => !t.classList.contains('bearing-label') && !t.classList.contains('ring-label'));
  for (const t of movable) {
    const box = boxes.get(t);
    const others = texts.filter((o) => o !== t).map((o) => boxes.get(o));
    if (!others.some((o) => hits(box, o))) continue;
    const step = box.height / 2;
    let best = null;
    for (let ring = 1; ring <= 6 && best === null; ring++) {
      for (let a = 0; a < 8 && best === null; a++) {
        const dx = Math.round(Math.cos((a * Math.PI) / 4)) * ring * step;
        const dy = Math.round(Math.sin((a * Math.PI) / 4)) * ring * step;
        const moved = { x: box.x + dx, y: box.y + dy, width: box.width, height: box.height };
        if (!others.some((o) => hits(moved, o))) best = [dx, dy, moved];
      }
    }
    if (best === null) continue;
    t.setAttribute('x', (Number(t.getAttribute('x')) + best[0]).toFixed(2));
    t.setAttribute('y', (Number(t.getAttribute('y')) + best[1]).toFixed(2));
    boxes.set(t, best[2]);
  }
}

let observer = null;

// Puts the picture (SVG text) into `section`, or its placeholder when null.
export function showPicture(section, svgText, placeholder) {
  if (observer !== null) observer.disconnect();
  observer = null;
  if (svgText === null) {
    section.innerHTML = placeholder;
    return;
  }
  const parsed = new DOMParser().parseFromString(svgText, 'image/svg+xml').documentElement;
  const native = document.importNode(parsed, true);
  const lines = [...native.querySelectorAll('text.title')].map((t) => t.textContent);
  const heading = lines[0] || 'ECHO-TRACK relative plot';

  const phone = native.cloneNode(true);
  native.classList.add('plot-drawn');
  native.removeAttribute('width');
  native.removeAttribute('height');
  describe(native, heading, lines.slice(1));

  phone.classList.add('plot-phone');
  phone.removeAttribute('width');
  phone.removeAttribute('height');
  for (const el of phone.querySelectorAll('.title, .legend')) el.remove();
  phone.querySelector('rect').remove();  // the paper: the figure's background is white
  const drawing = document.createElementNS(phone.namespaceURI, 'g');
  drawing.setAttribute('class', 'drawing');
  drawing.append(...phone.childNodes);
  phone.append(drawing);
  const centre = phone.querySelector('.own-ship');
  const [cx, cy] = centre ? [Number(centre.getAttribute('cx')), Number(centre.getAttribute('cy'))] : [0, 0];
  for (const t of phone.querySelectorAll('text')) {
    t.dataset.size = t.getAttribute('font-size');
    t.dataset.at = `${t.getAttribute('x')} ${t.getAttribute('y')}`;
    if (t.getAttribute('stroke-width')) t.dataset.halo = t.getAttribute('stroke-width');
    if (centre && t.classList.contains('bearing-label')) {
      const [x, y] = [Number(t.getAttribute('x')), Number(t.getAttribute('y'))];
      const r = Math.hypot(x - cx, y - cy) || 1;
      Object.assign(t.dataset, { x, y, dx: (x - cx) / r, dy: (y - cy) / r });
    }
  }
  describe(phone, heading, lines.slice(1));
  const phoneFigure = document.createElement('div');
  phoneFigure.className = 'plot-phone-figure';
  phoneFigure.append(phone, ...captionAndLegend(native));

  section.replaceChildren(native, phoneFigure);
  let lastWidth = -1;
  observer = new ResizeObserver(() => {
    const w = Math.round(phoneFigure.getBoundingClientRect().width);
    if (w !== lastWidth && w > 0) {
      lastWidth = w;
      fitPhoneDrawing(phone);
    }
  });
  observer.observe(phoneFigure);
}
