// The playground page: keeps the test file (a loaded file, then the typed
// lines), has the worker grade it on every change and shows what it found.
// Every text that comes from the lines goes into the page as text.
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

// A line's bytes as text to show: UTF-8 where it is, U+FFFD where not,
// control characters as their visible symbols, the newline left off.
function shown(bytes) {
  let text = new TextDecoder().decode(bytes);
  if (text.endsWith('\n')) text = text.slice(0, -1);
  return text.replace(/[\x00-\x1f\x7f]/g, (c) => String.fromCharCode(c === '\x7f' ? 0x2421 : 0x2400 + c.charCodeAt(0)));
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
  worker.postMessage({ type: 'grade', id: current, file: file.buffer }, [file.buffer]);
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
  } else if (m.type === 'suggested') {
    added(m);
  } else if (m.type === 'failed') {
    // A module that trapped (a file too large for its memory) is not used again.
    failed(m.message);
    startworker();
  }
}

function buildtable() {
  const body = $('mutants').tBodies[0];
  for (const m of mutants) {
    const tr = document.createElement('tr');
    tr.dataset.mutant = String(m.number);
    tr.append(element('th', String(m.number)), element('td', '', 'status'), element('td', '', 'line'),
      element('td', '', 'reference'), element('td', '', 'result'), element('td', m.stage, 'stage'),
      element('td', m.description, 'description'));
    tr.firstChild.scope = 'row';
    const action = element('td', undefined, 'action');
    const button = element('button', 'Add a killing line');
    button.type = 'button';
    button.setAttribute('aria-label', `Add a killing line for mutant ${m.number}`);
    button.addEventListener('click', () => {
      button.disabled = true;
      worker.postMessage({ type: 'suggest', id: current, mutant: m.number });
    });
    action.append(button);
    tr.append(action);
    body.append(tr);
    rows.set(m.number, tr);
  }
}

function show(g) {
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
    tr.querySelector('.status').textContent = killed ? '✓ killed' : '✗ survived';
    tr.querySelector('.line').textContent = killed ? String(k.line) : '';
    tr.querySelector('.reference').textContent = killed ? String(k.reference) : '';
    tr.querySelector('.result').textContent = killed ? String(k.result) : '';
    const button = tr.querySelector('button');
    button.hidden = killed;
    button.disabled = false;
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
      element('code', texts.has(line) ? shown(texts.get(line)) : ''), ' ',
      element('span', `kills first ${killed.length === 1 ? 'mutant' : 'mutants'} ${killed.join(', ')}`, 'kills'));
    list.append(li);
  }
  if (firsts.size === 0) list.append(element('li', 'none yet', 'none'));
}

// A suggested line, appended to the typed lines, and graded with them.
function added(m) {
  if (m.line === null) {
    $('note').textContent = `No candidate line kills mutant ${m.mutant}.`;
    return;
  }
  const text = new TextDecoder().decode(m.line);
  if (lines.value.length > 0 && !lines.value.endsWith('\n')) lines.value += '\n';
  lines.value += text;
  $('note').textContent = `Added for mutant ${m.mutant}: ${shown(m.line)} (reference ${m.reference}, ` +
    `mutant ${m.result}).`;
  grade();
}

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
  grade();
}

start().catch((e) => failed(e.message));
