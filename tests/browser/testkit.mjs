// What the browser tests share: their command line, their tally of checks,
// Chromium started the one way that works on a closed network, and the one
// reading of what vorlak -v prints.
// Chromium is Debian's (/usr/bin/chromium, or $CHROMIUM), driven by the
// playwright-core of this folder's node_modules; axe-core judges the pages.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { parseArgs } from 'node:util';
import axe from 'axe-core';
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

// The WCAG 2.1 A and AA rules that every page made for people must pass.
const WCAG = ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa'];

// Runs axe-core over the whole of page as it stands, shadow roots included,
// and counts one check for each rule it breaks, with the elements that break
// it; one passing check when it breaks none.  axe goes in through the
// DevTools protocol, which the page's content policy does not govern, so it
// neither needs the policy eased nor sets off a violation of it.
export async function accessible(page, what) {
  // Colours read in the middle of a transition are neither the old nor the
  // new.  A change just made (a theme) starts its transitions only when the
  // page renders its next frames, so two frames go by first.
  await page.evaluate(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))));
  // The document's animations leave out those within shadow roots.
  await page.evaluate(() => {
    const roots = [document];
    for (let i = 0; i < roots.length; i++)
      for (const e of roots[i].querySelectorAll('*')) if (e.shadowRoot) roots.push(e.shadowRoot);
    return Promise.all(roots.flatMap((r) => r.getAnimations())
      .filter((a) => a.effect?.getComputedTiming().endTime !== Infinity).map((a) => a.finished.catch(() => {})));
  });
  if (!(await page.evaluate(() => typeof window.axe === 'object'))) await page.evaluate(axe.source);
  const { violations } = await page.evaluate((tags) =>
    window.axe.run(document, { runOnly: { type: 'tag', values: tags }, resultTypes: ['violations'] }), WCAG);
  for (const v of violations) {
    const nodes = v.nodes.slice(0, 5).map((n) =>
      `${n.target.flat().join(' >> ')}: ${(n.failureSummary ?? '').replace(/\s+/g, ' ').trim()}`);
    if (v.nodes.length > nodes.length) nodes.push(`and ${v.nodes.length - nodes.length} more`);
    check(false, `${what}: axe ${v.id} (${v.impact}): ${v.help}`, nodes.join('\n      '));
  }
  if (violations.length === 0) check(true, `${what}: axe finds no WCAG 2.1 A or AA violation`);
}

// vorlak's longest piece: a longer line is read, and reported, in pieces.
export const PIECE = 999;

const SUMMARY = /^(\d+)\/65 mutants killed\. \((\d+)%\)$/;
const RESULTS = /^(-?\d+) =\?= (-?\d+)$/;
const KILLED = /^Killed mutant (\d+)\.$/;

// The count and percentage of vorlak's summary line, "33/65 mutants killed.
// (51%)", or null when line is not one.
export function summaryof(line) {
  const s = SUMMARY.exec(line);
  return s && { killed: Number(s[1]), percent: Number(s[2]) };
}

// The pieces vorlak reads a file in, each with its line (from 1): a line
// with its newline, cut after every PIECE bytes.
function piecesof(content) {
  const pieces = [];
  for (let at = 0, line = 1; at < content.length; line++) {
    const nl = content.indexOf('\n', at);
    const end = nl < 0 ? content.length : nl + 1;
    for (let cut = at; cut < end; cut = Math.min(cut + PIECE, end))
      pieces.push({ piece: content.slice(cut, Math.min(cut + PIECE, end)), line });
    at = end;
  }
  return pieces;
}

