// Checks one grading platform's results.json against its schema and its
// score against vorlak's.  Usage:
//   node platform.mjs gradescope|prairielearn RESULTS KILLED|none POINTS
// KILLED is what vorlak -i kills on the file; none for a file that cannot be
// graded.
import { readFileSync } from 'node:fs';

const [platform, path, killed, points] = process.argv.slice(2);
const Ajv = (await import('ajv')).default;
const ajv = new Ajv({ allErrors: true, strict: false });
const check = ajv.compile(JSON.parse(readFileSync(new URL(`./${platform}.schema.json`, import.meta.url))));
const problems = [];
let document;
try {
  document = JSON.parse(readFileSync(path, 'utf8'));
} catch (error) {
  console.error(`FAIL ${path}: ${error.message}`);
  process.exit(1);
}
if (!check(document)) problems.push(...check.errors.map((e) => `${e.instancePath} ${e.message}`));
const near = (a, b) => Math.abs(a - b) < 1e-9;
if (killed === 'none') {
  if (platform === 'gradescope' && (document.score !== 0 || !document.output.startsWith('Not graded: ')))
    problems.push(`a file that cannot be graded scores ${document.score}: ${document.output}`);
  if (platform === 'prairielearn' && document.gradable !== false) problems.push('a file that cannot be graded is gradable');
} else {
  // Points are shown in hundredths, vorlak's share rounded half up; the
  // tests' add up to the score shown.  PrairieLearn's score is the fraction.
  const cents = Math.floor((Math.round(Number(points) * 100) * Number(killed) * 2 + 65) / 130);
  const want = platform === 'gradescope' ? cents / 100 : Number(killed) / 65;
  if (!near(document.score, want)) problems.push(`score ${document.score}, vorlak's ${want}`);
  if (platform === 'prairielearn' && document.gradable !== true) problems.push('not gradable');
  const hundredths = (x) => Math.round(x * 100);
  for (const t of document.tests)
    for (const value of [t.score ?? t.points, t.max_score ?? t.max_points])
      if (Math.abs(value * 100 - hundredths(value)) > 1e-6 * Math.max(1, Math.abs(value * 100)))
        problems.push(`${t.name}: ${value} is not in hundredths`);
  const earned = document.tests.reduce((sum, t) => sum + hundredths(t.score ?? t.points), 0);
  if (earned !== cents) problems.push(`the tests earn ${earned / 100}`);
}
if (problems.length > 0) {
  console.error(`FAIL ${platform} ${path}:\n  ${problems.join('\n  ')}`);
  process.exit(1);
}
console.log(`ok   ${platform} ${path}`);
