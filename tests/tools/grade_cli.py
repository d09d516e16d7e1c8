#!/usr/bin/env python3
"""echo-track-grade as an instructor uses it, on forms that echo-track-sheets
wrote: every form filled with the key's own figures (as the key prints them)
scores full marks; one figure moved far off is marked wrong on its question
alone; a form of another seed is refused with its reason while the others
are still graded (status 2); an answer that is no figure is reported as not
readable on its question."""
import json
import pathlib
import re
import subprocess
import sys
import tempfile
import unittest

TOOLS = pathlib.Path(sys.argv.pop(1))


def run(program, *args):
    return subprocess.run([str(TOOLS / program), *args], capture_output=True, text=True, stdin=subprocess.DEVNULL)


def grades(*forms):
    done = run("echo-track-grade", "--json", *map(str, forms))
    return done.returncode, json.loads(done.stdout)


def filled(form_text, answers):
    """The form with each answer written between its quotes."""
    for name, value in answers.items():
        form_text, n = re.subn(r'^(%s\s*=\s*)""' % re.escape(name), lambda m: m.group(1) + json.dumps(value), form_text,
                               flags=re.M)
        assert n == 1, name
    return form_text


def as_written(key):
    """A key's figure as a student writes it: without the unit."""
    return re.sub(r"(°| kt| nm| min)$", "", key)


class Grading(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.TemporaryDirectory()
        cls.folder = pathlib.Path(cls.dir.name)
        made = run("echo-track-sheets", "--seed", "7", "--count", "8", "-o", str(cls.folder / "s.pdf"), "--answer-forms",
                   str(cls.folder / "F"))
        assert made.returncode == 0, made.stderr
        cls.forms = sorted((cls.folder / "F").glob("answers-*.toml"))
        cls.keys = {}
        for form in cls.forms:
            status, blank = grades(form)
            assert status == 0, blank
            cls.keys[form.name] = {a["name"]: as_written(a["key"]) for a in blank["forms"][0]["answers"]}

    @classmethod
    def tearDownClass(cls):
        cls.dir.cleanup()

    def write(self, name, text):
        path = self.folder / name
        path.write_text(text)
        return path

    def test_the_key_scores_full_marks_and_one_figure_off_is_wrong_alone(self):
        self.assertEqual(len(self.forms), 8)
        for form in self.forms:
            keys = self.keys[form.name]
            status, report = grades(self.write("key-" + form.name, filled(form.read_text(), keys)))
            self.assertEqual(status, 0)
            graded = report["forms"][0]
            self.assertEqual(graded["right"], graded["out_of"], form.name)
            self.assertGreaterEqual(graded["out_of"], 3, form.name)
            # The relative speed, asked of every ship, 5 knots off.
            name = next(n for n in keys if n.startswith("relative_speed"))
            off = dict(keys, **{name: "%.1f" % (float(keys[name]) + 5.0)})
            status, report = grades(self.write("off-" + form.name, filled(form.read_text(), off)))
            wrong = [a["name"] for a in report["forms"][0]["answers"] if not a["right"]]
            self.assertEqual((status, wrong), (0, [name]), form.name)

    def test_a_form_of_another_seed_is_refused_and_the_others_graded(self):
        form = self.forms[0]
        other = self.write("other-seed.toml", form.read_text().replace('seed = "7"', 'seed = "8"'))
        keys = self.keys[form.name]
        good = self.write("good.toml", filled(form.read_text(), keys))
        status, report = grades(other, good)
        self.assertEqual(status, 2)
        refused, graded = report["forms"]
        self.assertIsNotNone(refused["refused"])
        self.assertIsNone(graded["refused"])
        self.assertEqual(graded["right"], graded["out_of"])

    def test_an_answer_that_is_no_figure_is_reported_on_its_question(self):
        form = self.forms[0]
        keys = dict(self.keys[form.name])
        name = next(n for n in keys if n.startswith("relative_course"))
        keys[name] = "north"
        status, report = grades(self.write("words.toml", filled(form.read_text(), keys)))
        self.assertEqual(status, 0)
        answer = next(a for a in report["forms"][0]["answers"] if a["name"] == name)
        self.assertFalse(answer["right"])
        self.assertIsNotNone(answer["note"])


if __name__ == "__main__":
    unittest.main()
