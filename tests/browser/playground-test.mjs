// The playground in a real browser, from a file:// address with the network
// off, at one hint level: files loaded through #file and lines typed into
// #lines are graded as vorlak grades them, each line's own view is the kill
// matrix of vorlak-report --matrix, each survivor's hints come one step at a
// time up to the page's level (and at answer its suggested line kills it),
// a killed mutant shows what its level allows, each grading says what
// changed, the saved file is the file graded, markup in a line stays text,
// and neither the page nor its module holds a word of a level above its
// own: the words of every level are read from the module of the page at
// answer (--full), run in node.  With --files off the files are left to the
// test of another page.
//
//   node playground-test.mjs --page HTML --level LEVEL --files on|off --full HTML --vorlak BIN --report BIN --out DIR
//
// Chromium is started as testkit.mjs says, with the playwright-core
// that npm ci --prefix tests/browser installs.
import { execFileSync, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

import { PIECE, accessible, check, inchromium, options, legible, vorlakverdict } from './testkit.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));

const MUTANTS = 65;
const TIMEOUT = 60000;

const opt = options('playground-test.mjs', ['page', 'level', 'files', 'full', 'vorlak', 'report', 'out'],
  '--page HTML --level LEVEL --files on|off --full HTML --vorlak BIN --report BIN --out DIR');
fs.mkdirSync(opt.out, { recursive: true });

// The hint levels in their order, and whether the page's level reaches one.
const LEVELS = ['score', 'state', 'concept', 'condition', 'mutant', 'answer'];
const level = LEVELS.indexOf(opt.level);
if (level < 0) throw new Error(`no hint level ${opt.level}`);
const offers = (name) => level >= LEVELS.indexOf(name);
const answers = offers('answer');
// The steps of a survivor's hints on the page, in order; the killing line comes after them.
const STEPS = LEVELS.slice(1, Math.min(level, LEVELS.indexOf('mutant')) + 1);

// The module inlined in a page, as bytes.
function moduleof(html) {
  const m = /<script type="application\/octet-stream" id="module">([^<]*)<\/script>/.exec(html);
  return m ? Buffer.from(m[1].trim(), 'base64') : Buffer.alloc(0);
}

// The module of the page at answer, run in node: every word the page may
// show, of every mutant and every level, as that module gives it.
function fullwords() {
  const instance = new WebAssembly.Instance(new WebAssembly.Module(moduleof(fs.readFileSync(opt.full, 'latin1'))), {
    wasi_snapshot_preview1: new Proxy({}, { get: () => () => 52 }),
    vorlak: { progress: () => {} },
  });
  const x = instance.exports;
  x._initialize();
  const said = (size) => (size < 0 ? null : Buffer.from(new Uint8Array(x.memory.buffer, x.vorlak_text(), x.vorlak_textsize())).toString('utf8'));
  // The starter graded, for the words of its states and losses.
  const starter = fs.readFileSync(path.join(here, '../../examples/starter.txt'));
  const at = x.vorlak_filebuffer(starter.length);  // which may grow the memory: its buffer after
  new Uint8Array(x.memory.buffer, at, starter.length).set(starter);
  x.vorlak_grade();
  const mutants = [];
  for (let n = 1; n <= MUTANTS; n++) {
    const conditions = {};
    for (let s = 0; x.vorlak_statename(s) >= 0; s++) {
      const state = said(0);
      conditions[state] = said(x.vorlak_nexthint(n, s));
    }
    const place = said(x.vorlak_diffplace(n));
    mutants.push({
      number: n, stage: said(x.vorlak_stage(n)), concept: said(x.vorlak_concept(n)),
      sentence: said(x.vorlak_conceptsentence(n)), conditions, description: said(x.vorlak_description(n)),
      diff: place && { place, reference: said(x.vorlak_diffreference(n)), mutant: said(x.vorlak_diffmutant(n)) },
      why: said(x.vorlak_why(n)), meaning: said(x.vorlak_lossmeaning(n)),
    });
  }
  const legend = [];
  for (let i = 0; x.vorlak_legend(i) >= 0; i++) legend.push(said(0));
  return {
    mutants, legend, conceptframe: said(x.vorlak_conceptframe()), killinghint: said(x.vorlak_killinghint()),
    frames: [...new Set(mutants.flatMap((m) => Object.values(m.conditions)).filter((c) => c)
      .map((c) => c.slice(0, c.indexOf(': ') + 2)))],
  };
}
const full = fullwords();

// What each level adds that no page below it may hold, in its markup, its
// script or its module.
function wordsabove() {
  const mutants = full.mutants;
  const unique = (list) => [...new Set(list.filter((t) => t))];
  return {
    // The page's own words for each step, its button, as well.
    state: unique(['Show the state', ...full.legend, ...mutants.map((m) => m.meaning), ...mutants.map((m) => m.stage),
      'infected by line', 'no line reaches it', 'never infected',
      // The kind of result a wrong line expects, and how the program's differs.
      'expects a day count', 'expects a date error code', 'and the count is another', 'of another kind']),
    concept: unique(['Show the concept', ...mutants.map((m) => m.concept), ...mutants.map((m) => m.sentence)]),
    condition: unique(['Show the condition', ...full.frames, ...mutants.flatMap((m) => Object.values(m.conditions))]),
    // A wrong line's mutants, as its explanation names them, as well.
    mutant: unique(['Show the mutant', 'as mutant', 'no mutant answers', ...mutants.map((m) => m.description),
      ...mutants.map((m) => m.diff && m.diff.mutant),
      ...mutants.map((m) => m.diff && m.diff.place.replace(/, line \d+$/, ''))]),
    // A wrong line's result, as the program answers it.
    answer: unique([full.killinghint, 'suggest', 'Add a killing line', ', the program answers']),
  };
}

// What vorlak -v -i says of a file: the summary line and, for each killed
// mutant, the line (from 1) of the piece that killed it and the two results.
function verdictof(file) {
  return vorlakverdict(execFileSync(opt.vorlak, ['-v', '-i', file]), fs.readFileSync(file));
}

// How far vorlak-report --class finds a file's lines get into each mutant:
// killed, infected, reached or unreached.
function statesof(file) {
  const r = spawnSync(opt.report, ['--class', '-f', 'json', file], { encoding: 'utf8' });
  const graded = JSON.parse(r.stdout).files[0];
  const states = new Map(graded.kills.map((k) => [k.mutant, 'killed']));
  for (const state of ['infected', 'reached', 'unreached'])
    for (const n of graded[state]) states.set(n, state);
  return states;
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
        state: tr.dataset.state, reached: tr.dataset.reached, infected: tr.dataset.infected,
      });
    }
    const own = [...document.querySelectorAll('#own tbody tr')].map((tr) =>
      [tr.dataset.line, tr.dataset.kills, tr.dataset.alone, tr.querySelector('.needed').textContent]);
    return { summary: document.querySelector('#summary').textContent, mutants: [...mutants], own,
      rest: document.querySelector('#own-rest').textContent };
  });
}

