// The Exercises view: the sheets' generator and the trainer, by the same C++
// as echo-track-sheets and echo-track-grade (through the workbench's
// bridge). A sheet (seed, count, kinds) is shown as its pages, each
// worksheet with its key, as SVG; printing the view prints them, one page
// per sheet of A4. The trainer opens one exercise of the sheet (or draws
// one from a new seed): its worksheet and its questions, one field per
// figure asked; the answers are graded with the grading library's
// tolerances, then the key's page and the solved board can be shown. The
// address names the exercise: #exercise=SEED/KINDS/N.

import { announce } from './shell.mjs';
import { WorkbenchError, workbenchFor } from './workbench.mjs';

const byId = (id) => document.getElementById(id);
const kKinds = [
  ['head-on', 'head-on'], ['crossing-starboard', 'crossing from starboard'], ['crossing-port', 'crossing from port'],
  ['b-overtaking', 'B overtaking'], ['own-overtaking', 'own ship overtaking'], ['passing-clear', 'passing clear'],
  ['too-close', 'too close'], ['several', 'several ships'],
];
const marks = { right: 'right', wrong: 'wrong', unanswered: 'not answered', 'not readable': 'not readable' };

function picture(box, svgText, label) {
  box.innerHTML = svgText;
  const svg = box.querySelector('svg');
  svg.setAttribute('role', 'img');
  svg.setAttribute('aria-label', label);
  return svg;
}

