// The playground's grading, away from the page so that a large file does not
// freeze it.  The page sends the compiled module once, then test files to
// grade and, where the page offers answers, mutants to find a killing line
// for; each answer carries the id of its request.  What belongs to a hint
// level stands between its marks, which page.cmake keeps up to the page's
// level and drops, with what they hold, above it.
'use strict';

let module = null;  // the instance's exports

// The page marks the first this many lines with a tail, and counts the rest.
const MARKS = 1000;

// The module asks the system for nothing but the descriptors of its reader,
// which it never opens here; every call of the system interface fails.
const nosys = 52;  // ENOSYS
const system = new Proxy({}, {
  get: (_, name) => name === 'proc_exit'
    ? (status) => { throw new Error(`the module ended with status ${status}`); }
    : () => nosys,
});

let progressid = 0;
let lastprogress = 0;
function progress(done, total) {
  const now = Date.now();
  if (now - lastprogress < 50 && done < total) return;
  lastprogress = now;
  postMessage({ type: 'progress', id: progressid, done, total });
}

function bytes(pointer, size) {
  return new Uint8Array(module.memory.buffer, pointer, size).slice();
}

// The text the module left by its last answer.
function text() {
  return bytes(module.vorlak_text(), module.vorlak_textsize());
}

// A line as every surface shows it, by the module: the bytes of the file
// from at to end, or with at -1 the module's last answer that is text.
function shownline(at, end) {
  module.vorlak_shownline(at, end - at);
  return string(text());
}

function string(bytes) {
  return new TextDecoder().decode(bytes);
}

// Mutant numbers as every page lists them, by the module: "21 and 24", or
// with noun "mutants 21 and 24".
function numberlist(numbers, noun) {
  for (const n of numbers) module.vorlak_listadd(n);
  module.vorlak_numberlist(noun ? 1 : 0);
  return string(text());
}

// The same, or null when the module has no such answer (-1).
function answered(size) {
  return size < 0 ? null : string(text());
}

// The hint levels the module offers, from score up to its own.
function levels() {
  const names = [];
  for (let i = 0; module.vorlak_hintname(i) >= 0; i++) names.push(string(text()));
  return names;
}

// What the page tells of each mutant, as far as the module's level goes.
function catalogue() {
  const mutants = [];
  for (let n = 1; n <= module.vorlak_mutantcount(); n++) {
    const m = { number: n };
    /*state*/
    m.stage = answered(module.vorlak_stage(n));
    /*/state*/
    /*concept*/
    m.concept = answered(module.vorlak_concept(n));
    m.sentence = answered(module.vorlak_conceptsentence(n));
    /*/concept*/
    /*condition*/
    // What a line needs for the next step, for each state a survivor can be in.
    m.conditions = {};
    for (let s = 0; module.vorlak_statename(s) >= 0; s++) {
      const state = string(text());
      m.conditions[state] = answered(module.vorlak_nexthint(n, s));
    }
    /*/condition*/
    /*mutant*/
    m.description = answered(module.vorlak_description(n));
    // The alteration as a one-line diff, when the sources hold its code.
    m.diff = null;
    if (module.vorlak_diffplace(n) >= 0) {
      const place = string(text());
      const reference = answered(module.vorlak_diffreference(n));
      m.diff = { place, reference, mutant: answered(module.vorlak_diffmutant(n)) };
    }
    /*/mutant*/
    mutants.push(m);
  }
  return mutants;
}

// The page's words that are not about one mutant: the status of a killed
// mutant and of a survivor, what taking a line out does, the heading of the
// file's own lines and of what only a line kills and, as far as the module's level goes, the
// legend of the states, the frame of a concept, the sides of a diff and the
// words that introduce a killing line.
function words() {
  const w = {
    levels: levels(),
    killed: answered(module.vorlak_status(1)),
    survived: answered(module.vorlak_status(0)),
    needed: answered(module.vorlak_lineneed(1)),
    removable: answered(module.vorlak_lineneed(0)),
    ownlines: answered(module.vorlak_ownlinesword(0)),
    alone: answered(module.vorlak_ownlinesword(1)),
  };
  /*state*/
  w.legend = [];
  for (let i = 0; module.vorlak_legend(i) >= 0; i++) w.legend.push(string(text()));
  /*/state*/
  /*concept*/
  w.conceptframe = answered(module.vorlak_conceptframe());
  /*/concept*/
  /*mutant*/
  w.referenceside = answered(module.vorlak_diffside(0));
  w.mutantside = answered(module.vorlak_diffside(1));
  /*/mutant*/
  /*answer*/
  w.killinghint = answered(module.vorlak_killinghint());
  /*/answer*/
  return w;
}

// Where each line of the file starts, for the texts of the lines shown.
function linestarts(file) {
  const starts = [0];
  for (let i = file.indexOf(10); i >= 0; i = file.indexOf(10, i + 1)) starts.push(i + 1);
  return starts;
}

