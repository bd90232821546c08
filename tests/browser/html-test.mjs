// The HTML report in a real browser: the page that vorlak-report -f html makes
// opens from a file:// address with the network off, shows every mutant as
// vorlak judged it (a survivor no line reaches as NoCoverage) and why a
// survivor lives, and shows hostile test lines as text without running them.
//
//   node html-test.mjs --report BIN --vorlak BIN --starter FILE --out DIR
//
// Chromium is started as testkit.mjs says.
import { execFileSync, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { accessible, check, inchromium, options, vorlakverdict } from './testkit.mjs';

const MUTANTS = 65;
const RENDER_TIMEOUT = 30000;  // ms; a loaded machine is slow to lay out the source

const opt = options('html-test.mjs', ['report', 'vorlak', 'starter', 'out'],
  '--report BIN --vorlak BIN --starter FILE --out DIR');
fs.mkdirSync(opt.out, { recursive: true });

// What vorlak itself says of a test file: the killed mutants, the piece that
// killed each, and the summary line.
function verdictof(testfile) {
  const out = execFileSync(opt.vorlak, ['-v', '-i', testfile], { encoding: 'latin1' });
  return vorlakverdict(out, fs.readFileSync(testfile));
}

// What vorlak-report's csv says of each mutant beyond vorlak: the first
// lines that reach and infect it (empty when none); the fields before the
// description and the last two hold no comma.
function reachof(testfile) {
  const out = execFileSync(opt.report, ['-f', 'csv', testfile], { encoding: 'utf8' });
  const reach = new Map();
  for (const row of out.split('\r\n').slice(1, -1)) {
    const f = row.split(',');
    reach.set(Number(f[0]), { reached: f.at(-2), infected: f.at(-1) });
  }
  return reach;
}

// The json report's mutants by number.
function mutantsof(testfile) {
  const report = JSON.parse(execFileSync(opt.report, ['-f', 'json', testfile], { encoding: 'utf8' }));
  return new Map(Object.values(report.files).flatMap((f) => f.mutants).map((m) => [Number(m.id), m]));
}

function makepage(testfile, page) {
  const r = spawnSync(opt.report, ['-f', 'html', '-o', page, testfile], { encoding: 'utf8' });
  if (r.status !== 0) throw new Error(`vorlak-report -f html ${testfile} exited ${r.status}: ${r.stderr}`);
  return page;
}

// Opens a page with the network off, recording every request that is not
// for the page itself, every script error and every policy violation.
async function openpage(context, file, hash = '', trouble = { requests: [], errors: [], violations: [] }) {
  const page = await context.newPage();
  const url = pathToFileURL(file).href;
  page.on('request', (r) => {
    if (r.url().split('#')[0] !== url) trouble.requests.push(r.url());
  });
  page.on('pageerror', (e) => trouble.errors.push(`page error: ${e.message}`));
  page.on('console', (m) => {
    if (m.type() === 'error') trouble.errors.push(`console: ${m.text()}`);
  });
  await page.addInitScript(() => {
    window.vorlakviolations = [];
    document.addEventListener('securitypolicyviolation', (e) =>
      window.vorlakviolations.push(`${e.violatedDirective} ${e.blockedURI} ${e.sample}`));
  });
  await page.goto(url + hash);
  // Locators pierce the open shadow roots of the viewer's elements.
  try {
    await page.locator('mte-metrics-table tbody tr').first().waitFor({ timeout: RENDER_TIMEOUT });
  } catch (e) {
    const blocked = await page.evaluate(() => window.vorlakviolations);
    throw new Error(`${path.basename(file)}${hash} did not render: ${e.message.split('\n')[0]}\n` +
      [...trouble.errors, ...blocked.map((v) => `blocked: ${v}`), ...trouble.requests].join('\n'));
  }
  return { page, trouble };
}

// Closes a page, keeping what the content policy blocked on it.
async function closepage(page, trouble) {
  trouble.violations.push(...await page.evaluate(() => window.vorlakviolations));
  await page.close();
}

function settled(trouble, what) {
  check(trouble.violations.length === 0, `${what}: the content policy blocked nothing`, trouble.violations.join('; '));
  check(trouble.errors.length === 0, `${what}: no script errors`, trouble.errors.join('; '));
  check(trouble.requests.length === 0, `${what}: nothing loaded but the page`, trouble.requests.join(' '));
}

// Every text node under the page or an element of it, shadow roots included.
async function deeptext(page, selector = 'body') {
  return page.locator(selector).first().evaluate((top) => {
    const texts = [];
    const walk = (root) => {
      const w = document.createTreeWalker(root, NodeFilter.SHOW_ELEMENT | NodeFilter.SHOW_TEXT);
      for (let n = w.currentNode; n; n = w.nextNode()) {
        if (n.nodeType === Node.TEXT_NODE) texts.push(n.data);
        else if (n.shadowRoot) walk(n.shadowRoot);
      }
    };
    walk(top.shadowRoot ?? top);
    return texts;
  });
}

// Elements of a kind anywhere in the page's shadow roots, where no test
// line's markup may land.
async function shadowelements(page, selector) {
  return page.evaluate((sel) => {
    let found = 0;
    const walk = (root) => {
      found += root === document ? 0 : root.querySelectorAll(sel).length;
      for (const e of root.querySelectorAll('*')) if (e.shadowRoot) walk(e.shadowRoot);
    };
    walk(document);
    return found;
  }, selector);
}

// The status class of every mutant in the source views of all files.
// The status class of every mutant in the source views of all files, and
// the view that shows each.
async function mutantstatus(context, file) {
  const { page: picker, trouble } = await openpage(context, file);
  const views = await picker.locator('mte-file-picker a[href*="#mutant/"]').evaluateAll((as) =>
    as.map((a) => a.href.split('#')[1]));
  await closepage(picker, trouble);
  const status = new Map();
  const view = new Map();
  for (const v of views) {
    const { page } = await openpage(context, file, '#' + v, trouble);
    await page.locator('#report-code-block').first().waitFor({ timeout: RENDER_TIMEOUT });
    const spans = await page.locator('span.mutant[data-mutant-id]').evaluateAll((ss) =>
      ss.map((s) => [s.dataset.mutantId, [...s.classList].filter((c) => ['Killed', 'Survived', 'NoCoverage'].includes(c))]));
    for (const [id, classes] of spans) {
      status.set(Number(id), classes.join(' '));
      view.set(Number(id), v);
    }
    await closepage(page, trouble);
  }
  return { status, view, files: views.length, trouble };
}

async function starter(context) {
  const verdict = verdictof(opt.starter);
  const reach = reachof(opt.starter);
  // A survivor that no line reaches shows as NoCoverage.
  const statusof = (m) => verdict.kills.has(m) ? 'Killed' : reach.get(m).reached === '' ? 'NoCoverage' : 'Survived';
  const unreached = [...reach.keys()].filter((m) => statusof(m) === 'NoCoverage').length;
  const html = makepage(opt.starter, path.join(opt.out, 'starter.html'));
  const { page, trouble } = await openpage(context, html);

  const title = await page.title();
  // The report names the test file as it was given.
  check(title.includes(`${opt.starter}: ${verdict.summary}`), 'starter: the title names the file and the score as vorlak prints it',
    `title "${title}", vorlak "${verdict.summary}"`);
  const heading = await page.locator('h1 small').first().textContent();
  check(heading.trim() === `${opt.starter}: ${verdict.summary}`, 'starter: the heading shows the same', heading);

  // The viewer's own count and score for all files together.
  const row = page.locator('mte-metrics-table tbody tr').first();
  const cell = async (tip) => Number((await row.locator(`td[aria-describedby="${tip}"]`).textContent()).trim());
  check(await cell('tooltip-killed') === verdict.killed, 'starter: the viewer counts the killed mutants as vorlak does');
  check(await cell('tooltip-survived') === MUTANTS - verdict.killed - unreached, 'starter: and the reached survivors');
  check(await cell('tooltip-noCoverage') === unreached, 'starter: and the survivors that no line reaches');
  check(unreached > 0, 'starter: the example has survivors that no line reaches');
  check(await cell('tooltip-totalMutants') === MUTANTS, 'starter: and all 65');
  const score = Number(await row.locator('[role="progressbar"][title^="Of total"]').getAttribute('aria-valuenow'));
  check(Math.round(score) === verdict.percent, 'starter: the viewer\'s score rounds to vorlak\'s', `${score} against ${verdict.percent}%`);
  await accessible(page, 'starter overview');
  // The viewer follows the reader's choice of a dark theme.
  await page.emulateMedia({ colorScheme: 'dark' });
  await page.locator('mutation-test-report-app[theme="dark"]').waitFor();
  await accessible(page, 'starter overview, dark');
  await closepage(page, trouble);
  settled(trouble, 'starter overview');

  const seen = await mutantstatus(context, html);
  check(seen.files > 0, 'starter: the file picker lists source files');
  const wrong = [];
  for (let m = 1; m <= MUTANTS; m++) {
    const want = statusof(m);
    if (seen.status.get(m) !== want) wrong.push(`mutant ${m}: ${seen.status.get(m) ?? 'not shown'}, vorlak: ${want}`);
  }
  check(wrong.length === 0, 'starter: every mutant is marked in the source as vorlak judged it', wrong.join('; '));
  check(verdict.killed > 0 && verdict.killed < MUTANTS, 'starter: the example has both killed and surviving mutants');
  settled(seen.trouble, 'starter source views');

  // A killed mutant's details name the line that killed it.
  const [mutant, { input }] = [...verdict.kills][0];
  const line = input.trimEnd();
  const { page: shot, trouble: shottrouble } = await openpage(context, html, '#' + seen.view.get(mutant));
  // The viewer lists only survivors at first; show the killed too.
  await shot.locator('input#filter-Killed').first().check();
  await shot.locator(`svg.mutant-dot[data-mutant-id="${mutant}"]`).first().click();
  await shot.waitForTimeout(1000);  // the drawer slides in
  const details = (await deeptext(shot, 'mte-drawer-mutant')).join(' ');
  check(details.includes(line), `starter: mutant ${mutant}'s details show its killing line`,
    `"${line}" not in "${details.trim().slice(0, 300)}"`);
  // The picture for the README: the source around the mutant, its details below.
  await shot.screenshot({ path: path.join(opt.out, 'report.png') });
  await accessible(shot, 'starter details');
  await closepage(shot, shottrouble);
  settled(shottrouble, 'starter details');

  // An infected survivor's details say how the difference was lost, and
  // its alteration as the line reads in the reference and in the mutant.
  const infected = [...reach].find(([m, r]) => !verdict.kills.has(m) && r.infected !== '')?.[0];
  check(infected !== undefined, 'starter: the example has an infected survivor');
  if (infected === undefined) return;
  const reason = mutantsof(opt.starter).get(infected).statusReason;
  const { page: why, trouble: whytrouble } = await openpage(context, html, '#' + seen.view.get(infected));
  await why.locator(`svg.mutant-dot[data-mutant-id="${infected}"]`).first().click();
  await why.waitForTimeout(1000);
  const told = (await deeptext(why, 'mte-drawer-mutant')).join('\n');
  check(told.includes(reason) && reason.startsWith(`infected by line ${reach.get(infected).infected}: `),
    `starter: mutant ${infected}'s details say why it survived`, `"${reason}" in "${told.trim().slice(0, 400)}"`);
  check(/\n- .+/.test(told), `starter: mutant ${infected}'s details show its alteration as a diff`, told.trim().slice(0, 400));
  await closepage(why, whytrouble);
  settled(whytrouble, 'starter survivor details');

  // Left alone, the NoCoverage filter lists exactly the mutants no line reaches.
  const nocoverage = [...reach.keys()].filter((m) => statusof(m) === 'NoCoverage');
  const first = nocoverage[0];
  const { page: filter, trouble: filtertrouble } = await openpage(context, html, '#' + seen.view.get(first));
  await filter.locator('input#filter-Survived').first().uncheck();
  const dots = (await filter.locator('svg.mutant-dot[data-mutant-id]').evaluateAll((ds) =>
    ds.map((d) => Number(d.dataset.mutantId)))).sort((a, b) => a - b);
  const inview = nocoverage.filter((m) => seen.view.get(m) === seen.view.get(first));
  check(dots.join(' ') === inview.join(' '), 'starter: the NoCoverage filter alone shows the unreached mutants',
    `${dots.join(' ')} against ${inview.join(' ')}`);
  await closepage(filter, filtertrouble);
  settled(filtertrouble, 'starter NoCoverage filter');
}

// The viewer colours a score by its band, under 60%, under 80% and above,
// as the starter, the first 26 lines of the adequate example and all of it
// score: each band reads in both themes.
async function bands(context) {
  const adequate = fs.readFileSync(path.join(path.dirname(opt.starter), 'adequate.txt'), 'latin1');
  const partial = path.join(opt.out, 'partial.txt');
  fs.writeFileSync(partial, adequate.split('\n').slice(0, 26).join('\n') + '\n', 'latin1');
  const percent = verdictof(partial).percent;
  check(percent >= 60 && percent < 80, 'bands: the partial example scores in the middle band', `${percent}%`);
  for (const [testfile, name] of [[partial, 'partial'], [path.join(path.dirname(opt.starter), 'adequate.txt'), 'adequate']]) {
    const html = makepage(testfile, path.join(opt.out, `${name}.html`));
    for (const colorScheme of ['light', 'dark']) {
      const { page, trouble } = await openpage(context, html);
      await page.emulateMedia({ colorScheme });
      await page.locator(`mutation-test-report-app[theme="${colorScheme}"]`).waitFor();
      await accessible(page, `bands: ${name}, ${colorScheme}`);
      await closepage(page, trouble);
      settled(trouble, `bands: ${name}, ${colorScheme}`);
    }
  }
}

// Lines that would end the script element, open a comment, run a handler or
// break the encoding if any of them reached the page as markup.
const HOSTILE = [
  Buffer.from('</script><script>window.vorlakinjected = "script"</script>'),
  Buffer.from('<!-- <script>window.vorlakinjected = "comment"</script> -->'),
  Buffer.from('<img src=x onerror="window.vorlakinjected = \'img\'">'),
  Buffer.from('"double" \'single\' `back` &amp; \\u003c'),
  Buffer.from('zero\0byte'),
  Buffer.concat([Buffer.from('bad'), Buffer.from([0xff, 0xfe]), Buffer.from(' utf8 '), Buffer.from([0xc3, 0x28])]),
  Buffer.from('02/29/2000 03/01/2000 <b id="vorlakbold">kills</b>'),
];
// How the report shows each: bytes that are not UTF-8 as U+FFFD.
const SHOWN = HOSTILE.map((b) => b.toString('utf8'));

async function injection(context) {
  const testfile = path.join(opt.out, 'injection.txt');
  fs.writeFileSync(testfile, Buffer.concat(HOSTILE.flatMap((b) => [b, Buffer.from('\n')])));
  const verdict = verdictof(testfile);
  const html = makepage(testfile, path.join(opt.out, 'injection.html'));
  const { page, trouble } = await openpage(context, html, '#test/injection.txt');
  await page.locator('mte-test-view').first().waitFor({ timeout: RENDER_TIMEOUT });
  await page.waitForTimeout(500);

  check(await page.evaluate(() => window.vorlakinjected) === undefined, 'injection: no script of a test line ran');
  for (const [sel, what] of [['img', 'image'], ['script', 'script'], ['#vorlakbold', 'bold element']])
    check(await shadowelements(page, sel) === 0, `injection: no ${what} from a test line in the viewer`);
  check(await page.locator('script').count() === 3, 'injection: the page still has its own three scripts');

  const texts = await deeptext(page);
  for (const [i, shown] of SHOWN.entries())
    check(texts.some((t) => t.includes(shown)), `injection: line ${i + 1} shows as text`, JSON.stringify(shown));
  const title = await page.title();
  check(title.includes(`${testfile}: ${verdict.summary}`), 'injection: the page still has its title', title);
  await page.screenshot({ path: path.join(opt.out, 'injection.png') });
  await closepage(page, trouble);
  settled(trouble, 'injection');
}

// The starter with the results its lines expect, one wrong, graded by
// them: the title counts the verdicts, each test names its own, and the
// page stays accessible.
async function expectations(context) {
  const testfile = path.join(path.dirname(opt.starter), 'expected.txt');
  const html = path.join(opt.out, 'expected.html');
  const r = spawnSync(opt.report, ['-f', 'html', '--expected', '-o', html, testfile], { encoding: 'utf8' });
  check(r.status === 0, 'expectations: the page is written', r.stderr);
  const text = execFileSync(opt.report, ['--expected', testfile], { encoding: 'utf8' });
  const counts = text.split('\n').find((l) => l.startsWith('expectations: '));
  const { page, trouble } = await openpage(context, html, '#test/expected.txt');
  check((await page.title()).endsWith(`; ${counts}`), 'expectations: the title counts the verdicts', await page.title());
  await page.locator('mte-test-view').first().waitFor({ timeout: RENDER_TIMEOUT });
  await page.waitForTimeout(500);
  // Each test as the viewer lists it, its name then its state in brackets.
  const names = [...new Set((await deeptext(page)).map((t) => t.trim()))].filter((t) => /^\S.{20,60} \(\w+\)$/.test(t));
  const right = names.filter((t) => t.includes(' [right] (')).length;
  const wrong = names.filter((t) => t.includes(' [wrong] (')).length;
  check(right > 0 && `expectations: ${right} right, ${wrong} wrong, 0 missing` === counts,
    'expectations: each test names its verdict, as the text report counts them', `${right} right, ${wrong} wrong; ${counts}`);
  await accessible(page, 'expectations, the tests');
  await closepage(page, trouble);
  settled(trouble, 'expectations');
}

await inchromium('browser', {}, async (context) => {
  await starter(context);
  await bands(context);
  await injection(context);
  await expectations(context);
});