// The file's own lines from vorlak-report --matrix -f csv: for each line
// that the page lists, the mutants it kills and those that only it kills,
// and whether it is needed; every line for a file of 1,000 lines at most,
// else only those that kill something alone.
function ownof(file) {
  const bytes = fs.readFileSync(file);
  const lines = bytes.length === 0 ? 0 : bytes.toString('latin1').split('\n').length - (bytes.at(-1) === 10 ? 1 : 0);
  const csv = execFileSync(opt.report, ['--matrix', '-f', 'csv', file], { encoding: 'latin1' }).trim().split('\n').slice(1);
  const kills = Array.from({ length: lines }, () => []);
  const killers = new Map();
  for (const row of csv) {
    const [line, mutant] = row.split(',').map(Number);
    if (mutant === 0) continue;  // a line that kills nothing
    if (kills[line - 1].includes(mutant)) continue;  // the line's other pieces
    kills[line - 1].push(mutant);
    killers.set(mutant, (killers.get(mutant) ?? 0) + 1);
  }
  const own = kills.map((k, i) => {
    const sorted = [...k].sort((a, b) => a - b);
    const alone = sorted.filter((n) => killers.get(n) === 1);
    return [String(i + 1), sorted.join(' '), alone.join(' '), alone.length > 0 ? 'needed' : 'removable'];
  });
  return { lines, own: lines <= 1000 ? own : own.filter((l) => l[2] !== '') };
}

