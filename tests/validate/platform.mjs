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
  const want = platform === 'gradescope' ? Number(points) * Number(killed) / 65 : Number(killed) / 65;
  if (!near(document.score, want)) problems.push(`score ${document.score}, vorlak's ${want}`);
  if (platform === 'prairielearn' && document.gradable !== true) problems.push('not gradable');
  const earned = document.tests.reduce((sum, t) => sum + (t.score ?? t.points), 0);
  if (!near(earned, Number(points) * Number(killed) / 65)) problems.push(`the tests earn ${earned}`);
}
if (problems.length > 0) {
  console.error(`FAIL ${platform} ${path}:\n  ${problems.join('\n  ')}`);
  process.exit(1);
}
console.log(`ok   ${platform} ${path}`);
