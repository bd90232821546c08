// The playground page: keeps the test file (a loaded file, then the typed
// lines), has the worker grade it on every change and shows what it found,
// what changed since the grading before, what each line kills, and each
// survivor's hints one step at a time, up to the page's level.  Every text
// that comes from the lines goes into the page as text.  What belongs to a
// hint level stands between its marks, which page.cmake keeps up to the
// page's level and drops, with what they hold, above it.
'use strict';

const $ = (id) => document.getElementById(id);
const lines = $('lines');
const encoder = new TextEncoder();

let loaded = null;     // { name, bytes } of the loaded file, or null
let worker = null;
let workerurl = null;
let compiled = null;   // the WebAssembly.Module, handed to every worker
let busy = false;      // the worker is grading
let current = 0;       // the id of the latest request; older answers are dropped
let mutants = [];      // the catalogue, once the worker is ready
let words = null;      // the words the reports share with the page, once the worker is ready
let previous = null;   // the mutants the grading on show killed, none before the first
/*answer*/
let asked = null;      // the row whose killing line was asked for last
/*/answer*/
const rows = new Map();

// The test file: the loaded file, then the typed lines (UTF-8), which begin
// on a line of their own.
function testfile() {
  const typed = encoder.encode(lines.value);
  if (!loaded) return typed;
  const file = loaded.bytes;
  const join = file.length > 0 && file[file.length - 1] !== 10 && typed.length > 0 ? 1 : 0;
  const all = new Uint8Array(file.length + join + typed.length);
  all.set(file, 0);
  if (join) all[file.length] = 10;
  all.set(typed, file.length + join);
  return all;
}

function element(tag, text, className) {
  const e = document.createElement(tag);
  if (text !== undefined) e.textContent = text;
  if (className) e.className = className;
  return e;
}

function startworker() {
  if (worker) worker.terminate();
  if (!workerurl) workerurl = URL.createObjectURL(new Blob([$('worker').textContent], { type: 'text/javascript' }));
  worker = new Worker(workerurl);
  worker.onmessage = (e) => answer(e.data);
  worker.onerror = (e) => failed(e.message || 'the grading stopped');
  worker.postMessage({ type: 'start', module: compiled });
  busy = false;
}

function grade() {
  if (!compiled) return;
  if (busy) startworker();  // a newer file: drop the grading of the old one
  current++;
  busy = true;
  document.body.dataset.state = 'grading';
  const file = testfile();
  // A large file takes a while: say so, rather than leave the last results standing unmarked.
  $('grading').hidden = file.length < 1 << 20;
  $('progress').value = 0;
  if (file.length >= 1 << 20) $('linecount').textContent = `Grading ${file.length.toLocaleString('en')} bytes…`;
  worker.postMessage({ type: 'grade', id: current, file: file.buffer, byexpected: $('byexpected').checked }, [file.buffer]);
}

function failed(message) {
  busy = false;
  document.body.dataset.state = 'failed';
  $('grading').hidden = true;
  $('summary').textContent = `The lines could not be graded: ${message}`;
}

function answer(m) {
  if (m.type === 'ready') {
    if (mutants.length === 0) {
      mutants = m.mutants;
      words = m.words;
      $('own-heading').textContent = words.ownlines;
      $('own-alone').textContent = words.alone.charAt(0).toUpperCase() + words.alone.slice(1);
      /*state*/
      $('legend').replaceChildren(...words.legend.map((entry) => element('li', entry)));
      /*/state*/
      buildtable();
    }
    return;
  }
  if (m.id !== current) return;
  if (m.type === 'progress') {
    $('progress').value = m.total > 0 ? m.done / m.total : 1;
  } else if (m.type === 'graded') {
    busy = false;
    $('grading').hidden = true;
    show(m);
    // For scripts that drive the page: which grading is on show.
    document.body.dataset.graded = String(m.id);
    document.body.dataset.state = 'graded';
  /*answer*/
  } else if (m.type === 'suggested') {
    added(m);
  /*/answer*/
  } else if (m.type === 'failed') {
    // A module that trapped (a file too large for its memory) is not used again.
    failed(m.message);
    startworker();
  }
}