export function exercisesView() {
  const sheetForm = byId('sheet-form');
  const pick = byId('trainer-pick');
  const error = byId('sheet-error');
  let wb = null;
  let opened = null;  // { seed, kinds, number, count } of the trainer's exercise
  const record = { sheets: 0, exercise: null, grade: null, error: null };
  window.echoTrackExercises = record;

  const kindsBox = byId('kinds');
  for (const [name, words] of kKinds) {
    const box = document.createElement('input');
    box.type = 'checkbox';
    box.name = 'kind';
    box.value = name;
    const label = document.createElement('label');
    label.append(box, ` ${words}`);
    kindsBox.append(label);
  }

  function showError(message) {
    record.error = message;
    error.textContent = message ?? '';
    error.hidden = message === null;
  }

  function guarded(work) {
    try {
      showError(null);
      return work();
    } catch (e) {
      if (!(e instanceof WorkbenchError)) throw e;
      showError(e.message);
      return null;
    }
  }

  const sheetSeed = () => sheetForm.elements.seed.value.trim();
  const sheetCount = () => Number(sheetForm.elements.count.value.trim());
  const sheetKinds = () => [...sheetForm.querySelectorAll('[name=kind]:checked')].map((b) => b.value).join(',') || 'all';

  function setKinds(kinds) {
    const chosen = kinds === 'all' ? [] : kinds.split(',');
    for (const b of sheetForm.querySelectorAll('[name=kind]')) b.checked = chosen.includes(b.value);
  }

  function makeSheet() {
    const answer = guarded(() => wb.sheet(sheetSeed(), sheetKinds(), sheetCount()));
    if (answer === null) return;
    const pages = byId('sheet-pages');
    pages.replaceChildren();
    for (const x of answer.exercises) {
      for (const [which, words] of [['worksheet', 'worksheet'], ['answers', 'key']]) {
        const figure = document.createElement('figure');
        figure.className = 'sheet-page';
        const caption = document.createElement('figcaption');
        caption.textContent = `Exercise ${x.number}, ${x.title}: the ${words}`;
        const box = document.createElement('div');
        box.className = 'sheet-picture';
        picture(box, x[which], caption.textContent);
        figure.append(caption, box);
        pages.append(figure);
      }
    }
    record.sheets++;
    announce(`The sheet: ${answer.exercises.length} exercises, each with its worksheet and key.`);
  }

  // ---- the trainer

  function keepAddress() {
    if (opened !== null) history.replaceState(null, '', `#exercise=${opened.seed}/${opened.kinds}/${opened.number}`);
  }

  function openExercise(seed, kinds, number) {
    const count = Math.max(number, sheetCount() || number);
    const x = guarded(() => wb.exercise(seed, kinds, number, count));
    if (x === null) return false;
    opened = { seed, kinds, number, count };
    keepAddress();
    record.exercise = x;
    record.grade = null;
    byId('trainer-exercise').hidden = false;
    byId('trainer-key').hidden = true;
    byId('trainer-score').textContent = '';
    byId('trainer-title').textContent = `Exercise ${number} of seed ${seed}: ${x.title}`;
    picture(byId('trainer-worksheet'), x.worksheet, `The worksheet of exercise ${number}`);
    const questions = byId('trainer-questions');
    questions.replaceChildren();
    for (const q of x.questions) {
      const set = document.createElement('fieldset');
      set.className = 'question';
      const legend = document.createElement('legend');
      legend.textContent = `${q.number}. ${q.text}`;
      set.append(legend);
      for (const item of q.items) {
        const label = document.createElement('label');
        const input = document.createElement('input');
        input.name = item.name;
        input.id = `answer-${item.name}`;
        input.setAttribute('aria-describedby', `mark-${item.name}`);
        const mark = document.createElement('span');
        mark.className = 'mark';
        mark.id = `mark-${item.name}`;
        mark.setAttribute('aria-live', 'polite');
        label.append(`${item.name.replace(/_/g, ' ')} (${item.hint}) `, input);
        const row = document.createElement('div');
        row.className = 'answer-item';
        row.append(label, mark);
        set.append(row);
      }
      questions.append(set);
    }
    return true;
  }

  function answersText() {
    return [...byId('trainer-questions').querySelectorAll('input')].map((i) => `${i.name}\t${i.value.replace(/[\t\n]/g, ' ')}`).join('\n');
  }

  function grade() {
    if (opened === null) return null;
    const g = guarded(() => wb.grade(opened.seed, opened.kinds, opened.number, opened.count, answersText()));
    if (g === null) return null;
    record.grade = g;
    for (const item of g.items) {
      const mark = byId(`mark-${item.name}`);
      if (mark === null) continue;
      mark.textContent = `${marks[item.mark]}${item.note ? `: ${item.note}` : ''}`;
      mark.dataset.mark = item.mark;
    }
    const score = `${g.right} of ${g.out_of} right.`;
    byId('trainer-score').textContent = score;
    return g;
  }

  function reveal() {
    const g = grade();
    if (g === null) return;
    for (const item of g.items) {
      const mark = byId(`mark-${item.name}`);
      if (mark !== null) mark.textContent += ` (key: ${item.key})`;
    }
    picture(byId('trainer-key-page'), g.answers, `The key of exercise ${opened.number}`);
    picture(byId('trainer-board'), g.board, `The solved traffic board of exercise ${opened.number}`);
    byId('trainer-key').hidden = false;
  }

  sheetForm.addEventListener('submit', (event) => {
    event.preventDefault();
    makeSheet();
  });
  byId('print-sheet').onclick = () => {
    if (byId('sheet-pages').children.length === 0) makeSheet();
    window.print();
  };
  pick.addEventListener('submit', (event) => {
    event.preventDefault();
    openExercise(sheetSeed(), sheetKinds(), Number(pick.elements.number.value.trim()));
  });
  byId('trainer-draw').onclick = () => {
    // A new seed, drawn by the page; the exercise is then the generator's.
    const seed = String(Math.floor(Math.random() * 1e9));
    sheetForm.elements.seed.value = seed;
    pick.elements.number.value = '1';
    if (openExercise(seed, sheetKinds(), 1)) makeSheet();
  };
  byId('trainer-answers').addEventListener('submit', (event) => {
    event.preventDefault();
    const g = grade();
    if (g !== null) announce(byId('trainer-score').textContent);
  });
  byId('trainer-reveal').onclick = reveal;

  function openNamed(argument) {
    const parts = argument.split('/');
    if (parts.length !== 3) {
      showError('The address names no exercise: it takes #exercise=SEED/KINDS/N, e.g. #exercise=7/all/1.');
      return;
    }
    const [seed, kinds, number] = parts;
    sheetForm.elements.seed.value = seed;
    setKinds(kinds);
    pick.elements.number.value = number;
    if (Number(sheetForm.elements.count.value) < Number(number)) sheetForm.elements.count.value = number;
    if (openExercise(seed, kinds, Number(number))) makeSheet();
  }

  return {
    async enter(moveFocus, argument) {
      if (wb === null) {
        wb = await workbenchFor('The exercises', byId('exercises-loading'));
        if (wb === null) return;
        if (argument === null) makeSheet();
      }
      if (argument !== null) openNamed(argument);
      else keepAddress();
      if (moveFocus) byId('exercises-heading').focus();
    },
  };
}
