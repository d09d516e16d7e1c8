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
