// The playground page: keeps the test file (a loaded file, then the typed
// lines) and has the worker grade it on every change; the table of the
// mutants with each survivor's hints (steps.js) and what a grading shows
// (graded.js) follow this in the page's one script.  Every text
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
  // With what the grading on show killed, so that the worker says what changed.
  worker.postMessage({ type: 'grade', id: current, file: file.buffer, byexpected: $('byexpected').checked,
    previous: previous ? [...previous] : null }, [file.buffer]);
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

// The whole script (with steps.js and graded.js, which page.cmake joins
// after this one) has run by the time the module is compiled.
start().catch((e) => failed(e.message));