// The steps of a survivor's hints that the page offers, in the ladder's
// order: each level's name (from the module, past score), its button's
// words, and what fills its paragraph, once (make) or at each grading (fill).
const STEPS = {
  /*state*/
  state: {
    text: 'Show the state', label: (n) => `Show the state of mutant ${n}`,
    fill: (p, m, k) => {
      p.append(element('span', k.why, 'state'));
      if (k.meaning) p.append(' ', element('span', k.meaning, 'meaning'));
    },
  },
  /*/state*/
  /*concept*/
  concept: {
    text: 'Show the concept', label: (n) => `Show the concept of mutant ${n}`,
    make: (p, m) => p.append(element('span', `${words.conceptframe}${m.concept}. ${m.sentence}`, 'concept')),
  },
  /*/concept*/
  /*condition*/
  condition: {
    text: 'Show the condition', label: (n) => `Show the condition of mutant ${n}`,
    fill: (p, m, k) => p.append(element('span', `${m.conditions[k.state]}.`, 'condition')),
  },
  /*/condition*/
  /*mutant*/
  mutant: {
    text: 'Show the mutant', label: (n) => `Show the mutant: what mutant ${n} alters`,
    make: (p, m) => {
      p.append(element('span', m.description, 'description'));
      if (m.diff) {
        // The alteration: the line as the reference reads it, then as the mutant does.
        const diff = element('span', undefined, 'diff');
        const reference = element('code', m.diff.reference, 'reference');
        reference.prepend(element('span', words.referenceside, 'hidden'));
        const mutant = element('code', m.diff.mutant, 'mutant');
        mutant.prepend(element('span', words.mutantside, 'hidden'));
        diff.append(element('span', m.diff.place, 'where'), reference, mutant);
        p.append(diff);
      }
    },
  },
  /*/mutant*/
};
// What a killed mutant shows of these at once: its concept and the mutant.
const KILLEDSHOWS = new Set(['concept', 'mutant']);
let steps = [];  // the names of the steps offered, in order

function buildtable() {
  steps = words.levels.filter((name) => STEPS[name]);
  const body = $('mutants').tBodies[0];
  for (const m of mutants) {
    const tr = document.createElement('tr');
    tr.dataset.mutant = String(m.number);
    tr.append(element('th', String(m.number)), element('td', '', 'status'), element('td', '', 'line'),
      element('td', '', 'reference'), element('td', '', 'result'));
    tr.firstChild.scope = 'row';
    /*state*/
    tr.append(element('td', m.stage, 'stage'), hints(m, tr));
    /*/state*/
    /*answer*/
    const action = element('td', undefined, 'action');
    const button = element('button', 'Add a killing line');
    button.type = 'button';
    button.setAttribute('aria-label', `Add a killing line for mutant ${m.number}`);
    button.addEventListener('click', () => {
      asked = tr;
      tr.dataset.hint = 'answer';
      button.disabled = true;
      worker.postMessage({ type: 'suggest', id: current, mutant: m.number });
    });
    action.append(button);
    tr.append(action);
    /*/answer*/
    offer(tr);
    body.append(tr);
    rows.set(m.number, tr);
  }
}

/*state*/
// A button that shows and hides target, and calls opened each time it shows it.
function disclosure(text, label, target, opened) {
  const button = element('button', text, 'hint');
  button.type = 'button';
  button.setAttribute('aria-label', label);
  button.setAttribute('aria-expanded', 'false');
  button.setAttribute('aria-controls', target.id);
  button.addEventListener('click', () => {
    const open = button.getAttribute('aria-expanded') !== 'true';
    button.setAttribute('aria-expanded', String(open));
    target.hidden = !open;
    if (open) opened();
  });
  return button;
}

// A mutant's hints: for a survivor, one step at a time, each offered once
// the one before it has been shown; for a killed mutant, its concept and
// the mutant at once.  The row's data-hint says the furthest step shown.
function hints(m, tr) {
  const cell = element('td', undefined, 'why');
  const box = element('div', undefined, 'hints');
  cell.append(box);
  tr.dataset.hint = '';
  steps.forEach((name, i) => {
    const p = element('p', undefined, `hint ${name}-hint`);
    p.id = `${name}-${m.number}`;
    p.hidden = true;
    if (STEPS[name].make) STEPS[name].make(p, m);
    const toggle = disclosure(STEPS[name].text, STEPS[name].label(m.number), p, () => {
      if (reached(tr) < i) tr.dataset.hint = name;
      offer(tr);
    });
    toggle.hidden = true;
    box.append(toggle, p);
  });
  return cell;
}

// The place of the furthest step shown among the steps, -1 for none; past
// the last once a killing line has been asked for.
function reached(tr) {
  return Math.max(-1, words.levels.indexOf(tr.dataset.hint) - 1);
}

// Refills the steps that depend on the grading.
function refill(tr, m, k) {
  for (const name of steps) {
    if (!STEPS[name].fill) continue;
    const p = tr.querySelector(`.${name}-hint`);
    p.replaceChildren();
    if (k.line === 0) STEPS[name].fill(p, m, k);
  }
}
/*/state*/

