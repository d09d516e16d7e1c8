// How the dialog reads a typed answer, so that the page can say so before it
// sends one that would be read otherwise than it looks. The rules are the
// program's own and are not changed here: the first 8 bytes of the line are
// the field (console/console.cpp), read by the list-directed number grammar
// (console/number_reader.cpp); a whole-number question rounds the value, and
// an entry beyond 9999 becomes 99999 (app/entry_rules.cpp); a minimal CPA
// below 0.001 stops the run (app/dialog.cpp).

const kFieldLength = 8;
const kMaxSignificant = 40;
const kMaxExponent = 99999999;
const kLargestEntry = 9999;
const kOverflowEntry = 99999;
export const kEndingCpa = Math.fround(0.001);

const isDigit = (c) => c >= 0x30 && c <= 0x39;
const isSign = (c) => c === 0x2b || c === 0x2d;
const isExponentLetter = (c) => c === 0x64 || c === 0x65 || c === 0x44 || c === 0x45;

// One number from the field's bytes (the end-of-record mark follows them):
// { outcome: 'value' | 'null' | 'invalid', value }.
export function readFieldNumber(field) {
  let pos = 0;
  const get = () => (pos < field.length ? field[pos++] : pos++ === field.length ? 0x0a : -1);
  for (;;) {
    const c = get();
    if (c === -1) return { outcome: 'invalid' };  // blanks only: "list in"
    if (c === 0x20 || c === 0x09 || c === 0x0a) continue;
    if (c === 0x2f || c === 0x2c) return { outcome: 'null' };
    pos--;
    break;
  }
  let repeatSeen = false;
  for (;;) {
    let digits = '';
    let exponent = 0;
    let zeros = 0;
    let negative = false;
    let c = get();
    if (isSign(c)) {
      negative = c === 0x2d;
      c = get();
    }
    while (c === 0x30) {
      zeros++;
      c = get();
    }
    while (isDigit(c)) {
      if (digits.length < kMaxSignificant) digits += String.fromCharCode(c);
      else exponent++;
      c = get();
    }
    if (c === 0x2a && !repeatSeen) {
      if (digits === '' || exponent !== 0 || negative) return { outcome: 'invalid' };
      repeatSeen = true;
      continue;
    }
    if (c === 0x2e) {
      c = get();
      if (digits === '') {
        while (c === 0x30) {
          zeros++;
          exponent--;
          c = get();
        }
      }
      while (isDigit(c)) {
        if (digits.length < kMaxSignificant) {
          digits += String.fromCharCode(c);
          exponent--;
        }
        c = get();
      }
    }
    const haveNumber = zeros > 0 || digits !== '';
    const exponentSign = isSign(c);
    if (exponentSign || (haveNumber && isExponentLetter(c))) {
      if (!exponentSign) c = get();
      let negativeExponent = false;
      if (isSign(c)) {
        negativeExponent = c === 0x2d;
        c = get();
      }
      if (!isDigit(c)) return { outcome: 'invalid' };
      let e = c - 0x30;
      while (isDigit((c = get()))) {
        e = 10 * e + (c - 0x30);
        if (e > kMaxExponent) return { outcome: 'invalid' };
      }
      exponent += negativeExponent ? -e : e;
    }
    if (haveNumber) {
      let magnitude = 0;
      if (digits !== '') {
        const kept = digits.replace(/0+$/, '');
        magnitude = Number(`${kept}e${exponent + digits.length - kept.length}`);
        if (negative) magnitude = -magnitude;
      }
      return { outcome: 'value', value: magnitude };
    }
    if (c === 0x2c || c === 0x2f) return { outcome: 'null' };
    if (repeatSeen && (c === 0x20 || c === 0x09 || c === 0x0a)) return { outcome: 'null' };
    return { outcome: 'invalid' };
  }
}

// What a question wants, from its line in the dialog: a whole number or one
// with decimals, a clock time or not, and whether a small value ends the run.
export function questionKind(question) {
  return {
    whole: !/Velocity|Distance|Minimal CPA/.test(question),
    clock: /hhmm/.test(question),
    endsBelow: /Minimal CPA/.test(question) ? kEndingCpa : null,
  };
}

const plainNumber = /^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*$/;

// What the person most likely meant, when the text has a common form that
// the dialog reads otherwise.
function meant(text, kind) {
  const t = text.trim();
  let m;
  if (kind.clock && (m = /^(\d{1,2})[:.h](\d{2})$/.exec(t)) && Number(m[2]) < 60) return `${Number(m[1])}${m[2]}`;
  if (!kind.whole && (m = /^([+-]?\d*),(\d+)$/.exec(t))) return `${m[1] || '0'}.${m[2]}`;
  if ((m = /^([+-]?(?:\d+\.?\d*|\.\d+))\s*[^\d\s.,+-][^\d]*$/.exec(t))) return m[1];
  return null;
}

const shown = (text) => `\u201c${text}\u201d`;

// The warning for `line` typed at `question` (its line in the dialog), or
// null when the dialog reads the answer as it looks. Blank takes the default.
// { text, value, instead } where value is what the dialog takes ('default' on
// a null value, 'end' when the run ends) and instead, when not null, the
// answer that the person most likely meant (a keypad may have no point).
export function judgeAnswer(line, question) {
  const bytes = new TextEncoder().encode(line);
  const field = new Uint8Array(kFieldLength).fill(0x20);
  field.set(bytes.subarray(0, kFieldLength));
  if (field.every((b) => b === 0x20)) return null;
  const kind = questionKind(question);
  const cut = bytes.length > kFieldLength && bytes.subarray(kFieldLength).some((b) => b !== 0x20);
  const read = readFieldNumber(field);
  const hint = meant(line, kind);
  if (read.outcome === 'invalid') {
    return { value: 'end', instead: hint, text: `${shown(line)} is not a number and ends the run` + (hint ? `: type ${hint}` : '') };
  }
  if (read.outcome === 'null') {
    return { value: 'default', text: `${shown(line)} is read as no answer: the default stays` };
  }
  let value = read.value;
  if (kind.whole) value = Math.floor(value + 0.5);
  if (value > kLargestEntry) value = kOverflowEntry;
  else if (value < -kLargestEntry) value = -kOverflowEntry;
  const looks = plainNumber.test(line) ? Number(line) : null;
  if (kind.endsBelow !== null && value < kind.endsBelow) {
    return { value, text: `${shown(line)} at the minimal CPA stops the run (any value below 0.001 does)` };
  }
  if (looks === value && !cut) return null;
  let why = '';
  let instead = null;
  if (cut) why = `: only its first ${kFieldLength} characters count`;
  else if (hint !== null && Number(hint) !== value) {
    why = `: type ${hint}`;
    instead = hint;
  }
  else if (Math.abs(value) === kOverflowEntry) why = ', the mark for an entry beyond 9999';
  else if (kind.whole && looks !== null) why = ': this question takes whole numbers';
  return { value, instead, text: `${shown(line)} is read as ${value}${why}` };
}