// The file's own lines as the module gives them: each line shown, with the
// mutants it kills and those that only it kills, and its bytes.
function ownlines(file) {
  module.vorlak_ownlines();
  const starts = linestarts(file);
  const numbers = (s) => (s === '' ? [] : s.split(' ').map(Number));
  return string(text()).split('\n').filter((l) => l !== '').map((l) => {
    const [line, kills, alone] = l.split(':');
    const n = Number(line);
    const end = n < starts.length ? starts[n] : file.length;
    const k = numbers(kills);
    const a = numbers(alone);
    return { line: n, kills: k, alone: a, killslist: numberlist(k), alonelist: numberlist(a),
      text: shownline(starts[n - 1], end) };
  });
}

// The lines with a tail, as far as the page marks them: each line's number,
// its bytes, its kind of mark, the mark's words and, for a wrong line, its
// explanation as the module's level allows, a line of text each.
const MARKKINDS = ['right', 'wrong', 'malformed', 'outofrange'];
function marks(file) {
  const starts = linestarts(file);
  const all = [];
  for (let i = 0; i < Math.min(module.vorlak_marks(), MARKS); i++) {
    const n = module.vorlak_markline(i);
    const end = n < starts.length ? starts[n] : file.length;
    const kind = MARKKINDS[module.vorlak_markkind(i)];
    const words = answered(module.vorlak_markwords(i));
    const explained = answered(module.vorlak_markexplained(i)).split('\n').filter((l) => l !== '');
    all.push({ line: n, text: shownline(starts[n - 1], end), kind, words, explained });
  }
  return all;
}

function grade(id, file, byexpected, previous) {
  progressid = id;
  lastprogress = 0;
  const at = module.vorlak_filebuffer(file.length);
  new Uint8Array(module.memory.buffer, at, file.length).set(file);
  const start = performance.now();
  const error = module.vorlak_grade(byexpected ? 1 : 0);
  const milliseconds = performance.now() - start;
  if (error !== 0) throw new Error(`reading the lines failed (error ${error})`);
  const mutants = [];
  const killers = new Map();  // line number: its text as shown
  for (let n = 1; n <= module.vorlak_mutantcount(); n++) {
    const line = module.vorlak_killline(n);
    const k = { line, reference: module.vorlak_killreference(n), result: module.vorlak_killresult(n) };
    /*state*/
    k.state = answered(module.vorlak_state(n));
    k.reached = module.vorlak_reachline(n);
    k.infected = module.vorlak_infectline(n);
    k.why = answered(module.vorlak_why(n));
    k.meaning = answered(module.vorlak_lossmeaning(n));
    /*/state*/
    mutants.push(k);
    if (line !== 0 && !killers.has(line) && module.vorlak_linetext(line) >= 0) killers.set(line, shownline(-1, 0));
  }
  // What each line kills first, and what changed since the grading on show
  // (previous, the mutants it killed), as lists to read.
  const firsts = new Map();
  mutants.forEach((k, i) => {
    if (k.line === 0) return;
    if (!firsts.has(k.line)) firsts.set(k.line, []);
    firsts.get(k.line).push(i + 1);
  });
  const now = mutants.flatMap((k, i) => (k.line !== 0 ? [i + 1] : []));
  const killed = previous ? now.filter((n) => !previous.includes(n)) : [];
  const lost = previous ? previous.filter((n) => !now.includes(n)).sort((a, b) => a - b) : [];
  return {
    type: 'graded', id, milliseconds,
    firstkills: [...firsts].map(([line, ns]) => [line, numberlist(ns, true)]),
    newlykilled: numberlist(killed, true),
    lostnow: numberlist(lost, true),
    summary: answered(module.vorlak_summary()),
    editornotes: answered(module.vorlak_editornotes()).split('\n').filter((l) => l !== ''),
    lines: module.vorlak_lines(),
    endsinnewline: module.vorlak_endsinnewline() === 1,
    mutants,
    killers: [...killers],
    own: ownlines(file),
    byexpected,
    expectations: answered(module.vorlak_expectations()),
    marks: marks(file),
    markcount: module.vorlak_marks(),
  };
}

/*answer*/
function suggest(id, mutant) {
  const size = module.vorlak_suggest(mutant);
  if (size < 0) return { type: 'suggested', id, mutant, line: null };
  const line = text();
  const shown = shownline(-1, 0);
  module.vorlak_suggestedresults();
  return { type: 'suggested', id, mutant, line, shown, results: string(text()) };
}
/*/answer*/

async function handle(m) {
  try {
    if (m.type === 'start') {
      const instance = await WebAssembly.instantiate(m.module, {
        wasi_snapshot_preview1: system,
        vorlak: { progress },
      });
      module = instance.exports;
      module._initialize();
      postMessage({ type: 'ready', mutants: catalogue(), words: words() });
    } else if (m.type === 'grade') {
      postMessage(grade(m.id, new Uint8Array(m.file), m.byexpected, m.previous ?? null));
    }
    /*answer*/
    if (m.type === 'suggest') postMessage(suggest(m.id, m.mutant));
    /*/answer*/
  } catch (error) {
    postMessage({ type: 'failed', id: m.id, message: String((error && error.message) || error) });
  }
}

// One request at a time, in order: a file may come while the module is
// still being instantiated.
let queue = Promise.resolve();
onmessage = (e) => {
  queue = queue.then(() => handle(e.data));
};
