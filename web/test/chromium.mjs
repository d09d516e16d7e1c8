// What the Chromium tests share: Debian's headless Chromium in a fresh
// profile per part (driven by playwright-core; no browser is downloaded),
// and the checks' tally.

import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { chromium } from 'playwright-core';

let failures = 0;
export function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
  if (!ok) failures++;
}
export const failed = () => failures;

export async function launch(options = {}) {
  const profile = mkdtempSync(path.join(tmpdir(), 'echo-track-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium',
    headless: true,
    viewport: { width: 1400, height: 900 },
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
    ...options,
  });
  return { context, close: async () => { await context.close(); rmSync(profile, { recursive: true, force: true }); } };
}

// In the page: every visible text's size in CSS px and its contrast with the
// ground behind it; and the plot's inks against its paper.
export function inkReport(drawing = '#plot svg') {
  const rgb = (c) => (c.match(/[\d.]+/g) || []).map(Number);
  const luminance = ([r, g, b]) => [r, g, b].map((v) => {
    const s = v / 255;
    return s <= 0.04045 ? s / 12.92 : ((s + 0.055) / 1.055) ** 2.4;
  }).reduce((sum, v, k) => sum + v * [0.2126, 0.7152, 0.0722][k], 0);
  const contrast = (a, b) => {
    const [x, y] = [luminance(a), luminance(b)].sort((p, q) => q - p);
    return (x + 0.05) / (y + 0.05);
  };
  const ground = (el) => {
    for (let e = el; e; e = e.parentElement) {
      const c = rgb(getComputedStyle(e).backgroundColor);
      if (c.length === 3 || c[3] > 0) return c.slice(0, 3);
    }
    return [255, 255, 255];
  };
  const texts = [];
  const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
  for (let n = walker.nextNode(); n; n = walker.nextNode()) {
    const el = n.parentElement;
    if (n.textContent.trim() === '' || el.closest('.xterm-accessibility, .visually-hidden, title, desc')) continue;
    const box = el.getBoundingClientRect();
    const style = getComputedStyle(el);
    if (box.width === 0 || style.visibility === 'hidden' || rgb(style.color)[3] === 0) continue;
    const svg = el.closest('svg');
    const px = svg ? parseFloat(style.fontSize) * svg.getScreenCTM().a : parseFloat(style.fontSize);
    const colour = rgb(svg ? style.fill : style.color).slice(0, 3);
    const back = svg ? [255, 255, 255] : ground(el);
    texts.push({ text: n.textContent.trim().slice(0, 30), px, contrast: contrast(colour, back) });
  }
  const inks = [];
  for (const el of document.querySelectorAll(`${drawing} :is(line, circle, polygon, path, polyline)`)) {
    if (el.getBoundingClientRect().width === 0 && el.getBoundingClientRect().height === 0) continue;
    const style = getComputedStyle(el);
    for (const paint of [style.stroke, style.fill]) {
      const c = rgb(paint);
      if (c.length < 3 || (c[0] === 255 && c[1] === 255 && c[2] === 255)) continue;
      inks.push({ what: el.getAttribute('class') || el.parentElement.getAttribute('class'), contrast: contrast(c, [255, 255, 255]) });
    }
  }
  return { texts, inks };
}

export function checkInks(report, where) {
  const lowText = report.texts.filter((t) => t.contrast < 4.5);
  check(lowText.length === 0, `${where}: every text has a contrast of at least 4.5:1 (${JSON.stringify(lowText.slice(0, 3))})`);
  const lowInk = report.inks.filter((i) => i.contrast < 3);
  check(report.inks.length > 0 && lowInk.length === 0, `${where}: every ink of the plot has a contrast of at least 3:1 on its paper (${JSON.stringify(lowInk.slice(0, 3))})`);
}