// Shows a survivor's steps up to one past the furthest shown, and a killed
// mutant's concept and alteration; and the killing-line step once the step
// before it has been shown.
function offer(tr) {
  const survived = tr.dataset.status === 'survived';
  /*state*/
  const furthest = reached(tr);
  steps.forEach((name, i) => {
    const toggle = tr.querySelector(`button.hint[aria-controls="${name}-${tr.dataset.mutant}"]`);
    toggle.hidden = !survived || i > furthest + 1;
    const open = toggle.getAttribute('aria-expanded') === 'true';
    tr.querySelector(`.${name}-hint`).hidden = survived ? !open : !KILLEDSHOWS.has(name) || tr.dataset.status !== 'killed';
  });
  /*/state*/
  /*answer*/
  const button = tr.querySelector('.action button');
  button.hidden = !survived || (tr.dataset.hint !== steps.at(-1) && tr.dataset.hint !== 'answer');
  button.disabled = false;
  /*/answer*/
}

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
    tr.append(th, element('td', undefined, 'text'), element('td', l.kills.join(', '), 'kills'),
      element('td', l.alone.join(', '), 'alone'), element('td', l.alone.length > 0 ? words.needed : words.removable, 'needed'));
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
// those killed before that survive now; data-killed and data-survived hold
// their numbers.
function changes(g) {
  const now = new Set();
  g.mutants.forEach((k, i) => {
    if (k.line !== 0) now.add(i + 1);
  });
  if (previous) {
    const killed = [...now].filter((n) => !previous.has(n));
    const lost = [...previous].filter((n) => !now.has(n)).sort((a, b) => a - b);
    const named = (ns) => `${ns.length === 1 ? 'mutant' : 'mutants'} ${ns.join(', ')}`;
    const parts = [];
    if (killed.length > 0) parts.push(`newly killed: ${named(killed)}`);
    if (lost.length > 0) parts.push(`killed before, surviving now: ${named(lost)}`);
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
  const list = $('killers');
  list.replaceChildren();
  for (const [line, killed] of [...firsts].sort((a, b) => a[0] - b[0])) {
    const li = element('li');
    li.dataset.line = String(line);
    li.append(element('span', `line ${line}`, 'number'), ' ',
      element('code', texts.has(line) ? texts.get(line) : ''), ' ',
      element('span', `kills first ${killed.length === 1 ? 'mutant' : 'mutants'} ${killed.join(', ')}`, 'kills'));
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

/*answer*/
// A suggested line, appended to the typed lines, and graded with them.
function added(m) {
  if (m.line === null) {
    $('note').textContent = `No candidate line kills mutant ${m.mutant}.`;
    return;
  }
  const text = new TextDecoder().decode(m.line);
  if (lines.value.length > 0 && !lines.value.endsWith('\n')) lines.value += '\n';
  lines.value += text;
  $('note').textContent = `Added for mutant ${m.mutant}, ${words.killinghint}${m.shown} (${m.results}).`;
  grade();
}
/*/answer*/

function save() {
  const blob = new Blob([testfile()], { type: 'application/octet-stream' });
  const a = document.createElement('a');
  a.href = URL.createObjectURL(blob);
  a.download = loaded ? loaded.name : 'tests.txt';
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(a.href), 60000);
}

async function load() {
  const chosen = $('file').files[0];
  if (!chosen) return;
  try {
    loaded = { name: chosen.name, bytes: new Uint8Array(await chosen.arrayBuffer()) };
  } catch (e) {
    $('note').textContent = `${chosen.name} could not be read: ${e.message}`;
    return;
  }
  $('filestatus').textContent = `The test file is ${chosen.name} (${loaded.bytes.length.toLocaleString('en')} ` +
    'bytes, taken byte for byte), then the lines below.';
  $('lines-label').textContent = 'Lines after the file';
  $('unload').disabled = false;
  grade();
}

function unload() {
  loaded = null;
  $('file').value = '';
  $('filestatus').textContent = 'No file loaded: the test file is the lines below.';
  $('lines-label').textContent = 'Lines';
  $('unload').disabled = true;
  grade();
}

async function start() {
  const text = $('module').textContent.trim();
  const bytes = Uint8Array.from(atob(text), (c) => c.charCodeAt(0));
  compiled = await WebAssembly.compile(bytes);
  startworker();
  lines.addEventListener('input', grade);
  $('file').addEventListener('change', load);
  $('unload').addEventListener('click', unload);
  $('save').addEventListener('click', save);
  $('byexpected').addEventListener('change', grade);
  grade();
}

start().catch((e) => failed(e.message));
