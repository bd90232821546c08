// The playground in a real browser, from a file:// address with the network
// off: files loaded through #file and lines typed into #lines are graded as
// vorlak grades them, each survivor's suggested line kills it, the saved
// file is the file graded, and markup in a line stays text.
//
//   node playground-test.mjs --page HTML --vorlak BIN --report BIN --out DIR
//
// Chromium is started as testkit.mjs says, with the playwright-core
// that npm ci --prefix tests/browser installs.
import { execFileSync, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

import { PIECE, accessible, check, inchromium, options, vorlakverdict } from './testkit.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));

const MUTANTS = 65;
const TIMEOUT = 60000;

const opt = options('playground-test.mjs', ['page', 'vorlak', 'report', 'out'],
  '--page HTML --vorlak BIN --report BIN --out DIR');
fs.mkdirSync(opt.out, { recursive: true });

// What vorlak -v -i says of a file: the summary line and, for each killed
// mutant, the line (from 1) of the piece that killed it and the two results.
function verdictof(file) {
  return vorlakverdict(execFileSync(opt.vorlak, ['-v', '-i', file]), fs.readFileSync(file));
}

// A seeded generator of test files, with the bytes that are easy to get
// wrong: CR LF, zero bytes, high bytes, lines of 999 bytes and more, short
// lines and no final newline.
function generator(seed) {
  let s = seed >>> 0;
  const next = () => {
    s = (s * 1664525 + 1013904223) >>> 0;
    return s;
  };
  const pick = (n) => next() % n;
  const two = (v) => String(v).padStart(2, '0');
  const date = () => {
    const year = [1899, 1900, 1901, 1999, 2000, 2001, 2004, 2099, 2100, 2400][pick(10)] + (pick(4) === 0 ? pick(3) : 0);
    const month = pick(8) === 0 ? pick(14) : 1 + pick(12);
    const day = pick(6) === 0 ? [0, 28, 29, 30, 31, 32][pick(6)] : 1 + pick(31);
    return `${two(month)}/${two(day)}/${year}`;
  };
  const pair = () => Buffer.from(`${date()} ${date()}`, 'latin1');
  const line = () => {
    const kind = pick(10);
    let b = pair();
    if (kind === 0) {  // a high byte or a zero byte in a column, separators included
      b[pick(21)] = pick(2) === 0 ? 0 : 0x80 + pick(128);
    } else if (kind === 1) {  // a long line, a second pair of dates at the start of its second piece
      const filler = Buffer.alloc(PIECE - 21 + pick(3) - 1, 0x78);
      b = Buffer.concat([b, filler, pair(), Buffer.alloc(pick(1500), 0xe9)]);
    } else if (kind === 2) {  // short: 20 columns, where a CR makes the 21st
      b = b.subarray(0, 20);
    } else if (kind === 3) {  // a note after the dates, high bytes in it
      b = Buffer.concat([b, Buffer.from(' note \xfe\xff', 'latin1')]);
    }
    return Buffer.concat([b, Buffer.from(pick(3) === 0 ? '\r\n' : '\n', 'latin1')]);
  };
  return (count, finalnewline) => {
    const lines = Array.from({ length: count }, line);
    if (!finalnewline) {
      const last = lines.length - 1;
      lines[last] = lines[last].subarray(0, lines[last].length - (lines[last].at(-2) === 13 ? 2 : 1));
    }
    return Buffer.concat(lines);
  };
}

// Fixed files for the cases a random file may miss.
const FIXED = {
  'lastline.txt': Buffer.from('01/01/2000 01/01/2000\n02/29/2000 03/01/2000', 'latin1'),
  'crlf.txt': Buffer.from('01/01/2000 01/01/2000\r\n01/01/2000 01/01/200\r\n12/31/1999 01/01/2000\r\n', 'latin1'),
  'zero.txt': Buffer.from('0\x00/01/2000 01/02/2000\n01/01/2000\x0001/02/2000\n\x00\x00\x00\n', 'latin1'),
  'high.txt': Buffer.from('\xff1/01/2000 01/02/2000\n01/01/2000 \xe9\xe9/02/2000\n02/28/2001\xa003/01/2001\n', 'latin1'),
  'long.txt': Buffer.concat([Buffer.alloc(PIECE, 0x78), Buffer.from('02/29/1900 03/01/1900\n', 'latin1'),
    Buffer.alloc(PIECE - 1, 0x79), Buffer.from('\n02/29/2001 03/01/2001', 'latin1')]),
  'empty.txt': Buffer.alloc(0),
};

// Opens the page with the network off, recording requests that are not for
// the page itself, script errors, dialogs and policy violations.
async function openpage(context) {
  const page = await context.newPage();
  const url = pathToFileURL(opt.page).href;
  const trouble = [];
  page.on('request', (r) => {
    if (r.url().split('#')[0] !== url && !r.url().startsWith('blob:')) trouble.push(`request ${r.url()}`);
  });
  page.on('pageerror', (e) => trouble.push(`page error: ${e.message}`));
  page.on('console', (m) => {
    if (m.type() === 'error') trouble.push(`console: ${m.text()}`);
  });
  page.on('dialog', (d) => {
    trouble.push(`dialog: ${d.message()}`);
    d.dismiss();
  });
  await page.addInitScript(() => {
    window.vorlakviolations = [];
    document.addEventListener('securitypolicyviolation', (e) =>
      window.vorlakviolations.push(`${e.violatedDirective} ${e.blockedURI} ${e.sample}`));
  });
  await page.goto(url);
  await graded(page, 0);
  return { page, trouble };
}

async function settled(page, trouble, what) {
  const violations = await page.evaluate(() => window.vorlakviolations);
  check(violations.length === 0, `${what}: the content policy blocked nothing`, violations.join('; '));
  check(trouble.length === 0, `${what}: no request, script error or dialog`, trouble.join('; '));
}

// Waits until the page shows a grading newer than the one numbered after.
async function graded(page, after) {
  await page.waitForFunction((n) => document.body.dataset.state === 'graded' && Number(document.body.dataset.graded) > n,
    after, { timeout: TIMEOUT });
  return page.evaluate(() => Number(document.body.dataset.graded));
}

async function shownnow(page) {
  return page.evaluate(() => {
    const mutants = new Map();
    for (const tr of document.querySelectorAll('[data-mutant]')) {
      mutants.set(Number(tr.dataset.mutant), {
        status: tr.dataset.status, line: tr.dataset.line,
        reference: tr.querySelector('.reference').textContent, result: tr.querySelector('.result').textContent,
      });
    }
    return { summary: document.querySelector('#summary').textContent, mutants: [...mutants] };
  });
}

// The page's results against vorlak's on the same file.
function compare(shown, verdict, what) {
  check(shown.summary === verdict.summary, `${what}: #summary is vorlak's summary line`,
    `page "${shown.summary}", vorlak "${verdict.summary}"`);
  const mutants = new Map(shown.mutants);
  check(mutants.size === MUTANTS, `${what}: the page shows all 65 mutants`);
  const wrong = [];
  for (let n = 1; n <= MUTANTS; n++) {
    const m = mutants.get(n);
    const k = verdict.kills.get(n);
    const want = k
      ? { status: 'killed', line: String(k.line), reference: String(k.reference), result: String(k.result) }
      : { status: 'survived', line: '', reference: '', result: '' };
    if (!m || JSON.stringify(m) !== JSON.stringify(want)) wrong.push(`mutant ${n}: page ${JSON.stringify(m)}, vorlak ${JSON.stringify(want)}`);
  }
  check(wrong.length === 0, `${what}: every mutant as vorlak judged it`, wrong.join('\n      '));
}

async function loadfile(page, file) {
  const before = await page.evaluate(() => Number(document.body.dataset.graded));
  await page.locator('#file').setInputFiles(file);
  await graded(page, before);
}

async function files(context) {
  const { page, trouble } = await openpage(context);
  const all = [];
  for (const [name, bytes] of Object.entries(FIXED)) all.push([name, bytes]);
  for (let seed = 1; seed <= 8; seed++)
    all.push([`generated-${seed}.txt`, generator(seed)(15 + seed * 10, seed % 2 === 0)]);
  // Kills only after some 300 KB of lines that kill nothing, so that the
  // killing pieces fall across the module's refills of its reader.
  const filler = [];
  for (let i = 0, size = 0; size < 300000; i++) {
    const n = (i * 7919) % (i % 5 === 0 ? 3000 : 22);
    filler.push(Buffer.alloc(n, 0x79), Buffer.from('\n'));
    size += n + 1;
  }
  all.push(['late.txt', Buffer.concat([...filler, generator(99)(400, false)])]);
  for (const [name, bytes] of all) {
    const file = path.join(opt.out, name);
    fs.writeFileSync(file, bytes);
    await loadfile(page, file);
    compare(await shownnow(page), verdictof(file), name);
  }

  // The saved file is the loaded file and the typed lines after it, on a
  // line of their own; vorlak grades it as the page did.
  await loadfile(page, path.join(opt.out, 'lastline.txt'));
  const before = await page.evaluate(() => Number(document.body.dataset.graded));
  await page.locator('#lines').fill('01/01/2001 02/01/2001\n12/31/2099 01/01/2100');
  await graded(page, before);
  const download = page.waitForEvent('download');
  await page.locator('#save').click();
  const saved = path.join(opt.out, 'saved.txt');
  await (await download).saveAs(saved);
  const want = Buffer.concat([FIXED['lastline.txt'], Buffer.from('\n01/01/2001 02/01/2001\n12/31/2099 01/01/2100')]);
  check(fs.readFileSync(saved).equals(want), 'save: the saved file is the loaded file, then the typed lines');
  compare(await shownnow(page), verdictof(saved), 'save');
  await settled(page, trouble, 'files');
  await page.close();
}

// Lines typed into #lines grade as the file that holds them.
async function typed(context) {
  const text = fs.readFileSync(path.join(here, '../../examples/starter.txt'), 'utf8') +
    '01/01/2000 01/02/2000 déjà vu – ünïcödé\n02/29/2004 03/01/2004 ✓\n12/31/2099 01/01/2100';
  const file = path.join(opt.out, 'typed.txt');
  fs.writeFileSync(file, text, 'utf8');
  const { page, trouble } = await openpage(context);
  await page.locator('#lines').fill(text);
  await graded(page, 1);
  const fromtyping = await shownnow(page);
  await page.locator('#lines').fill('');
  await loadfile(page, file);
  const fromfile = await shownnow(page);
  check(JSON.stringify(fromtyping) === JSON.stringify(fromfile), 'typed: lines typed grade as the file that holds them');
  compare(fromtyping, verdictof(file), 'typed');
  await settled(page, trouble, 'typed');
  await page.close();
}

// Each survivor's button adds the line that vorlak-report --suggest gives
// for it, and the line kills it.
async function suggestions(context) {
  const starter = path.join(here, '../../examples/starter.txt');
  const r = spawnSync(opt.report, ['--suggest', starter], { encoding: 'latin1' }).stderr;
  const suggested = new Map();
  for (const line of r.split('\n')) {
    const m = /^mutant (\d+) \(.*\): reference (-?\d+), mutant (-?\d+) on (.*)$/.exec(line);
    if (m) suggested.set(Number(m[1]), m[4]);
  }
  const { page, trouble } = await openpage(context);
  await page.locator('#lines').fill(fs.readFileSync(starter, 'utf8'));
  let last = await graded(page, 1);
  const survivors = (await shownnow(page)).mutants.filter(([, m]) => m.status === 'survived').map(([n]) => n);
  check(survivors.length > 0, 'suggest: the starter leaves survivors');
  // The picture for the README: the starter's lines, what they kill, the first survivors.
  await page.setViewportSize({ width: 1280, height: 1350 });
  await page.screenshot({ path: path.join(opt.out, 'playground.png') });
  await page.setViewportSize({ width: 1280, height: 900 });
  await accessible(page, 'suggest: the graded starter');
  const wrong = [];
  for (const n of survivors) {
    const row = page.locator(`[data-mutant="${n}"]`);
    if (await row.getAttribute('data-status') !== 'survived') continue;  // an earlier line killed it too
    await row.locator('button').click();
    last = await graded(page, last);
    const status = await row.getAttribute('data-status');
    const added = (await page.locator('#lines').inputValue()).trimEnd().split('\n').at(-1);
    if (status !== 'killed') wrong.push(`mutant ${n}: ${status} after adding "${added}"`);
    if (added !== suggested.get(n)) wrong.push(`mutant ${n}: added "${added}", vorlak-report suggests "${suggested.get(n)}"`);
  }
  check(wrong.length === 0, 'suggest: each suggested line is vorlak-report\'s and kills its survivor', wrong.join('\n      '));
  check(await page.locator('#summary').textContent() === '65/65 mutants killed. (100%)', 'suggest: all killed at the end');
  const file = path.join(opt.out, 'suggested.txt');
  fs.writeFileSync(file, await page.locator('#lines').inputValue(), 'utf8');
  compare(await shownnow(page), verdictof(file), 'suggest');
  await settled(page, trouble, 'suggest');
  await page.close();
}

// Markup in a line shows as text and runs nothing.
async function injection(context) {
  const hostile = ['<img src=x onerror=alert(1)>',
    '02/29/2000 03/01/2000 <img src=x onerror=alert(1)>',
    '12/31/1999 01/01/2000 </script><script>window.vorlakinjected = 1</script>',
    '13/01/2000 01/01/2000 <b id="vorlakbold">bold</b> <!--'];
  const { page, trouble } = await openpage(context);
  await page.locator('#lines').fill(hostile.join('\n'));
  await graded(page, 1);
  await page.waitForTimeout(500);
  check(await page.evaluate(() => window.vorlakinjected) === undefined, 'injection: no script of a line ran');
  check(await page.locator('img').count() === 0, 'injection: no image element from a line');
  check(await page.locator('#vorlakbold').count() === 0, 'injection: no bold element from a line');
  check(await page.locator('script').count() === 3, 'injection: the page has only its own three script elements');
  const shown = await page.locator('#killers').textContent();
  for (const line of hostile.slice(1))
    check(shown.includes(line), 'injection: a killing line shows as text', line);
  await settled(page, trouble, 'injection');
  await page.close();
}

await inchromium('playground', { acceptDownloads: true }, async (context) => {
  await files(context);
  await typed(context);
  await suggestions(context);
  await injection(context);
});
