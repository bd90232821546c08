// Runs vorlak-report -f json on test files and checks every report against
// the mutation-testing report schema.  Usage:
//   node validate.mjs VORLAK-REPORT TESTFILE...
// Exits 77 (skipped) when the packages are not installed, unless CI is set:
// there a missing validator is a failure.
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { createRequire } from 'node:module';

const require = createRequire(import.meta.url);

let Ajv, addFormats, schema;
try {
  Ajv = (await import('ajv')).default;
  addFormats = (await import('ajv-formats')).default;
  schema = JSON.parse(readFileSync(require.resolve('mutation-testing-report-schema/mutation-testing-report-schema.json')));
} catch (error) {
  console.error(`the validator is not installed (npm ci --prefix tests/validate): ${error.message}`);
  process.exit(process.env.CI ? 1 : 77);
}

const [program, ...testfiles] = process.argv.slice(2);
if (!program || testfiles.length === 0) {
  console.error('usage: node validate.mjs VORLAK-REPORT TESTFILE...');
  process.exit(1);
}

// A file whose lines state what they expect: right, wrong, with a tail that
// states none, and without one; graded with --expected besides the others.
const scratch = mkdtempSync(path.join(tmpdir(), 'vorlak-validate-'));
const tailed = path.join(scratch, 'tailed.txt');
writeFileSync(tailed, '02/28/2001 03/01/2001 1\n02/28/2000 03/01/2000 1\n02/28/2100 03/01/2100 2\n' +
  '13/01/2000 01/01/2000 -11\n01/01/1900 01/01/2000\n12/31/1999 01/01/2000 soon\n');
// And one that an editor saved with a byte-order mark and CR LF, which the
// report names in editorNotes.
const edited = path.join(scratch, 'edited.txt');
writeFileSync(edited, '\uFEFF02/28/2001 03/01/2001\r\n02/29/2000 03/01/2000\r\n');
testfiles.push(tailed, edited);
process.on('exit', () => rmSync(scratch, { recursive: true, force: true }));

const ajv = new Ajv({ allErrors: true, strict: false });
addFormats(ajv);
const validate = ajv.compile(schema);

// At every hint level: below mutant a mutant has no description and no replacement.
const levels = ['score', 'state', 'concept', 'condition', 'mutant', 'answer'].map((level) => ['--hints', level]);
const variants = [[], ['--matrix'], ['--suggest'], ['--matrix', '--suggest'], ...levels, ['--expected'],
  ['--expected', '--matrix', '--hints', 'mutant']];
let passed = 0;
let failed = 0;
for (const file of testfiles) {
  for (const extra of variants) {
    const what = `${['-f', 'json', ...extra].join(' ')} ${file}`;
    let report;
    try {
      report = JSON.parse(execFileSync(program, ['-f', 'json', ...extra, file], { maxBuffer: 1 << 30 }));
    } catch (error) {
      console.error(`FAIL ${what}: ${error.message}`);
      failed++;
      continue;
    }
    const problems = [];
    if (!validate(report))
      problems.push(...validate.errors.map((e) => `${e.instancePath} ${e.message}`));
    // Its own field, beside the schema's: what an editor added, a sentence each.
    const notes = report.editorNotes;
    if ((file === edited) !== (notes !== undefined) ||
        (notes !== undefined && (notes.length !== 2 || !notes.every((n) => typeof n === 'string'))))
      problems.push(`editorNotes ${JSON.stringify(notes)}`);
    // The schema cannot say these; the viewer relies on them.
    const ids = Object.values(report.files).flatMap((f) => f.mutants.map((m) => m.id));
    if (ids.length !== 65 || new Set(ids).size !== 65)
      problems.push(`${ids.length} mutants, ${new Set(ids).size} distinct ids`);
    const tests = new Set(Object.values(report.testFiles).flatMap((f) => f.tests.map((t) => t.id)));
    for (const f of Object.values(report.files))
      for (const m of f.mutants) {
        for (const t of m.killedBy ?? [])
          if (!tests.has(t))
            problems.push(`mutant ${m.id} killed by unknown test ${t}`);
        for (const t of m.coveredBy ?? [])
          if (!tests.has(t))
            problems.push(`mutant ${m.id} covered by unknown test ${t}`);
        // Uncovered is what no line reaches: never killed, never covered.
        // At the score level no survivor tells how far the lines got: each
        // is Survived, covered by nothing.
        const score = extra.includes('score');
        if (score && (m.status === 'NoCoverage' || m.coveredBy !== undefined))
          problems.push(`mutant ${m.id} tells its coverage at the score level`);
        else if (!score && (m.status === 'NoCoverage') !== (m.status !== 'Killed' && !m.coveredBy?.length))
          problems.push(`mutant ${m.id} is ${m.status} with ${m.coveredBy?.length ?? 0} covering tests`);
      }
    if (problems.length > 0) {
      console.error(`FAIL ${what}:\n  ${problems.join('\n  ')}`);
      failed++;
    } else {
      console.log(`ok   ${what}`);
      passed++;
    }
  }
}
// The grading platforms' documents against schemas written from the fields
// their documentation lists, with nothing else allowed: for every file, a
// missing one and a folder too, which still get a document; Gradescope's
// with its leaderboard too.
const platforms = ['gradescope', 'prairielearn'].map((name) => [name,
  ajv.compile(JSON.parse(readFileSync(new URL(`./${name}.schema.json`, import.meta.url))))]);
for (const file of [...testfiles, '/nonexistent/missing.txt', '/']) {
  for (const [name, check] of platforms) {
    const leaderboard = name === 'gradescope' ? [['--leaderboard', '--expected', '--points', '32']] : [];
    for (const extra of [[], ['--points', '10'], ['--hints', 'score'], ['--hints', 'answer'], ['--expected'],
      ['--expected', '--hints', 'mutant', '--points', '10'], ...leaderboard]) {
      const what = `${['-f', name, ...extra].join(' ')} ${file}`;
      let document;
      try {
        document = JSON.parse(execFileSync(program, ['-f', name, ...extra, file], { maxBuffer: 1 << 30, stdio: ['ignore', 'pipe', 'ignore'] }));
      } catch (error) {
        // A file that cannot be read exits 1, its document written all the same.
        try {
          document = JSON.parse(error.stdout);
        } catch {
          console.error(`FAIL ${what}: no document: ${error.message}`);
          failed++;
          continue;
        }
      }
      if (check(document)) {
        console.log(`ok   ${what}`);
        passed++;
      } else {
        console.error(`FAIL ${what}:\n  ${check.errors.map((e) => `${e.instancePath} ${e.message}`).join('\n  ')}`);
        failed++;
      }
    }
  }
}
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed === 0 ? 0 : 1);
