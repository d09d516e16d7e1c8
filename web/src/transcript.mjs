// Reading the dialog's output as a person reads the console: what the
// program asks while it waits, and the last report it gave.

const promptLine = /^ {8}\[ Default: *(.*?) \] {4}Input=$/;
const rule = /^ *(-{10,}|#{10,}.*)$/;

// The question the program waits on, from the output since the last answer
// sent: { question, default, number } where number tells that the answer is
// read as a number (a prompt with its default), or null for a line that is
// only waited for (the pause, or the line read after "NO danger").
export function questionOf(output) {
  const lines = output.replace(/\n$/, '').split('\n');
  const last = lines[lines.length - 1] ?? '';
  const prompt = promptLine.exec(last);
  if (prompt !== null) {
    const before = lines[lines.length - 2] ?? '';
    return { question: rule.test(before) ? '' : before.trim(), default: prompt[1].trim(), number: true };
  }
  if (/<Hit RETURN to continue\.\.\.>/.test(last)) return { question: 'Hit RETURN to continue...', default: null, number: false };
  return { question: 'The program waits for a line: RETURN goes on.', default: null, number: false };
}

// The last report in the output, from its OBSERVATION line to the pause
// after it (or to the end), trailing blank lines left out; '' before any.
export function lastReport(output) {
  const at = output.lastIndexOf('\n OBSERVATION:\n');
  if (at < 0) return '';
  let report = output.slice(at + 1);
  const pause = report.indexOf('\n <Hit RETURN to continue...>');
  if (pause >= 0) report = report.slice(0, pause + 1);
  return report.replace(/(\n[ \t]*)+$/, '\n');
}