// The page's results against vorlak's on the same file, and its states
// against vorlak-report's.
function compare(shown, verdict, what, file) {
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
    const got = m && { status: m.status, line: m.line, reference: m.reference, result: m.result };
    if (!m || JSON.stringify(got) !== JSON.stringify(want)) wrong.push(`mutant ${n}: page ${JSON.stringify(got)}, vorlak ${JSON.stringify(want)}`);
  }
  check(wrong.length === 0, `${what}: every mutant as vorlak judged it`, wrong.join('\n      '));
  // Each line's own view, as the kill matrix has it; past 1,000 lines the others counted.
  const own = ownof(file);
  check(JSON.stringify(shown.own) === JSON.stringify(own.own), `${what}: each line's kills as vorlak-report --matrix's`,
    (() => {
      const i = Math.max(0, own.own.findIndex((l, j) => JSON.stringify(l) !== JSON.stringify(shown.own[j])));
      return `${shown.own.length} rows, ${own.own.length} wanted; from row ${i + 1}: page ${JSON.stringify(shown.own.slice(i, i + 3))}, ` +
        `matrix ${JSON.stringify(own.own.slice(i, i + 3))}`;
    })());
  const rest = own.lines - own.own.length;
  check(rest === 0 ? shown.rest === '' : shown.rest.includes(` ${rest.toLocaleString('en')} line`),
    `${what}: the lines not listed are counted`, `${rest}: "${shown.rest}"`);
  if (!offers('state')) {
    check(shown.mutants.every(([, m]) => m.state === undefined && m.reached === undefined && m.infected === undefined),
      `${what}: below state no mutant carries a state`);
    return;
  }
  // A line that kills a mutant infects it, and one that infects it reaches it.
  const states = statesof(file);
  const badstates = [];
  for (const [n, m] of mutants) {
    const first = (line) => (line === '' ? Infinity : Number(line));
    if (m.state !== states.get(n)) badstates.push(`mutant ${n}: ${m.state}, vorlak-report: ${states.get(n)}`);
    else if ((m.state === 'unreached') !== (m.reached === '') || (m.state === 'reached') !== (m.reached !== '' && m.infected === '') ||
      first(m.reached) > first(m.infected) || first(m.infected) > first(m.line))
      badstates.push(`mutant ${n}: ${m.state}, reached ${m.reached}, infected ${m.infected}, killed ${m.line}`);
  }
  check(badstates.length === 0, `${what}: each mutant's state as vorlak-report's, its lines in order`, badstates.join('\n      '));
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
    compare(await shownnow(page), verdictof(file), name, file);
  }

  // Read at 1280 and at 400 pixels with a line of 900 bytes and CR LF line
  // ends: nothing scrolls the page sideways, the tables' cells hold apart,
  // and the line shows cut short, its carriage return as the pages show it.
  const wide = path.join(opt.out, 'wide.txt');
  fs.writeFileSync(wide, `01/01/2000 02/01/2000 ${'x'.repeat(900 - 22)}\r\n12/31/1999 01/01/2000\r\n`);
  await loadfile(page, wide);
  const texts = await page.locator('#own tbody tr .text').allTextContents();
  check(texts[0] === `01/01/2000 02/01/2000 ${'x'.repeat(100 - 22)}...` && texts[1] === '12/31/1999 01/01/2000\u240d',
    'a line shows as the pages show it, cut short, its carriage return visible', JSON.stringify(texts));
  const editor = await page.locator('#editor').textContent();
  check(/^The lines end in CR LF, .*\.$/.test(editor) && await page.locator('#editor').isVisible(),
    'a file saved with CR LF gets the sentence that says so', editor);
  for (const width of [1280, 400]) {
    await page.setViewportSize({ width, height: 900 });
    await legible(page, `the playground at ${width} pixels`);
    await accessible(page, `the playground at ${width} pixels`);
  }
  await page.setViewportSize({ width: 1280, height: 900 });

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
  compare(await shownnow(page), verdictof(saved), 'save', saved);
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
  compare(fromtyping, verdictof(file), 'typed', file);
  await settled(page, trouble, 'typed');
  await page.close();
}

