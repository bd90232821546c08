// What the browser tests share: their command line, their tally of checks,
// and Chromium started the one way that works on a closed network.
// Chromium is Debian's (/usr/bin/chromium, or $CHROMIUM), driven by the
// playwright-core of this folder's node_modules.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { parseArgs } from 'node:util';
import { chromium } from 'playwright-core';

// The named options, every one required: exits with the usage line when one
// is missing.
export function options(script, names, usage) {
  const { values } = parseArgs({ options: Object.fromEntries(names.map((n) => [n, { type: 'string' }])) });
  for (const name of names) {
    if (!values[name]) {
      console.error(`usage: node ${script} ${usage} (no --${name})`);
      process.exit(1);
    }
  }
  return values;
}

const tally = { passed: 0, failed: 0 };

// Counts one check; a failure is printed with what was seen.
export function check(ok, what, detail = '') {
  if (ok) {
    tally.passed++;
  } else {
    tally.failed++;
    console.log(`FAIL: ${what}${detail ? `\n      ${detail}` : ''}`);
  }
}

// Runs body(context) in Chromium with a fresh profile and no network, then
// prints the tally under name and exits: 0 when every check passed.  What
// launch holds is added to the launch options (a viewport, downloads).
// Without the background-networking flags Chromium keeps trying to reach
// hosts that this machine's closed network refuses.
export async function inchromium(name, launch, body) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'vorlak-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    offline: true,
    viewport: { width: 1280, height: 900 },
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
    ...launch,
  });
  try {
    await body(context);
  } catch (e) {
    check(false, `the ${name} test ran to the end`, e.stack);
  } finally {
    await context.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
  console.log(`${name}: ${tally.passed} passed, ${tally.failed} failed`);
  process.exit(tally.failed === 0 ? 0 : 1);
}
