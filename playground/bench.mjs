// Times the playground against vorlak-report on the same test file: the page
// in Chromium from loading the file through #file to showing the grades,
// vorlak-report from start to exit, in alternation, and the longest stall of
// the page's main thread while it grades.  Prints the medians and the ratio.
//
//   node bench.mjs --page HTML --report BIN --file TESTFILE [--runs N]
//
// A 1,000,000-line survive file: build/release/bench/vorlak-generate survive 1000000 1 > survive.txt
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { parseArgs } from 'node:util';

import { summaryof } from '../tests/browser/testkit.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const { chromium } = createRequire(path.join(here, '../tests/browser/package.json'))('playwright-core');

const { values: opt } = parseArgs({
  options: {
    page: { type: 'string' }, report: { type: 'string' }, file: { type: 'string' }, runs: { type: 'string', default: '5' },
  },
});
for (const name of ['page', 'report', 'file']) {
  if (!opt[name]) {
    console.error(`usage: node bench.mjs --page HTML --report BIN --file TESTFILE [--runs N] (no --${name})`);
    process.exit(1);
  }
}
const runs = Number(opt.runs);
const median = (v) => {
  const s = [...v].sort((a, b) => a - b);
  return s.length % 2 ? s[(s.length - 1) / 2] : (s[s.length / 2 - 1] + s[s.length / 2]) / 2;
};

function report() {
  const start = process.hrtime.bigint();
  const r = spawnSync(opt.report, [opt.file], { encoding: 'utf8', maxBuffer: 1 << 26 });
  const seconds = Number(process.hrtime.bigint() - start) / 1e9;
  if (r.status !== 0) throw new Error(`vorlak-report exited ${r.status}: ${r.stderr}`);
  const summary = r.stdout.split('\n').find((l) => summaryof(l));
  if (!summary) throw new Error(`vorlak-report printed no summary line: ${r.stdout.slice(0, 200)}`);
  return { seconds, summary };
}

async function playground(context) {
  const page = await context.newPage();
  await page.goto(pathToFileURL(opt.page).href);
  await page.waitForFunction(() => document.body.dataset.state === 'graded', null, { timeout: 60000 });
  // The longest gap between ticks of a 10 ms timer: how long the page was unable to answer.
  await page.evaluate(() => {
    window.vorlakstall = 0;
    let last = performance.now();
    window.vorlaktimer = setInterval(() => {
      const now = performance.now();
      window.vorlakstall = Math.max(window.vorlakstall, now - last);
      last = now;
    }, 10);
  });
  const before = Number(await page.evaluate(() => document.body.dataset.graded));
  const start = Date.now();
  await page.locator('#file').setInputFiles(opt.file);
  await page.waitForFunction((n) => document.body.dataset.state === 'graded' && Number(document.body.dataset.graded) > n,
    before, { timeout: 600000, polling: 20 });
  const seconds = (Date.now() - start) / 1000;
  const stall = await page.evaluate(() => window.vorlakstall);
  const grading = Number(await page.evaluate(() => document.body.dataset.milliseconds)) / 1000;
  const summary = await page.locator('#summary').textContent();
  await page.close();
  return { seconds, stall, grading, summary };
}

const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'vorlak-chromium-'));
const context = await chromium.launchPersistentContext(profile, {
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  headless: true,
  offline: true,
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
const times = { page: [], report: [], stall: [], grading: [] };
try {
  for (let i = 0; i < runs; i++) {
    const r = report();
    const p = await playground(context);
    if (p.summary !== r.summary) throw new Error(`the page says "${p.summary}", vorlak-report "${r.summary}"`);
    times.report.push(r.seconds);
    times.page.push(p.seconds);
    times.stall.push(p.stall);
    times.grading.push(p.grading);
  }
} finally {
  await context.close();
  fs.rmSync(profile, { recursive: true, force: true });
}
const page = median(times.page);
const rep = median(times.report);
console.log(`| measure (median of ${runs} alternating runs) | seconds |`);
console.log('|---|---|');
console.log(`| vorlak-report, start to exit | ${rep.toFixed(2)} |`);
console.log(`| the playground, from loading the file to showing the grades | ${page.toFixed(2)} |`);
console.log(`| of which the module's grading, in the worker | ${median(times.grading).toFixed(2)} |`);
console.log(`| ratio, playground ÷ vorlak-report | ${(page / rep).toFixed(2)} |`);
console.log(`| longest stall of the page's main thread meanwhile | ${(median(times.stall) / 1000).toFixed(3)} |`);