// Opens a row's hints up to step (one of STEPS), as a student would: each
// toggle that is not open yet, in order.
async function hint(row, step) {
  for (const which of STEPS.slice(0, STEPS.indexOf(step) + 1)) {
    const toggle = row.locator(`button.hint[aria-controls^="${which}-"]`);
    if (await toggle.getAttribute('aria-expanded') !== 'true') await toggle.click();
  }
}

// Each row's steps as shown: which hint toggles are visible and open, the
// killing-line buttons of the row, the texts of its hints (null for one
// not shown, undefined for one the page does not have) and its diff.
async function steps(page, n) {
  return page.locator(`[data-mutant="${n}"]`).evaluate((tr) => {
    const text = (name) => {
      const p = tr.querySelector(`.${name}-hint`);
      return p === null ? undefined : p.offsetParent === null ? null : p.textContent;
    };
    return {
      toggles: [...tr.querySelectorAll('button.hint')].map((b) =>
        `${b.getAttribute('aria-controls').split('-')[0]}:${b.offsetParent === null ? 'hidden' : b.getAttribute('aria-expanded')}`),
      killing: [...tr.querySelectorAll('button')].filter((b) => !b.classList.contains('hint')).filter((b) => b.offsetParent !== null).length,
      buttons: tr.querySelectorAll('button:not(.hint)').length,
      state: text('state'), concept: text('concept'), condition: text('condition'), mutant: text('mutant'),
      diff: [...tr.querySelectorAll('.diff code')].filter((c) => c.offsetParent !== null).map((c) => c.textContent),
      hint: tr.dataset.hint,
    };
  });
}

// The toggles of a row whose furthest step shown is shown (-1 for none):
// those up to it open, the next closed, the rest hidden.
const togglesat = (shown) => JSON.stringify(STEPS.map((name, i) =>
  `${name}:${i <= shown ? 'true' : i === shown + 1 ? 'false' : 'hidden'}`));

// What a step of mutant m shows in a given state, from the words of the
// module at answer.
function expected(name, m, state) {
  if (name === 'concept') return `${full.conceptframe}${m.concept}. ${m.sentence}`;
  if (name === 'condition') return `${m.conditions[state]}.`;
  if (name === 'mutant') return m.diff ? `${m.description}${m.diff.place}reference: ${m.diff.reference}mutant: ${m.diff.mutant}` : m.description;
  return undefined;
}

// What #changes says: the mutants newly killed and those that survive again.
async function changed(page) {
  return page.locator('#changes').evaluate((p) => ({
    killed: p.dataset.killed ?? null, survived: p.dataset.survived ?? null, text: p.textContent,
  }));
}

const killedset = (shown) => new Set(shown.mutants.filter(([, m]) => m.status === 'killed').map(([n]) => n));
const minus = (a, b) => [...a].filter((n) => !b.has(n)).sort((x, y) => x - y).join(' ');

// Neither the page nor its module holds a word of a level above the page's,
// nor, with every hint open, does the page as it shows.
async function nothingabove(page, what) {
  const html = fs.readFileSync(opt.page, 'latin1');
  const module = moduleof(html).toString('latin1');
  const shownnow = await page.evaluate(() => document.documentElement.outerHTML);
  const above = wordsabove();
  const found = [];
  for (const name of LEVELS.slice(level + 1))
    for (const word of above[name]) {
      const bytes = Buffer.from(word, 'utf8').toString('latin1');
      for (const [where, text] of [['page', html], ['module', module], ['page as shown', Buffer.from(shownnow, 'utf8').toString('latin1')]])
        if (text.includes(bytes)) found.push(`${name} in the ${where}: "${word}"`);
    }
  check(found.length === 0, `${what}: nothing of a level above ${opt.level} in the page or its module`, found.slice(0, 8).join('\n      '));
  const exports = WebAssembly.Module.exports(new WebAssembly.Module(Buffer.from(module, 'latin1'))).map((e) => e.name);
  const needs = { state: 'vorlak_state', concept: 'vorlak_concept', condition: 'vorlak_nexthint', mutant: 'vorlak_description', answer: 'vorlak_suggest' };
  const wrong = Object.entries(needs).filter(([name, e]) => exports.includes(e) !== offers(name));
  check(wrong.length === 0, `${what}: the module exports the hints up to ${opt.level} and none above`, exports.join(' '));
}

