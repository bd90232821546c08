// The class page in a real browser: vorlak-report --class -f html opens from
// a file:// address with the network off, every cell shows what vorlak says
// of that file and mutant, the rows sort, the mutants' descriptions show on
// hover and focus, and a hostile file name and hostile lines run no script.
// So too the pages of --feedback for the class with a directory and two
// names that clash once made safe: a page for each file read, the others in
// the index with why, and nothing run, fetched or blocked.
//
//   node class-test.mjs --report BIN --vorlak BIN --examples DIR --out DIR
//
// Chromium is started as testkit.mjs says.
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { accessible, check, inchromium, options, legible, vorlakverdict } from './testkit.mjs';

const MUTANTS = 65;

const opt = options('class-test.mjs', ['report', 'vorlak', 'examples', 'out'],
  '--report BIN --vorlak BIN --examples DIR --out DIR');
const out = path.resolve(opt.out);
const report = path.resolve(opt.report);
const vorlak = path.resolve(opt.vorlak);
const folder = path.join(out, 'class');
fs.rmSync(folder, { recursive: true, force: true });
fs.mkdirSync(folder, { recursive: true });

// What vorlak itself says of a file: for each killed mutant the killing
// piece and the two results; null when it cannot open the file.
function verdictof(file) {
  const r = spawnSync(vorlak, ['-v', '-i', file], { encoding: 'latin1' });
  if (r.status === 0) return vorlakverdict(r.stdout, fs.readFileSync(file));
  if (r.stdout !== 'error opening file\n') throw new Error(`vorlak -v -i ${file} exited ${r.status}: ${r.stdout}`);
  return null;
}

// The class: the shipped examples, a file named as markup holding hostile
// lines, one that is not UTF-8, and a file that is not there.
const HOSTILE = [
  '</script><script>window.vorlakinjected = "script"</script>',
  '<img src=x onerror="window.vorlakinjected = \'img\'">',
  '02/29/2000 03/01/2000 <b id="vorlakbold">kills</b>',
  'x1/01/2000 01/01/2000 <script>window.vorlakinjected = "line"</script>',
];
const files = fs.readdirSync(opt.examples).filter((f) => f.endsWith('.txt')).sort().map((f) => {
  fs.copyFileSync(path.join(opt.examples, f), path.join(folder, f));
  return f;
});
const hostile = '<img src=x onerror=alert(1)>.txt';
fs.writeFileSync(path.join(folder, hostile), HOSTILE.join('\n') + '\n');
fs.writeFileSync(path.join(folder, 'latin1.txt'), Buffer.from('12/31/1999 01/01/2000 caf\xe9\n01/01/1900 03/01/1900\n', 'latin1'));
files.push(hostile, 'latin1.txt', 'missing.txt');

const page = path.join(out, 'class.html');
const made = spawnSync(report, ['--class', '-f', 'html', '-o', page, ...files], { cwd: folder, encoding: 'utf8' });
check(made.status === 1, 'the missing file makes the status 1', `status ${made.status}: ${made.stderr}`);

// The feedback pages: the class, a directory, and two names that both
// become a_b.txt.
fs.mkdirSync(path.join(folder, 'adirectory'));
fs.writeFileSync(path.join(folder, 'a b.txt'), '01/01/2000 01/02/2000\n');
fs.writeFileSync(path.join(folder, 'a_b.txt'), '02/29/2000 03/01/2000\n');
const taught = [...files, 'adirectory', 'a b.txt', 'a_b.txt'];
const readable = taught.filter((f) => f !== 'missing.txt' && f !== 'adirectory');
const pages = path.join(out, 'feedback');
fs.rmSync(pages, { recursive: true, force: true });
const fed = spawnSync(report, ['--class', '--feedback', pages, ...taught], { cwd: folder, encoding: 'utf8' });
check(fed.status === 1, 'with --feedback, the unread files make the status 1', `status ${fed.status}: ${fed.stderr}`);
const written = fs.readdirSync(pages).sort();
check(written.length === readable.length + 1 && written.includes('index.html'),
  'one page for each file read, and the index', written.join(' '));
check(written.includes('a_b.txt.html') && written.includes('a_b.txt-2.html'), 'names that clash are told apart', written.join(' '));

