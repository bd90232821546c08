// The playground's grading, away from the page so that a large file does not
// freeze it.  The page sends the compiled module once, then test files to
// grade and, where the page has its killing-line step, mutants to find a
// killing line for; each answer carries the id of its request.
'use strict';

let module = null;  // the instance's exports

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

function string(bytes) {
  return new TextDecoder().decode(bytes);
}

function catalogue() {
  const mutants = [];
  for (let n = 1; n <= module.vorlak_mutantcount(); n++) {
    module.vorlak_stage(n);
    const stage = string(text());
    module.vorlak_function(n);
    const fn = string(text());
    module.vorlak_description(n);
    const description = string(text());
    // The alteration as a one-line diff, when the sources hold its code.
    let diff = null;
    if (module.vorlak_diffplace(n) >= 0) {
      const place = string(text());
      module.vorlak_diffreference(n);
      const reference = string(text());
      module.vorlak_diffmutant(n);
      diff = { place, reference, mutant: string(text()) };
    }
    // The hints past the state: what a line needs to infect it, and its concept.
    module.vorlak_conditionhint(n);
    const condition = string(text());
    module.vorlak_concept(n);
    const concept = string(text());
    module.vorlak_conceptsentence(n);
    mutants.push({ number: n, stage, function: fn, description, diff, condition, concept, sentence: string(text()) });
  }
  return mutants;
}

// The page's words that are not about one mutant: the legend of the states,
// the status of a killed mutant and of a survivor, and the sides of a diff.
function words() {
  const legend = [];
  for (let i = 0; module.vorlak_legend(i) >= 0; i++) legend.push(string(text()));
  const said = (ask) => {
    ask();
    return string(text());
  };
  return {
    legend,
    killed: said(() => module.vorlak_status(1)),
    survived: said(() => module.vorlak_status(0)),
    referenceside: said(() => module.vorlak_diffside(0)),
    mutantside: said(() => module.vorlak_diffside(1)),
  };
}

function grade(id, file) {
  progressid = id;
  lastprogress = 0;
  const at = module.vorlak_filebuffer(file.length);
  new Uint8Array(module.memory.buffer, at, file.length).set(file);
  const start = performance.now();
  const error = module.vorlak_grade();
  const milliseconds = performance.now() - start;
  if (error !== 0) throw new Error(`reading the lines failed (error ${error})`);
  const mutants = [];
  const killers = new Map();  // line number: its bytes
  for (let n = 1; n <= module.vorlak_mutantcount(); n++) {
    const line = module.vorlak_killline(n);
    module.vorlak_state(n);
    const state = string(text());
    module.vorlak_why(n);
    const why = string(text());
    module.vorlak_lossmeaning(n);
    mutants.push({
      line, reference: module.vorlak_killreference(n), result: module.vorlak_killresult(n),
      state, reached: module.vorlak_reachline(n), infected: module.vorlak_infectline(n), why, meaning: string(text()),
    });
    if (line !== 0 && !killers.has(line) && module.vorlak_linetext(line) >= 0) killers.set(line, text());
  }
  module.vorlak_summary();
  return {
    type: 'graded', id, milliseconds,
    summary: string(text()),
    lines: module.vorlak_lines(),
    endsinnewline: module.vorlak_endsinnewline() === 1,
    mutants,
    killers: [...killers],
  };
}

/*answers*/
function suggest(id, mutant) {
  const size = module.vorlak_suggest(mutant);
  if (size < 0) return { type: 'suggested', id, mutant, line: null };
  const line = text();
  module.vorlak_suggestedresults();
  return { type: 'suggested', id, mutant, line, results: string(text()) };
}
/*/answers*/

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
      postMessage(grade(m.id, new Uint8Array(m.file)));
    }
    /*answers*/
    if (m.type === 'suggest') postMessage(suggest(m.id, m.mutant));
    /*/answers*/
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