// The starter's survivors: their hints one step at a time up to the page's
// level, with each state saying the line and how the difference was lost,
// then the concept, the condition for the next step from the state and the
// mutant; a killed mutant's concept and alteration as its level allows;
// then, on the page at answer, each survivor's killing line, offered only
// after the last step, which is vorlak-report --suggest's line and kills it;
// below it, no killing-line step for any survivor.  Every grading says what
// it changed.
async function ladder(context) {
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
  const startershown = await shownnow(page);
  compare(startershown, verdictof(starter), 'starter', starter);
  const survivors = startershown.mutants.filter(([, m]) => m.status === 'survived').map(([n]) => n);
  const killed = startershown.mutants.filter(([, m]) => m.status === 'killed').map(([n]) => n);
  check(survivors.length > 0 && killed.length > 0, 'hints: the starter leaves survivors and kills some');
  const legend = await page.locator('#legend li').allTextContents();
  if (offers('state')) {
    // The legend of the states is the class page's, word for word.
    const classpage = spawnSync(opt.report, ['--class', '-f', 'html', starter], { encoding: 'utf8' }).stdout;
    const classlegend = [.../<ul class="legend">([^]*?)<\/ul>/.exec(classpage)[1].matchAll(/<li>(?:<span[^>]*><\/span>)?([^<]*)<\/li>/g)]
      .map((m) => m[1].replace(/&#39;/g, "'"));
    check(legend.length === 4 && JSON.stringify(legend) === JSON.stringify(classlegend),
      'hints: the legend lists the four states as the class page does', JSON.stringify(legend));
  } else {
    check(legend.length === 0 && await page.locator('#legend').count() === 0, 'hints: below state no legend of the states');
  }
  const first = await changed(page);
  check(first.survived === '' && first.killed === minus(killedset(startershown), new Set()),
    'changes: the starter\'s lines newly kill what they kill', JSON.stringify(first));

  // Before any hint: the first step's toggle, closed, and nothing shown.
  const untouched = await steps(page, 45);
  check(JSON.stringify(untouched.toggles) === togglesat(-1) && untouched.killing === 0 &&
    STEPS.every((name) => untouched[name] === null) && untouched.hint === (offers('state') ? '' : undefined),
  'hints: a survivor offers its first step, and nothing more', JSON.stringify(untouched));
  // A killed mutant: its concept and alteration as far as the level goes, no toggle.
  const k = await steps(page, killed[0]);
  const km = full.mutants[killed[0] - 1];
  check(k.toggles.every((t) => t.endsWith(':hidden')) && k.killing === 0 && !k.state && !k.condition &&
    k.concept === (offers('concept') ? expected('concept', km) : undefined) &&
    k.mutant === (offers('mutant') ? expected('mutant', km) : undefined),
  `hints: killed mutant ${killed[0]} shows its concept and alteration as ${opt.level} allows`, JSON.stringify(k));

  if (offers('state')) {
    // The starter's survivors by how far its lines get, each with the line
    // and how the difference was lost; the next step offered.
    const starterstates = [
      [45, 'infected', '5', /^infected by line 5: .*2001, unused /],
      [47, 'infected', '1', /^infected by line 1: .*, cancelled /],
      [1, 'infected', '9', /^infected by line 9: .*, masked /],
      [34, 'unreached', '', /^no line reaches it$/],
    ];
    for (const [n, state, infected, why] of starterstates) {
      const row = page.locator(`[data-mutant="${n}"]`);
      await hint(row, 'state');
      const s = await steps(page, n);
      const seen = `${await row.getAttribute('data-state')} ${await row.getAttribute('data-infected')} ${JSON.stringify(s)}`;
      check(await row.getAttribute('data-state') === state && await row.getAttribute('data-infected') === infected &&
        why.test(s.state) && s.killing === 0 && s.hint === 'state' && JSON.stringify(s.toggles) === togglesat(0) &&
        STEPS.slice(1).every((name) => s[name] === null),
      `hints: the starter leaves mutant ${n} ${state}, its next step offered and nothing more`, seen);
    }
    // Each survivor, one step at a time: each step's words as the module at
    // answer gives them, the condition the one for the survivor's state.
    const wrong = [];
    for (const n of survivors) {
      const row = page.locator(`[data-mutant="${n}"]`);
      const state = await row.getAttribute('data-state');
      for (const [i, name] of STEPS.entries()) {
        await hint(row, name);
        const s = await steps(page, n);
        const want = name === 'state' ? s.state : expected(name, full.mutants[n - 1], state);
        if (s[name] !== want || s.hint !== name || JSON.stringify(s.toggles) !== togglesat(i) ||
          s.killing !== (answers && i === STEPS.length - 1 ? 1 : 0))
          wrong.push(`mutant ${n} at ${name}: ${JSON.stringify(s)}, want "${want}"`);
      }
    }
    check(wrong.length === 0, 'hints: every survivor\'s steps in order, each as the module words it, the killing line last',
      wrong.slice(0, 4).join('\n      '));
    const s34 = await steps(page, 34);
    if (offers('condition'))
      check(/^to reach it: /i.test(s34.condition), 'hints: mutant 34, unreached, has what a line needs to reach it', s34.condition);
  }
  // Every mutant's alteration shows from mutant up, as two different lines.
  const diffs = await page.locator('[data-mutant] .diff').evaluateAll((ds) => ds.filter((d) => d.offsetParent !== null).map((d) =>
    [...d.querySelectorAll('code')].map((c) => c.textContent)));
  check(offers('mutant') ? diffs.length === MUTANTS && diffs.every(([r, m]) => r !== m && r.startsWith('reference: ') &&
    m.startsWith('mutant: ')) : diffs.length === 0, 'hints: every mutant\'s alteration shows from mutant up', `${diffs.length}: ${JSON.stringify(diffs.slice(0, 2))}`);
  await accessible(page, `hints at ${opt.level}: the starter's results with every hint open`);
  await nothingabove(page, 'hints');
  if (offers('state')) {
    // Closing a step again leaves what comes after it offered.
    const laststep = STEPS.at(-1);
    await page.locator(`[data-mutant="34"] button.hint[aria-controls="${laststep}-34"]`).click();
    const closed = await steps(page, 34);
    check(closed.killing === (answers ? 1 : 0) && closed[laststep] === null && closed.hint === laststep,
      'hints: a step once shown keeps what follows it offered', JSON.stringify(closed));
  }
  if (answers) {
    // The picture for the README: the starter's lines, what they kill, the first survivors and their hints.
    await page.evaluate(() => {
      document.activeElement.blur();
      window.scrollTo(0, 0);
    });
    await page.setViewportSize({ width: 1280, height: 1350 });
    await page.screenshot({ path: path.join(opt.out, 'playground.png') });
    await page.setViewportSize({ width: 1280, height: 900 });
  }

  if (!answers) {
    const wrong = [];
    for (const n of survivors)
      if (await page.locator(`[data-mutant="${n}"] button:not(.hint)`).count() !== 0) wrong.push(n);
    check(wrong.length === 0 && await page.locator('th', { hasText: 'Action' }).count() === 0,
      'no answers: no survivor has a killing-line step, and no column for it', wrong.join(' '));
    await settled(page, trouble, 'no answers');
    await page.close();
    return;
  }

  const wrong = [];
  let before = killedset(await shownnow(page));
  for (const n of survivors) {
    const row = page.locator(`[data-mutant="${n}"]`);
    if (await row.getAttribute('data-status') !== 'survived') continue;  // an earlier line killed it too
    await row.locator('button:not(.hint)').click();
    last = await graded(page, last);
    const status = await row.getAttribute('data-status');
    const added = (await page.locator('#lines').inputValue()).trimEnd().split('\n').at(-1);
    if (status !== 'killed') wrong.push(`mutant ${n}: ${status} after adding "${added}"`);
    if (added !== suggested.get(n)) wrong.push(`mutant ${n}: added "${added}", vorlak-report suggests "${suggested.get(n)}"`);
    if (await row.getAttribute('data-hint') !== 'answer') wrong.push(`mutant ${n}: data-hint is not answer once its line was asked for`);
    const note = await page.locator('#note').textContent();
    if (!note.includes(`${full.killinghint}${added} (`)) wrong.push(`mutant ${n}: the note says "${note}"`);
    const after = killedset(await shownnow(page));
    const c = await changed(page);
    if (c.killed !== minus(after, before) || c.survived !== '' || !c.text.includes(`newly killed: mutant`))
      wrong.push(`mutant ${n}: changes ${JSON.stringify(c)}, newly killed ${minus(after, before)}`);
    before = after;
  }
  check(wrong.length === 0, 'suggest: each killing line is vorlak-report\'s, kills its ' +
    'survivor and shows as newly killed', wrong.join('\n      '));
  check(await page.locator('#summary').textContent() === '65/65 mutants killed. (100%)', 'suggest: all killed at the end');
  const file = path.join(opt.out, 'suggested.txt');
  fs.writeFileSync(file, await page.locator('#lines').inputValue(), 'utf8');
  compare(await shownnow(page), verdictof(file), 'suggest', file);

  // Back to the starter's lines: what the added lines killed survives again.
  await page.locator('#lines').fill(fs.readFileSync(starter, 'utf8'));
  last = await graded(page, last);
  const back = await changed(page);
  check(back.killed === '' && back.survived === minus(before, killedset(startershown)) &&
    // listed as every page lists mutants: commas, and "and" before the last
    /killed before, surviving now: mutants (\d+(-\d+)?, )*\d+(-\d+)? and \d+(-\d+)?\./.test(back.text),
  'changes: mutants killed before that survive now',
  JSON.stringify(back));
  await accessible(page, 'changes: mutants that survive again');
  await settled(page, trouble, 'suggest');
  await page.close();
}

// Lines that state the result they expect: each with a tail marked right,
// wrong, malformed or out of range in vorlak-report --expected's words, a
// wrong line explained as the page's level allows and no further; graded by
// the expected results, a wrong line kills nothing and the summary and the
// count of the verdicts are vorlak-report --expected's.
const TAILED = [
  '01/01/2000 01/02/2000 1',
  '02/29/2000 03/01/2000 -15',
  '02/29/2000 03/01/2000 one',
  '02/29/2000 03/01/2000 99999999999',
  '12/31/1999 01/01/2000',
];
async function expectations(context) {
  const file = path.join(opt.out, 'tailed.txt');
  fs.writeFileSync(file, TAILED.join('\n'));  // as typed: the last line without a newline
  // vorlak-report --expected at the page's level: the summary, the counts and each wrong line's explanation.
  const report = spawnSync(opt.report, ['--expected', '--hints', opt.level, file], { encoding: 'utf8' }).stdout.split('\n');
  const summary = report.find((l) => / mutants killed\. /.test(l));
  const counts = report.find((l) => l.startsWith('expectations: '));
  const start = report.indexOf('wrong expectations:');
  const explained = [report[start + 1]];
  for (let i = start + 2; report[i] && report[i].startsWith('    '); i++) explained.push(report[i].slice(4));
  const bad = report.filter((l) => /^line \d+: (malformed expectation|expectation out of range) /.test(l)).map((l) => l.replace(/ ".*"$/, ''));

  const { page, trouble } = await openpage(context);
  await page.locator('#lines').fill(TAILED.join('\n'));
  let last = await graded(page, 1);
  const marked = () => page.evaluate(() => ({
    marks: [...document.querySelectorAll('#marks > li')].map((li) => ({
      line: li.dataset.line, kind: li.dataset.mark, text: li.querySelector('code').textContent,
      mark: li.querySelector('.mark').textContent, explained: [...li.querySelectorAll('.explained li')].map((e) => e.textContent),
    })),
    summary: document.querySelector('#summary').textContent,
    count: document.querySelector('#expectations').hidden ? null : document.querySelector('#expectations').textContent,
    kills: [...document.querySelectorAll('#own tbody tr')].map((tr) => tr.dataset.kills),
  }));
  const off = await marked();
  const want = [['1', 'right', '✓ right', []], ['2', 'wrong', '✗ wrong', explained], ['3', 'malformed', `! ${bad[0]}`, []],
    ['4', 'outofrange', `! ${bad[1]}`, []]];
  const got = off.marks.map((m) => [m.line, m.kind, m.mark, m.explained]);
  check(JSON.stringify(got) === JSON.stringify(want) && off.marks.every((m, i) => m.text === TAILED[i]),
    'expected: the lines with a tail are marked right, wrong, malformed and out of range, as vorlak-report words them',
    `page ${JSON.stringify(got)}, want ${JSON.stringify(want)}`);
  // The wrong line's explanation: that it is wrong, from state the kind it
  // expects, and only with the answers what the program answers and what that
  // means; from concept the beliefs and the concepts, from mutant the mutants
  // that answer it.
  const lines = off.marks[1].explained;
  const beliefs = lines.filter((l) => l.startsWith('line 2 expects -15: as if ')).length;
  const concepts = lines.filter((l) => l.startsWith(full.conceptframe)).length;
  const mutantsnamed = lines.filter((l) => /^(as mutants? |mutant \d+: |no mutant answers )/.test(l)).length;
  const head = offers('answer') ? ['line 2 expects -15, the program answers 1']
    : ['line 2: the result it expects is wrong',
      ...(offers('state') ? ['line 2 expects a date error code, and the program\'s result is of another kind'] : [])];
  check(head.every((l, i) => lines[i] === l) && (!offers('answer') || lines[1].startsWith('1 means ')) &&
    (offers('concept') ? beliefs > 0 && concepts > 0 : beliefs + concepts === 0) &&
    (offers('mutant') ? mutantsnamed > 1 : mutantsnamed === 0) &&
    lines.length === (offers('answer') ? 2 : head.length) + beliefs + concepts + mutantsnamed,
  `expected: the wrong line is explained as ${opt.level} allows, and no further`, JSON.stringify(lines));
  check(off.count === null && off.summary === verdictof(file).summary && off.kills[1] !== '',
    'expected: unchecked, the lines grade as vorlak grades them, and no count of the verdicts shows', JSON.stringify(off));

  await page.locator('#byexpected').check();
  last = await graded(page, last);
  const on = await marked();
  const score = (t) => Number(/^(\d+)\//.exec(t)[1]);
  check(on.summary === summary && on.count === counts && counts === 'expectations: 1 right, 1 wrong, 3 missing' &&
    on.kills[1] === '' && on.kills[2] === '' && score(on.summary) < score(off.summary) &&
    JSON.stringify(on.marks) === JSON.stringify(off.marks),
  'expected: checked, a wrong line kills nothing, and the summary and the count are vorlak-report --expected\'s',
  `${JSON.stringify(on)}; vorlak-report "${summary}", "${counts}"`);
  await accessible(page, `expected at ${opt.level}: the marks and the count of the verdicts`);
  await nothingabove(page, 'expected');
  await page.locator('#byexpected').uncheck();
  await graded(page, last);
  const back = await marked();
  check(back.count === null && back.summary === off.summary, 'expected: unchecked again, the grading is vorlak\'s again',
    JSON.stringify(back));
  await settled(page, trouble, 'expected');
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
  const own = await page.locator('#own tbody code').allTextContents();
  check(JSON.stringify(own) === JSON.stringify(hostile), 'injection: each line shows as text in the view of the lines',
    JSON.stringify(own));
  await settled(page, trouble, 'injection');
  await page.close();
}

await inchromium(`playground at ${opt.level}`, { acceptDownloads: true }, async (context) => {
  if (opt.files === 'on') await files(context);
  await typed(context);
  await ladder(context);
  await expectations(context);
  await injection(context);
});