await inchromium('class page', { viewport: { width: 1400, height: 900 } }, async (context) => {
  const tab = await context.newPage();
  const url = pathToFileURL(page).href;
  const trouble = [];
  tab.on('request', (r) => { if (r.url() !== url) trouble.push(`request ${r.url()}`); });
  tab.on('pageerror', (e) => trouble.push(`page error: ${e.message}`));
  tab.on('console', (m) => { if (m.type() === 'error') trouble.push(`console: ${m.text()}`); });
  tab.on('dialog', (d) => { trouble.push(`dialog: ${d.message()}`); d.dismiss(); });
  await tab.addInitScript(() => {
    window.vorlakviolations = [];
    document.addEventListener('securitypolicyviolation', (e) => window.vorlakviolations.push(`${e.violatedDirective} ${e.sample}`));
  });
  await tab.goto(url);

  // Every cell against vorlak.
  const rows = await tab.locator('#heatmap tbody tr').evaluateAll((trs) => trs.map((tr) => ({
    name: tr.querySelector('th.name').textContent,
    error: tr.querySelector('td.error')?.textContent ?? null,
    cells: [...tr.querySelectorAll('td.cell')].map((td) => ({
      mutant: Number(td.dataset.mutant),
      killed: td.classList.contains('killed'),
      state: td.dataset.state,
      reference: td.dataset.reference,
      result: td.dataset.result,
      title: td.title,
    })),
  })));
  check(rows.length === files.length, 'one row per file, in the order given', `${rows.length} rows`);
  const wrong = [];
  for (const [i, file] of files.entries()) {
    const row = rows[i];
    if (!row) break;
    if (row.name !== file) wrong.push(`row ${i}: named ${row.name}, not ${file}`);
    const verdict = verdictof(path.join(folder, file));
    if (!verdict) {
      if (row.error !== 'No such file or directory') wrong.push(`${file}: vorlak failed, the row says ${row.error}`);
      continue;
    }
    if (row.cells.length !== MUTANTS) wrong.push(`${file}: ${row.cells.length} cells`);
    for (const c of row.cells) {
      const k = verdict.kills.get(c.mutant);
      const input = k?.input.replace(/\n$/, '');
      if (c.killed !== Boolean(k)) wrong.push(`${file} mutant ${c.mutant}: ${c.killed ? 'killed' : 'survived'}, vorlak: ${k ? 'killed' : 'survived'}`);
      else if (k && (c.reference !== String(k.reference) || c.result !== String(k.result)))
        wrong.push(`${file} mutant ${c.mutant}: ${c.reference} =?= ${c.result}, vorlak: ${k.reference} =?= ${k.result}`);
      else if (k && /^[\x20-\x7e]*$/.test(input) && !c.title.includes(`${input} gives ${k.reference} =?= ${k.result}`))
        wrong.push(`${file} mutant ${c.mutant}: the tooltip "${c.title}" lacks vorlak's line "${input}"`);
    }
  }
  check(wrong.length === 0, 'every cell shows what vorlak says of that file and mutant', wrong.slice(0, 10).join('\n      '));

  // Every cell's state as the class json has it, and each mutant's four
  // counts those of its column.
  const json = JSON.parse(spawnSync(report, ['--class', '-f', 'json', ...files], { cwd: folder, encoding: 'utf8' }).stdout);
  const badstates = [];
  for (const [i, file] of json.files.entries()) {
    if (file.error !== null) continue;
    const want = new Map(file.kills.map((k) => [k.mutant, 'killed']));
    for (const state of ['infected', 'reached', 'unreached']) for (const n of file[state]) want.set(n, state);
    for (const c of rows[i].cells)
      if (c.state !== want.get(c.mutant))
        badstates.push(`${file.name} mutant ${c.mutant}: ${c.state}, the json: ${want.get(c.mutant)}`);
  }
  check(badstates.length === 0, 'every cell\'s state is the class json\'s', badstates.slice(0, 10).join('\n      '));
  const counts = await tab.locator('#mutants tbody tr').evaluateAll((trs) => trs.map((tr) => [Number(tr.dataset.mutant),
    ['infected', 'reached', 'unreached'].map((s) => Number(tr.querySelector(`td[data-state="${s}"]`).textContent))]));
  const badcounts = counts.filter(([n, shown]) => JSON.stringify(shown) !== JSON.stringify(['infected', 'reached', 'unreached']
    .map((s) => rows.filter((r) => r.error === null && r.cells[n - 1].state === s).length)));
  check(counts.length === MUTANTS && badcounts.length === 0, 'each mutant counts the files in each state', JSON.stringify(badcounts.slice(0, 3)));

  // The hostile name and lines: text, never markup.
  check(await tab.evaluate(() => window.vorlakinjected) === undefined, 'no script of a file name or line ran');
  check(await tab.locator('img, #vorlakbold').count() === 0, 'no element from a file name or line');
  check(await tab.locator('script').count() === 1, 'the page has its one script');
  check(rows.some((r) => r.name === hostile), 'the hostile name shows as text');
  check(rows.some((r) => r.cells.some((c) => c.title.includes(HOSTILE[2]))), 'a hostile line shows as text in its tooltip');

  // Sorting by score, highest first, then by name.
  const names = async () => tab.locator('#heatmap tbody th.name').allTextContents();
  const scores = async () => tab.locator('#heatmap tbody tr').evaluateAll((trs) => trs.map((tr) => tr.dataset.score));
  await tab.locator('button[data-sort="score"]').click();
  const byscore = (await scores()).filter((s) => s !== '').map(Number);
  check(byscore.every((s, i) => i === 0 || byscore[i - 1] >= s), 'score sorts highest first', byscore.join(' '));
  check((await scores()).at(-1) === '', 'a file that was not read sorts last');
  await tab.locator('button[data-sort="name"]').click();
  const byname = (await names()).slice(0, -1);
  check(byname.every((n, i) => i === 0 || byname[i - 1] <= n), 'name sorts in order', byname.join(' | '));
  await tab.locator('button[data-sort="name"]').click();
  const back = (await names()).slice(0, -1);
  check(back.every((n, i) => i === 0 || back[i - 1] >= n), 'a second press turns the order');

  // Each mutant's description on focus and on hover.
  const header = tab.locator('#heatmap th.mutant[data-mutant="43"]');
  await header.focus();
  const tip = header.locator('.tip');
  check(await tip.isVisible(), 'a mutant\'s description shows on focus');
  check((await tip.textContent()).includes('2000'), 'and it is the catalogue description', await tip.textContent());
  await tab.locator('h1').hover();
  await tab.locator('#heatmap th.mutant[data-mutant="1"]').hover();
  check(await tab.locator('#heatmap th.mutant[data-mutant="1"] .tip').isVisible(), 'and on hover');

  // A bar for each mutant's kill rate, as long as its share of the files read.
  const graded = rows.filter((r) => r.error === null);
  const bars = await tab.locator('#mutants tbody tr').evaluateAll((trs) => trs.map((tr) => ({
    mutant: Number(tr.dataset.mutant),
    width: Number(tr.querySelector('rect.rate').getAttribute('width')),
  })));
  const badbars = bars.filter((b) => {
    const killing = graded.filter((r) => r.cells[b.mutant - 1].killed).length;
    return b.width !== Math.floor(killing * 120 / graded.length);
  });
  check(bars.length === MUTANTS && badbars.length === 0, 'each mutant\'s kill rate as a bar', JSON.stringify(badbars.slice(0, 3)));

  await accessible(tab, 'the class page, the four states in the heat map and its legend');

  const violations = await tab.evaluate(() => window.vorlakviolations);
  check(violations.length === 0, 'the content policy blocked nothing', violations.join('; '));
  check(trouble.length === 0, 'no request, no error, no dialog', trouble.join('; '));

  // The picture for the docs: the examples and the hostile file, sorted by score.
  await tab.locator('button[data-sort="score"]').click();
  await tab.locator('#heatmap th.mutant[data-mutant="43"]').hover();
  await tab.screenshot({ path: path.join(out, 'class.png'), clip: { x: 0, y: 0, width: 1400, height: 420 } });
  await tab.close();

  // The index and every feedback page: text only, nothing run or fetched.
  const open = async (file) => {
    const t = await context.newPage();
    const at = pathToFileURL(path.join(pages, file)).href;
    const seen = [];
    t.on('request', (r) => { if (r.url() !== at) seen.push(`request ${r.url()}`); });
    t.on('pageerror', (e) => seen.push(`page error: ${e.message}`));
    t.on('console', (m) => { if (m.type() === 'error') seen.push(`console: ${m.text()}`); });
    t.on('dialog', (d) => { seen.push(`dialog: ${d.message()}`); d.dismiss(); });
    await t.addInitScript(() => {
      window.vorlakviolations = [];
      document.addEventListener('securitypolicyviolation', (e) => window.vorlakviolations.push(`${e.violatedDirective} ${e.sample}`));
    });
    await t.goto(at);
    const quiet = async () => {
      seen.push(...await t.evaluate(() => window.vorlakviolations));
      if (await t.evaluate(() => window.vorlakinjected) !== undefined) seen.push('a script of a name or line ran');
      if (await t.locator('script, img, #vorlakbold').count() !== 0) seen.push('an element from a name or line');
      return seen;
    };
    return { t, quiet };
  };
  const index = await open('index.html');
  const links = await index.t.locator('#files a').evaluateAll((as) => as.map((a) => [a.textContent, a.getAttribute('href')]));
  check(JSON.stringify(links.map(([name]) => name)) === JSON.stringify(readable), 'the index links every file read, in order',
    JSON.stringify(links));
  check(new Set(links.map(([, href]) => href)).size === readable.length && links.every(([, href]) => written.includes(href)),
    'each to a page of its own');
  const unread = await index.t.locator('#unread li').allTextContents();
  check(JSON.stringify(unread) === JSON.stringify(['missing.txt: No such file or directory', 'adirectory: Is a directory']),
    'the index lists the files not read, with why', JSON.stringify(unread));
  await accessible(index.t, 'the feedback index');
  const troubles = await index.quiet();
  for (const [name, href] of links) {
    const one = await open(href);
    const heading = await one.t.locator('h1').textContent();
    if (heading !== `Feedback on ${name}`) troubles.push(`${href}: the heading ${heading}`);
    if (name === hostile) {
      check(await one.t.locator('.survivor').count() > 0, 'the hostile file\'s page lists its survivors by concept');
      await accessible(one.t, 'a feedback page, its survivors by concept');
    }
    // The picture for the docs: the starter's page.
    if (name === 'starter.txt') await one.t.screenshot({ path: path.join(out, 'feedback.png'), clip: { x: 0, y: 0, width: 760, height: 640 } });
    troubles.push(...(await one.quiet()).map((t) => `${href}: ${t}`));
    await one.t.close();
  }
  check(troubles.length === 0, 'the feedback pages run nothing, fetch nothing and break no policy', troubles.join('; '));
  await index.t.close();

  // The pages at every hint level: accessible, quiet, and each of the
  // student's lines with what the kill matrix says it kills and what only
  // it kills.
  const matrix = spawnSync(report, ['-f', 'csv', '--matrix', 'starter.txt'], { cwd: folder, encoding: 'utf8' });
  const kills = new Map();
  for (const record of matrix.stdout.split('\r\n').slice(1).filter((r) => r !== '')) {
    const [line, mutant] = record.split(',');
    if (!kills.has(line)) kills.set(line, []);
    if (mutant !== '') kills.get(line).push(Number(mutant));
  }
  const killers = new Map();
  for (const list of kills.values()) for (const n of list) killers.set(n, (killers.get(n) ?? 0) + 1);
  const expected = [...kills.entries()].map(([line, list]) =>
    [line, list.join(' '), list.filter((n) => killers.get(n) === 1).join(' ')].join('|'));
  const leveltroubles = [];
  for (const level of ['score', 'state', 'concept', 'condition', 'mutant', 'answer']) {
    const dir = path.join(out, `feedback-${level}`);
    fs.rmSync(dir, { recursive: true, force: true });
    const made = spawnSync(report, ['--class', '--feedback', dir, '--hints', level, 'starter.txt', hostile, 'latin1.txt'],
      { cwd: folder, encoding: 'utf8' });
    check(made.status === 0, `the pages at ${level} are written`, `status ${made.status}: ${made.stderr}`);
    for (const page of fs.readdirSync(dir).sort()) {
      const one = await open(path.relative(pages, path.join(dir, page)));
      await accessible(one.t, `a feedback page at ${level}`);
      if (page === 'starter.txt.html') {
        const rows = await one.t.locator('#lines tbody tr').evaluateAll((trs) => trs.map((tr) =>
          [tr.dataset.line, tr.dataset.kills, tr.dataset.alone].join('|')));
        check(JSON.stringify(rows) === JSON.stringify(expected), `at ${level}, each line kills what the matrix says`,
          `${JSON.stringify(rows)} against ${JSON.stringify(expected)}`);
      }
      leveltroubles.push(...(await one.quiet()).map((t) => `${level}/${page}: ${t}`));
      await one.t.close();
    }
  }
  check(leveltroubles.length === 0, 'the pages at every level run nothing, fetch nothing and break no policy',
    leveltroubles.join('; '));

  // A class whose lines state what they expect, graded by it: the class
  // page with each file's counts and the misconceptions, and the pages at
  // every level with the wrong lines, explained, before the survivors.
  const TAILS = [
    '02/28/2001 03/01/2001 1',
    '02/28/2000 03/01/2000 1',
    '02/28/2100 03/01/2100 2',
    '13/01/2000 01/01/2000 -11',
    '01/01/1900 01/01/2000',
    '12/31/1999 01/01/2000 <b id="vorlakbold">soon</b>',
  ];
  fs.writeFileSync(path.join(folder, 'tailed.txt'), TAILS.join('\n') + '\n');
  const tailedclass = ['tailed.txt', 'starter.txt', hostile];
  const expectedpage = path.join(out, 'class-expected.html');
  const gradedclass = spawnSync(report, ['--class', '--expected', '-f', 'html', '-o', expectedpage, ...tailedclass],
    { cwd: folder, encoding: 'utf8' });
  check(gradedclass.status === 0, 'the class page with --expected is written', `status ${gradedclass.status}: ${gradedclass.stderr}`);
  const classtab = await context.newPage();
  await classtab.goto(pathToFileURL(expectedpage).href);
  const heads = await classtab.locator('#heatmap thead th').allTextContents();
  check(['right', 'wrong', 'missing'].every((h) => heads.includes(h)), 'the heat map counts each file\'s expectations',
    heads.slice(0, 8).join(' '));
  const pointed = await classtab.locator('#misconceptions li').allTextContents();
  check(pointed.length > 0 && pointed.every((l) => / 1 file$/.test(l)), 'the class lists its misconceptions',
    JSON.stringify(pointed));
  await accessible(classtab, 'the class page with expectations');
  await classtab.close();
  const expectedtroubles = [];
  for (const level of ['score', 'state', 'concept', 'condition', 'mutant', 'answer']) {
    const dir = path.join(out, `feedback-expected-${level}`);
    fs.rmSync(dir, { recursive: true, force: true });
    const made = spawnSync(report, ['--class', '--expected', '--feedback', dir, '--hints', level, ...tailedclass],
      { cwd: folder, encoding: 'utf8' });
    check(made.status === 0, `the pages with expectations at ${level} are written`, `status ${made.status}: ${made.stderr}`);
    for (const page of fs.readdirSync(dir).sort()) {
      const one = await open(path.relative(pages, path.join(dir, page)));
      await accessible(one.t, `a feedback page with expectations at ${level}`);
      if (page === 'tailed.txt.html') {
        const lines = await one.t.locator('.wrongline').evaluateAll((lis) => lis.map((li) => Number(li.dataset.line)));
        if (JSON.stringify(lines) !== '[2,3]') expectedtroubles.push(`${level}: wrong lines ${JSON.stringify(lines)}`);
        const first = await one.t.evaluate(() => {
          const wrong = document.querySelector('section.wrong');
          const survivors = document.querySelector('.numbers, .groups, section.concept');
          return Boolean(wrong && survivors && wrong.compareDocumentPosition(survivors) & Node.DOCUMENT_POSITION_FOLLOWING);
        });
        if (!first) expectedtroubles.push(`${level}: the wrong lines do not come before the survivors`);
        const missing = await one.t.locator('section.missing li').allTextContents();
        if (missing.length !== 2) expectedtroubles.push(`${level}: missing ${JSON.stringify(missing)}`);
      }
      expectedtroubles.push(...(await one.quiet()).map((t) => `${level}/${page}: ${t}`));
      await one.t.close();
    }
  }
  check(expectedtroubles.length === 0, 'the pages with expectations show the wrong lines first, quietly, at every level',
    expectedtroubles.join('; '));

  {
    // A class of thirty files as a teacher and students read it, at 1280 and
    // at 400 pixels: the examples' lines in growing shares, one file with a
    // line of 900 bytes, one saved with CR LF and one that begins with a
    // byte-order mark.
    const thirty = path.join(out, 'thirty');
    fs.rmSync(thirty, { recursive: true, force: true });
    fs.mkdirSync(thirty, { recursive: true });
    const lines = (f) => fs.readFileSync(path.join(opt.examples, f), 'utf8').split('\n').filter((l) => l !== '');
    const [adequate, starter] = [lines('adequate.txt'), lines('starter.txt')];
    const names = [];
    const write = (name, text) => { fs.writeFileSync(path.join(thirty, name), text); names.push(name); };
    for (let i = 0; i < 27; i++)
      write(`student-${String(i + 1).padStart(2, '0')}-with-a-rather-long-name.txt`,
        [...starter, ...adequate.filter((_, j) => (j * 7 + i) % 27 < i)].join('\n') + '\n');
    write('long.txt', [...starter, `01/01/2000 02/01/2000 ${'x'.repeat(900 - 22)}`, ...adequate.slice(0, 10)].join('\n') + '\n');
    write('crlf.txt', [...starter, ...adequate.slice(0, 12)].join('\r\n') + '\r\n');
    write('bom.txt', `\ufeff${[...starter, ...adequate.slice(5, 15)].join('\n')}\n`);
    const thirtypage = path.join(out, 'thirty.html');
    const thirtypages = path.join(out, 'thirty-feedback');
    fs.rmSync(thirtypages, { recursive: true, force: true });
    for (const args of [['-f', 'html', '-o', thirtypage], ['--feedback', thirtypages]]) {
      const made = spawnSync(report, ['--class', ...args, ...names], { cwd: thirty, encoding: 'utf8' });
      check(made.status === 0, `the class of thirty is written (${args[0]})`, `status ${made.status}: ${made.stderr}`);
    }
    const read = [thirtypage, ...['index.html', 'long.txt.html', 'crlf.txt.html', 'bom.txt.html', 'student-01-with-a-rather-long-name.txt.html']
      .map((f) => path.join(thirtypages, f))];
    for (const width of [1280, 400]) {
      for (const file of read) {
        const tab = await context.newPage();
        await tab.setViewportSize({ width, height: 900 });
        await tab.goto(pathToFileURL(file).href);
        const what = `${path.basename(file)} at ${width} pixels`;
        await legible(tab, what);
        await accessible(tab, what);
        if (file === thirtypage) {
          // Every mutant's column one width; the names in view with the map scrolled to its end.
          const widths = await tab.locator('#heatmap tbody tr:first-child td.cell').evaluateAll((tds) =>
            [...new Set(tds.map((td) => td.getBoundingClientRect().width.toFixed(1)))]);
          check(widths.length === 1, `${what}: every mutant's column is one width`, widths.join(' '));
          const inview = await tab.evaluate(() => {
            const region = document.querySelector('#heatmap').parentElement;
            region.scrollLeft = region.scrollWidth;
            const name = document.querySelector('#heatmap tbody th.name').getBoundingClientRect();
            const box = region.getBoundingClientRect();
            return region.scrollLeft > 0 && name.left >= box.left && name.right <= box.right && name.width > 0;
          });
          check(inview || width === 1280 && await tab.evaluate(() => {
            const region = document.querySelector('#heatmap').parentElement;
            return region.scrollWidth <= region.clientWidth;
          }), `${what}: the files' names stay in view while the map scrolls`);
          const labels = await tab.locator('#heatmap th.mutant').evaluateAll((ths) => ths.map((th) => th.getAttribute('aria-label')));
          check(labels.length === 65 && labels.every((l, i) => l.startsWith(`mutant ${i + 1}: `)),
            `${what}: every column still names its mutant to a screen reader`);
        }
        if (file.endsWith('crlf.txt.html') || file.endsWith('bom.txt.html')) {
          const sentence = await tab.locator('p.editor').allTextContents();
          check(sentence.length === 1 && (file.endsWith('crlf.txt.html') ? /CR LF/ : /byte-order mark/).test(sentence[0]),
            `${what}: one sentence says what the editor added`, JSON.stringify(sentence));
          const texts = await tab.locator('#lines td.text').allTextContents();
          check(file.endsWith('bom.txt.html') ? texts[0].startsWith('\u00a4') : texts.every((t) => t === '' || t.endsWith('\u240d')),
            `${what}: Your lines shows the bytes the editor added`, JSON.stringify(texts.slice(0, 3)));
        }
        await tab.close();
      }
    }
  }
});