// What vorlak -v -i says of a file, from its standard output and the file's
// bytes (Buffers, or strings decoded as latin1): the summary line with its
// count and percentage, and for each killed mutant the piece that killed it
// as read (its newline included when it has one), the line (from 1) it lies
// on, and the reference's and the mutant's results.  Anything else in the
// output throws, so that a change to vorlak's output fails the tests loudly.
export function vorlakverdict(stdout, content) {
  const out = typeof stdout === 'string' ? stdout : stdout.toString('latin1');
  const pieces = piecesof(typeof content === 'string' ? content : content.toString('latin1'));
  let at = 0;
  const fail = (why) => {
    throw new Error(`vorlak's output at byte ${at}: ${why}: ${JSON.stringify(out.slice(at, at + 80))}`);
  };
  const nextline = () => {
    const nl = out.indexOf('\n', at);
    if (nl < 0) fail('no newline');
    const line = out.slice(at, nl);
    at = nl + 1;
    return line;
  };
  const kills = new Map();
  let last = 0;
  while (out.startsWith('Input: ', at)) {
    const report = at;
    at += 'Input: '.length;
    const first = nextline();
    const second = nextline();
    let found;
    let results;
    let killed;
    if (KILLED.test(second)) {
      // A piece without a newline (the file's last, or one cut from a long
      // line) has the results on its own output line: the file tells where
      // the piece ends.
      const fits = pieces.filter((p) => !p.piece.endsWith('\n') && first.startsWith(p.piece) &&
        RESULTS.test(first.slice(p.piece.length)));
      if (new Set(fits.map((p) => p.piece)).size > 1) fail('the killing piece is ambiguous');
      found = fits[0];
      results = found ? first.slice(found.piece.length) : '';
      killed = second;
    } else {
      found = pieces.find((p) => p.piece === `${first}\n`);
      results = second;
      killed = nextline();
    }
    const r = RESULTS.exec(results);
    const k = KILLED.exec(killed);
    const mutant = k && Number(k[1]);
    if (!found || !r || !k || mutant <= last || mutant > 65) {
      at = report;
      fail('not a kill report of a piece of the file');
    }
    kills.set(mutant, { input: found.piece, line: found.line, reference: Number(r[1]), result: Number(r[2]) });
    last = mutant;
  }
  const summary = out.slice(at).replace(/\n$/, '');
  const s = summaryof(summary);
  if (!s || !out.endsWith('\n')) fail('neither a kill report nor the summary line');
  if (s.killed !== kills.size) fail(`the summary counts ${s.killed} kills, the reports ${kills.size}`);
  return { summary, ...s, kills };
}

// How a person reads page at its window's width, one check each: the page
// itself never scrolls sideways (a wide table scrolls within its own
// region), the text of neighbouring cells of every table row holds at least
// half an em apart, and so do the heat map's column labels.  A cell's text
// is what shows of it: text inside .hidden or a tooltip does not, and text
// cut by an element that clips it ends where the clip does.
export async function legible(page, what) {
  const width = page.viewportSize().width;
  const scroll = await page.evaluate(() => document.documentElement.scrollWidth);
  check(scroll <= width, `${what}: the page does not scroll sideways at ${width} pixels`, `scrollWidth ${scroll}`);
  const close = await page.evaluate(() => {
    const shown = (node) => {
      for (let e = node.parentElement; e; e = e.parentElement) {
        if (e.classList.contains('hidden') || e.classList.contains('tip') || e.getAttribute('role') === 'tooltip') return false;
        const style = getComputedStyle(e);
        if (style.display === 'none' || style.clip !== 'auto') return false;
      }
      return true;
    };
    // The box of what shows of element's text, or null when none does.
    const box = (element) => {
      const walker = document.createTreeWalker(element, NodeFilter.SHOW_TEXT);
      let left = Infinity;
      let right = -Infinity;
      let top = Infinity;
      let bottom = -Infinity;
      for (let n = walker.nextNode(); n; n = walker.nextNode()) {
        if (n.textContent.trim() === '' || !shown(n)) continue;
        const range = document.createRange();
        range.selectNodeContents(n);
        for (const r of range.getClientRects()) {
          if (r.width === 0) continue;
          let l = r.left;
          let rt = r.right;
          for (let e = n.parentElement; e && e !== element.parentElement; e = e.parentElement) {
            if (getComputedStyle(e).overflowX !== 'visible') {
              const c = e.getBoundingClientRect();
              l = Math.max(l, c.left);
              rt = Math.min(rt, c.right);
            }
          }
          left = Math.min(left, l);
          right = Math.max(right, rt);
          top = Math.min(top, r.top);
          bottom = Math.max(bottom, r.bottom);
        }
      }
      return left < right ? { left, right, top, bottom } : null;
    };
    const apart = (cells, label) => {
      const bad = [];
      let last = null;
      let lastcell = null;
      for (const cell of cells) {
        const b = box(cell);
        if (!b) continue;
        const em = parseFloat(getComputedStyle(cell).fontSize);
        // Cells laid out one under the other (a narrow page's blocks) are not side by side.
        const beside = last && Math.min(b.bottom, last.bottom) > Math.max(b.top, last.top);
        if (beside && b.left - last.right < em / 2)
          bad.push(`${label}: "${lastcell.textContent.trim().slice(0, 30)}" and "${cell.textContent.trim().slice(0, 30)}" ${(b.left - last.right).toFixed(1)}px apart`);
        last = b;
        lastcell = cell;
      }
      return bad;
    };
    const bad = [];
    for (const table of document.querySelectorAll('table'))
      for (const row of table.rows) bad.push(...apart([...row.cells], table.id || 'a table'));
    return bad;
  });
  check(close.length === 0, `${what}: every table's neighbouring cells hold their text half an em apart at ${width} pixels`,
    close.slice(0, 8).join('\n      '));
}
