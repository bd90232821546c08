// The table of the mutants, a row each, and a survivor's hints in it, one
// step at a time up to the page's level.  Part of the page's script, after
// page.js (page.cmake joins them).

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
