// The page's warnings against the native program: each answer of the table
// is typed into the native program's first exercise at its question, and what
// the program took is read back where the next exercise offers it as the
// default (or from the run's ending). The page must foresee it (a warning
// whose reading is the program's) and warn exactly when the reading is not
// what the answer looks like.
//
//   node answers.mjs <echo-track>

import { spawnSync } from 'node:child_process';
import { judgeAnswer } from '../src/answers.mjs';

const [native] = process.argv.slice(2);

// The questions: their line in the dialog, their place among the first
// exercise's ten prompts, the default they offer, and whole or decimal.
const questions = {
  time: { line: 'Time of observation B-1, hhmm (four digits): ', at: 2, fallback: 1300, whole: true },
  bearing: { line: 'Tru Bearing (rwP1): B-1', at: 3, fallback: 350, whole: true },
  distance: { line: 'Distance B1', at: 4, fallback: 3.7, whole: false },
  cpa: { line: 'Minimal CPA to maintain (Distance)=  1.5', at: 8, fallback: 1.5, whole: false, prompt: 'Minimal CPA to maintain' },
};

// [question, typed, warned?, what the program takes: a number, 'end' (run-time
// error report) or 'stop'; the warning must name `hint` when given]
const table = [
  ['bearing', '355', false, 355],
  ['bearing', '  340  ', false, 340],
  ['bearing', '-20', false, -20],
  ['bearing', '355.4', true, 355, 'whole numbers'],
  ['bearing', '355.6', true, 356],
  ['bearing', '3,5', true, 3, 'read as 3'],
  ['bearing', '2*340', true, 340],
  ['bearing', ',', true, 350, 'default'],
  ['bearing', '12000', true, 99999],
  ['bearing', '1.5+2', true, 150],
  ['bearing', '340deg', true, 'end', 'type 340'],  // d is an exponent letter
  ['bearing', '340 deg', true, 340, 'read as 340'],
  ['bearing', 'abc', true, 'end', 'not a number'],
  ['bearing', '1e', true, 'end'],
  ['bearing', '-2*5', true, 'end'],
  ['distance', '3.70', false, 3.7],
  ['distance', '.5', false, 0.5],
  ['distance', '4.3e0', false, 4.3],
  ['distance', '3,7', true, 3, 'type 3.7'],
  ['distance', '12kt', true, 12, 'read as 12'],
  ['distance', '1234.5678', true, 1234.567, 'first 8 characters'],
  ['distance', '2d1', true, 20],
  ['distance', 'twelve', true, 'end', 'ends the run'],
  ['distance', '', false, 3.7],
  ['time', '1012', false, 1012],
  ['time', '10:12', true, 10, 'type 1012'],
  ['time', '13.05', true, 13, 'type 1305'],
  ['cpa', '0.5', false, 0.5],
  ['cpa', '0', true, 'stop', 'stops the run'],
  ['cpa', '0.0005', true, 'stop'],
];

// The value as the prompt shows a default: I6 for whole numbers, F6.1 else.
function asDefault(value, whole) {
  const text = whole ? String(Math.round(value)) : value.toFixed(1);
  return text.length > 6 ? '******' : text;
}

// What the native program took for `typed` at question q.
function nativeReading(q, typed) {
  const lines = Array(10).fill('');
  lines[q.at] = typed;
  const r = spawnSync(native, [], { input: `${lines.join('\n')}\n${'\n'.repeat(40)}` });
  const out = r.stdout.toString('latin1');
  const prompt = q.prompt || q.line.trimEnd();
  const escaped = prompt.replace(/[.*+?^${}()|[\]\\]/g, '\\$&');
  const shown = [...out.matchAll(new RegExp(`${escaped}.*\\n {8}\\[ Default: *(\\S+) \\]`, 'g'))];
  if (shown.length >= 2) return shown[1][1];
  if (r.status === 0) return 'stop';
  if (r.signal === 'SIGABRT' && /incomprehensible list input/.test(r.stderr.toString())) return 'end';
  return `unexpected ending: status ${r.status} ${r.signal}`;
}

let failures = 0;
for (const [name, typed, warned, takes, hint] of table) {
  const q = questions[name];
  const judged = judgeAnswer(typed, q.line);
  const foreseen = judged === null ? (typed.trim() === '' ? q.fallback : Number(typed)) : judged.value === 'default' ? q.fallback : judged.value;
  const expected = typeof takes === 'number' ? asDefault(takes, q.whole) : takes;
  const got = nativeReading(q, typed);
  const page = typeof foreseen === 'number' ? asDefault(foreseen, q.whole) : foreseen === 'end' ? 'end' : foreseen;
  // A stop is foreseen as the value that stops the run.
  const pageReading = judged !== null && /stops the run/.test(judged.text) ? 'stop' : page;
  const ok = got === expected && pageReading === expected && (judged !== null) === warned &&
    (hint === undefined || (judged !== null && judged.text.includes(hint)));
  if (!ok) failures++;
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${name} ${JSON.stringify(typed)}: the program takes ${got}` +
    ` (expected ${expected}), the page ${judged === null ? 'sends it without a word' : `says: ${judged.text}`}`);
}
console.log(`${table.length - failures} passed, ${failures} failed`);
process.exit(failures === 0 ? 0 : 1);
