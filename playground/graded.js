// What a grading shows: the summary, each mutant's row, the lines that kill
// first, the file's own lines, the lines' marks and what changed since the
// grading before.  Part of the page's script, after steps.js (page.cmake
// joins them).

// The file's own lines: for each, the mutants it kills, those that only it
// kills, and whether taking it out alone would lower the score (needed) or
// not (removable).  A file of more lines than the worker lists shows only
// the lines that kill something alone, and counts the others.
function ownlines(g) {
  const body = $('own').tBodies[0];
  body.replaceChildren();
  for (const l of g.own) {
    const tr = element('tr');
    tr.dataset.line = String(l.line);
    tr.dataset.kills = l.kills.join(' ');
    tr.dataset.alone = l.alone.join(' ');
    const th = element('th', String(l.line));
    th.scope = 'row';
    tr.append(th, element('td', undefined, 'text'), element('td', l.killslist, 'kills'),
      element('td', l.alonelist, 'alone'), element('td', l.alone.length > 0 ? words.needed : words.removable, 'needed'));
    tr.querySelector('.text').append(element('code', l.text));
    body.append(tr);
  }
  const rest = g.lines - g.own.length;
  $('own-rest').textContent = g.own.length < g.lines
    ? `${g.own.length === 0 ? 'No line kills' : 'No other line kills'} a mutant alone: ${rest.toLocaleString('en')} ` +
      `${rest === 1 ? 'line is' : 'lines are'} ${words.removable}, one at a time.`
    : '';
}

// The lines with a tail, each marked right, wrong, malformed or out of
// range in the module's words, a sign before them, and a wrong line with its
// explanation as the page's level allows; data-mark holds the kind.  With
// the grading by the expected results, the count of each verdict follows
// the summary line.
const SIGNS = { right: '✓', wrong: '✗', malformed: '!', outofrange: '!' };
function marks(g) {
  const list = $('marks');
  list.replaceChildren();
  for (const m of g.marks) {
    const li = element('li');
    li.dataset.line = String(m.line);
    li.dataset.mark = m.kind;
    li.append(element('span', `line ${m.line}`, 'number'), ' ', element('code', m.text), ' ',
      element('span', `${SIGNS[m.kind]} ${m.words}`, 'mark'));
    if (m.explained.length > 0) {
      const ul = element('ul', undefined, 'explained');
      ul.append(...m.explained.map((l) => element('li', l)));
      li.append(ul);
    }
    list.append(li);
  }
  const rest = g.markcount - g.marks.length;
  $('marks-rest').textContent = rest > 0
    ? `${rest.toLocaleString('en')} more ${rest === 1 ? 'line states' : 'lines state'} a result, not marked here.` : '';
  const count = $('expectations');
  count.hidden = !g.byexpected;
  count.textContent = g.byexpected ? g.expectations : '';
  document.body.dataset.byexpected = g.byexpected ? 'on' : 'off';
}

// What changed since the grading on show: the mutants newly killed, and
// those killed before that survive now, listed by the worker; data-killed
// and data-survived hold their numbers.
function changes(g) {
  const now = new Set();
  g.mutants.forEach((k, i) => {
    if (k.line !== 0) now.add(i + 1);
  });
  if (previous) {
    const killed = [...now].filter((n) => !previous.has(n));
    const lost = [...previous].filter((n) => !now.has(n)).sort((a, b) => a - b);
    const parts = [];
    if (killed.length > 0) parts.push(`newly killed: ${g.newlykilled}`);
    if (lost.length > 0) parts.push(`killed before, surviving now: ${g.lostnow}`);
    const p = $('changes');
    p.dataset.killed = killed.join(' ');
    p.dataset.survived = lost.join(' ');
    p.textContent = parts.length > 0 ? `Since the last grading, ${parts.join('; ')}.` : 'No change since the last grading.';
  }
  previous = now;
}

function show(g) {
  // What an editor added unseen, said first, a sentence each.
  $('editor').textContent = g.editornotes.map((n) => `${n[0].toUpperCase()}${n.slice(1)}.`).join(' ');
  $('editor').hidden = g.editornotes.length === 0;
  $('summary').textContent = g.summary.replace(/\n$/, '');
  const count = g.lines === 1 ? '1 line' : `${g.lines.toLocaleString('en')} lines`;
  const open = g.lines > 0 && !g.endsinnewline ? ', the last without a newline' : '';
  const took = g.milliseconds < 1000 ? `${Math.max(1, Math.round(g.milliseconds))} ms` : `${(g.milliseconds / 1000).toFixed(2)} s`;
  $('linecount').textContent = `${count}${open}, graded in ${took}.`;
  document.body.dataset.milliseconds = String(g.milliseconds);

  const firsts = new Map();  // line: the mutants it kills first
  g.mutants.forEach((k, i) => {
    const tr = rows.get(i + 1);
    const killed = k.line !== 0;
    tr.dataset.status = killed ? 'killed' : 'survived';
    tr.dataset.line = killed ? String(k.line) : '';
    /*state*/
    // How far the lines got into it: killed, infected, reached or unreached,
    // with the first line that reaches it and the first that infects it.
    tr.dataset.state = k.state;
    tr.dataset.reached = k.reached !== 0 ? String(k.reached) : '';
    tr.dataset.infected = k.infected !== 0 ? String(k.infected) : '';
    refill(tr, mutants[i], k);
    /*/state*/
    tr.querySelector('.status').textContent = killed ? `✓ ${words.killed}` : `✗ ${words.survived}`;
    tr.querySelector('.line').textContent = killed ? String(k.line) : '';
    tr.querySelector('.reference').textContent = killed ? String(k.reference) : '';
    tr.querySelector('.result').textContent = killed ? String(k.result) : '';
    offer(tr);
    if (killed) {
      if (!firsts.has(k.line)) firsts.set(k.line, []);
      firsts.get(k.line).push(i + 1);
    }
  });

  const texts = new Map(g.killers);
  const lists = new Map(g.firstkills);
  const list = $('killers');
  list.replaceChildren();
  for (const [line] of [...firsts].sort((a, b) => a[0] - b[0])) {
    const li = element('li');
    li.dataset.line = String(line);
    li.append(element('span', `line ${line}`, 'number'), ' ',
      element('code', texts.has(line) ? texts.get(line) : ''), ' ',
      element('span', `kills first ${lists.get(line)}`, 'kills'));
    list.append(li);
  }
  if (firsts.size === 0) list.append(element('li', 'none yet', 'none'));
  ownlines(g);
  marks(g);
  changes(g);
  /*answer*/
  // A killing line that killed its mutant hides its button: the focus goes
  // to the mutant's row rather than back to the top of the page.
  const focused = document.activeElement;
  if (asked && (focused === document.body || focused === null || asked.contains(focused)) &&
      asked.dataset.status === 'killed') {
    asked.firstChild.tabIndex = -1;
    asked.firstChild.focus();
  }
  asked = null;
  /*/answer*/
}
