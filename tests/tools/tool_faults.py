#!/usr/bin/env python3
"""Faults around the built traffic and sheets tools, as table rows: each row
lays out a scratch folder, runs a tool in it, and states the exit status,
the one line on standard error and every name on disk afterwards (files an
earlier run left keep their bytes unless the row says otherwise). The traffic
rows run under both names, echo-track-traffic and echo-track-plot FILE.toml.

    tool_faults.py <folder of the built tools> <TestClass> <lsan suppressions>
"""

import collections
import os
import re
import shutil
import signal
import stat
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree

TOOLS = ""
SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
OLD = b"the old file\n"
NOBODY = 65534
with open(os.path.join(SOURCE, "examples", "crossing-three-ships.toml"), "rb") as example:
    GOOD = example.read()
TOO_DEEP = "keys, tables and arrays nest more than 10 levels deep"
CONTROL = "ex.toml:23:8: a name holds a control character"


class Folder:
    """A folder to make in the scratch folder."""


class Link(collections.namedtuple("Link", "target")):
    """A symbolic link to make."""


class ReadOnly(collections.namedtuple("ReadOnly", "bytes")):
    """A file of mode 0444."""


# name, program ("traffic": both names of the traffic front end), files laid
# out, arguments ("@x" stands for x in the scratch folder), exit status, the
# error line's text (None: nothing on standard error), names afterwards
# ("d/" a folder, "l -> t" a link), and the files whose bytes are new.
Row = collections.namedtuple("Row", "name program files args status says after changed", defaults=((),))


def named(toml_name):
    """The example with its first target named by this TOML string."""
    return GOOD.replace(b'name = "Alpha"', b'name = "' + toml_name.encode() + b'"', 1)


def many_targets(count):
    lines = [b"required_cpa_nm = 1.0\n[own_ship]\ncourse = 10\nspeed_kt = 12.0\n[manoeuvre]\ndelay_min = 3\n"]
    for i in range(count):  # each closing slowly, so that no figure draws a warning
        lines.append(b'[[target]]\nname = "T%d"\nfirst = { time = "10:00", bearing = %d, range_nm = %.1f }\n'
                     b'second = { time = "10:06", bearing = %d, range_nm = %.1f }\n'
                     % (i, i * 7 % 360, 1 + i % 11, (i * 7 + 1) % 360, 0.8 + i % 11))
    return b"".join(lines)


TRAFFIC_ROWS = [
    Row("dotted_key_of_50000_parts", "traffic", {"deep.toml": b"a" + b".a" * 50000 + b" = 1\n"},
        ["@deep.toml", "-o", "@b.svg"], 2, "deep.toml:1:20: " + TOO_DEEP, ["deep.toml"]),
    Row("table_header_of_50000_parts", "traffic", {"deep.toml": b"[" + b"a." * 50000 + b"a]\n"},
        ["@deep.toml"], 2, "deep.toml:1:21: " + TOO_DEEP, ["deep.toml"]),
    Row("arrays_300_deep", "traffic", {"deep.toml": b"x = " + b"[" * 300 + b"]" * 300 + b"\n"},
        ["@deep.toml"], 2, "deep.toml:1:14: " + TOO_DEEP, ["deep.toml"]),
    Row("inline_tables_300_deep", "traffic", {"deep.toml": b"x = " + b"{ a = " * 300 + b"1" + b" }" * 300 + b"\n"},
        ["@deep.toml"], 2, "deep.toml:1:61: " + TOO_DEEP, ["deep.toml"]),
    Row("file_over_a_mebibyte", "traffic", {"big.toml": GOOD + (b"#" * 1023 + b"\n") * 1024},
        ["@big.toml", "-o", "@b.svg"], 2, "big.toml: more than 1048576 bytes: too large for a traffic exercise file",
        ["big.toml"]),
    Row("endless_device", "traffic", {"zero.toml": Link("/dev/zero")}, ["@zero.toml"], 2,
        "zero.toml: more than 1048576 bytes", ["zero.toml -> /dev/zero"]),
    Row("directory", "traffic", {"d.toml": Folder()}, ["@d.toml"], 2, "d.toml: Is a directory", ["d.toml/"]),
    Row("name_clears_the_screen", "traffic", {"ex.toml": named(r"\u001b[2J")}, ["@ex.toml"], 2, CONTROL, ["ex.toml"]),
    Row("name_with_u0001", "traffic", {"ex.toml": named(r"A\u0001")}, ["@ex.toml", "-o", "@b.svg"], 2, CONTROL,
        ["ex.toml"]),
    Row("name_with_a_line_end", "traffic", {"ex.toml": named(r"A\n| forged | row")}, ["@ex.toml"], 2, CONTROL,
        ["ex.toml"]),
    Row("name_with_nul", "traffic", {"ex.toml": named(r"A\u0000")}, ["@ex.toml"], 2, CONTROL, ["ex.toml"]),
    Row("name_with_tab", "traffic", {"ex.toml": named(r"A\tB")}, ["@ex.toml"], 2, CONTROL, ["ex.toml"]),
    Row("name_with_delete", "traffic", {"ex.toml": named(r"A\u007f")}, ["@ex.toml"], 2, CONTROL, ["ex.toml"]),
    Row("name_with_c1_control", "traffic", {"ex.toml": named(r"A\u009b2J")}, ["@ex.toml"], 2, CONTROL, ["ex.toml"]),
    Row("name_with_right_to_left_override", "traffic", {"ex.toml": named(r"A\u202eB")}, ["@ex.toml"], 2, CONTROL,
        ["ex.toml"]),
    Row("name_with_left_to_right_isolate", "traffic", {"ex.toml": named(r"A\u2066B")}, ["@ex.toml"], 2, CONTROL,
        ["ex.toml"]),
    Row("name_of_41_characters", "traffic", {"ex.toml": named("N" * 41)}, ["@ex.toml"], 2,
        "ex.toml:23:8: a name is longer than 40 characters", ["ex.toml"]),
    Row("name_of_40_characters", "traffic", {"ex.toml": named("\u00c6" * 40)}, ["@ex.toml", "-o", "@b.svg"], 0, None,
        ["b.svg", "ex.toml"], ["b.svg"]),
    Row("degree_sign_after_a_bearing", "traffic", {"ex.toml": GOOD.replace(b"bearing = 45,", "bearing = 045\u00b0,".encode())},
        ["@ex.toml"], 2, "ex.toml:24:40: a character that is not ASCII outside quotes and comments", ["ex.toml"]),
    Row("key_that_clears_the_screen", "traffic", {"ex.toml": GOOD + b'"\\u001b[2J" = 1\n'}, ["@ex.toml"], 2,
        "unknown key '\\u001B[2J' in [[target]]", ["ex.toml"]),
    Row("manoeuvre_of_a_name_that_clears_the_screen", "traffic",
        {"ex.toml": GOOD.replace(b'time = "10:18"', b'when_range_nm = 4.0\nof = "\\u001b[2J"', 1)}, ["@ex.toml"], 2,
        "ex.toml:17:6: manoeuvre.of: '\\u001B[2J' names no target", ["ex.toml"]),
    Row("empty_board_name", "traffic", {"ex.toml": GOOD}, ["@ex.toml", "-o", ""], 2, "--output: the file name is empty",
        ["ex.toml"]),
    Row("board_too_large_for_a_png", "traffic", {"many.toml": many_targets(1200)}, ["@many.toml", "-o", "@b.png"], 1,
        "the board was not drawn: ", ["many.toml"]),
]

SHEETS_ROWS = [
    Row("count_with_a_leading_zero", "sheets", {}, ["--count", "010", "--kinds", "several", "--exercises", "@D", "-o", "@s.pdf"],
        0, None, ["D/"] + ["D/exercise-%02d.toml" % n for n in range(1, 11)] + ["s.pdf"],
        ["D/exercise-%02d.toml" % n for n in range(1, 11)] + ["s.pdf"]),
    Row("largest_seed", "sheets", {}, ["--seed", "18446744073709551615", "--count", "1", "-o", "@s.pdf"], 0, None,
        ["s.pdf"], ["s.pdf"]),
] + [
    Row("count_" + label, "sheets", {}, ["--count", text, "-o", "@s.pdf"], 2,
        "--count: expected a whole number from 1 to 99 in decimal digits, not '%s'" % text, [])
    for label, text in (("hexadecimal", "0x10"), ("signed", "+8"), ("blank", " 8"), ("empty", ""), ("zero", "0"),
                        ("100", "100"), ("fraction", "8.0"))
] + [
    Row("seed_" + label, "sheets", {}, ["--seed", text, "-o", "@s.pdf"], 2,
        "--seed: expected a whole number from 0 to 18446744073709551615 in decimal digits, not '%s'" % text, [])
    for label, text in (("negative", "-1"), ("2_to_the_64", "18446744073709551616"), ("of_20_nines", "9" * 20),
                        ("empty", ""), ("hexadecimal", "0x10"), ("with_exponent", "1e3"))
] + [
    Row("empty_folder_name", "sheets", {}, ["--exercises", "", "-o", "@s.pdf"], 2, "--exercises: the folder name is empty", []),
    Row("pdf_in_no_folder", "sheets", {}, ["--exercises", "@D", "-o", "@none/x.pdf"], 2,
        "cannot write %s/none/x.pdf: No such file or directory", []),
    Row("pdf_in_no_folder_keeps_the_earlier_sheet", "sheets", {"D": Folder(), "D/exercise-01.toml": OLD},
        ["--exercises", "@D", "--replace", "-o", "@none/x.pdf"], 2, "cannot write", ["D/", "D/exercise-01.toml"]),
    Row("folder_of_an_earlier_sheet", "sheets", {"D": Folder(), "D/exercise-04.toml": OLD, "D/exercise-08.session": OLD},
        ["--exercises", "@D", "-o", "@s.pdf"], 2,
        "--exercises: %s/D holds the files of an earlier sheet (exercise-04.toml and 1 more); give --replace to replace them",
        ["D/", "D/exercise-04.toml", "D/exercise-08.session"]),
    Row("replace_leaves_nothing_of_the_earlier_sheet", "sheets",
        {"D": Folder(), "D/exercise-01.session": OLD, "D/exercise-02.toml": OLD, "D/exercise-08.toml": OLD,
         "D/exercise-notes": OLD, "D/notes.txt": OLD},
        ["--exercises", "@D", "--replace", "--count", "2", "--kinds", "several", "-o", "@s.pdf"], 0, None,
        ["D/", "D/exercise-01.toml", "D/exercise-02.toml", "D/notes.txt", "s.pdf"],
        ["D/exercise-01.toml", "D/exercise-02.toml", "s.pdf"]),
    Row("folder_named_like_an_exercise_file", "sheets", {"D": Folder(), "D/exercise-09.toml": Folder()},
        ["--exercises", "@D", "--replace", "-o", "@s.pdf"], 2, "exercise-09.toml is a folder, not an exercise file",
        ["D/", "D/exercise-09.toml/"]),
    Row("forms_folder_of_an_earlier_sheet", "sheets", {"F": Folder(), "F/answers-09.toml": OLD},
        ["--answer-forms", "@F", "-o", "@s.pdf"], 2,
        "--answer-forms: %s/F holds the files of an earlier sheet (answers-09.toml); give --replace to replace them",
        ["F/", "F/answers-09.toml"]),
    Row("replace_leaves_no_form_of_the_earlier_sheet", "sheets",
        {"F": Folder(), "F/answers-01.toml": OLD, "F/answers-05.toml": OLD, "F/mine.toml": OLD},
        ["--answer-forms", "@F", "--replace", "--count", "2", "--kinds", "several", "-o", "@s.pdf"], 0, None,
        ["F/", "F/answers-01.toml", "F/answers-02.toml", "F/mine.toml", "s.pdf"],
        ["F/answers-01.toml", "F/answers-02.toml", "s.pdf"]),
    Row("forms_and_exercises_in_one_folder", "sheets", {},
        ["--exercises", "@D", "--answer-forms", "@D", "--count", "1", "--kinds", "several", "-o", "@s.pdf"], 0, None,
        ["D/", "D/answers-01.toml", "D/exercise-01.toml", "s.pdf"], ["D/answers-01.toml", "D/exercise-01.toml", "s.pdf"]),
    Row("link_in_the_folder_is_replaced_not_followed", "sheets",
        {"outside.toml": OLD, "D": Folder(), "D/exercise-01.toml": Link("../outside.toml")},
        ["--exercises", "@D", "--replace", "--count", "1", "--kinds", "several", "-o", "@s.pdf"], 0, None,
        ["D/", "D/exercise-01.toml", "outside.toml", "s.pdf"], ["D/exercise-01.toml", "s.pdf"]),
    Row("pdf_link_is_followed", "sheets", {"real.pdf": OLD, "link.pdf": Link("real.pdf")},
        ["--count", "1", "-o", "@link.pdf"], 0, None, ["link.pdf -> real.pdf", "real.pdf"], ["real.pdf"]),
    Row("pdf_under_a_png_name", "sheets", {}, ["-o", "@s.png"], 2,
        "--output: '%s/s.png' does not end in .pdf (or is -, for standard output)", []),
    Row("empty_pdf_name", "sheets", {}, ["-o", ""], 2, "--output: '' does not end in .pdf", []),
    Row("pdf_to_standard_output", "sheets", {}, ["--count", "1", "--exercises", "@D", "-o", "-"], 0, None,
        ["D/", "D/exercise-01.session", "D/exercise-01.toml"], ["D/exercise-01.session", "D/exercise-01.toml"]),
]

READ_ONLY_ROWS = [
    Row("traffic_board", "traffic", {"ex.toml": GOOD, "b.svg": ReadOnly(OLD)}, ["@ex.toml", "-o", "@b.svg"], 2,
        "cannot write %s/b.svg: Permission denied", ["b.svg", "ex.toml"]),
    Row("one_ship_picture", "plot", {"p.png": ReadOnly(OLD)}, ["-o", "@p.png"], 2,
        "cannot write %s/p.png: Permission denied", ["p.png"]),
    Row("sheets_pdf", "sheets", {"s.pdf": ReadOnly(OLD)}, ["--count", "1", "--exercises", "@D", "-o", "@s.pdf"], 2,
        "cannot write %s/s.pdf: Permission denied", ["s.pdf"]),
    Row("exercise_file_under_replace", "sheets", {"D": Folder(), "D/exercise-01.toml": ReadOnly(OLD)},
        ["--count", "1", "--exercises", "@D", "--replace", "-o", "@s.pdf"], 2,
        "cannot write %s/D/exercise-01.toml: Permission denied", ["D/", "D/exercise-01.toml"]),
]

PROGRAMS = {"traffic": ["echo-track-traffic", "echo-track-plot"], "plot": ["echo-track-plot"],
            "sheets": ["echo-track-sheets"]}
# Anything but the line end that closes the error line.
CONTROLS = re.compile(rb"[\x00-\x09\x0b-\x1f\x7f]|\xc2[\x80-\x9f]|\xe2\x80[\xaa-\xae]|\xe2\x81[\xa6-\xa9]")


def child_setup():
    signal.signal(signal.SIGINT, signal.SIG_DFL)


def lay_out(folder, files, mode):
    for name, content in files.items():
        path = os.path.join(folder, name)
        if isinstance(content, Folder):
            os.mkdir(path)
            os.chmod(path, mode)
        elif isinstance(content, Link):
            os.symlink(content.target, path)
        else:
            data = content.bytes if isinstance(content, ReadOnly) else content
            with open(path, "wb") as f:
                f.write(data)
            os.chmod(path, 0o444 if isinstance(content, ReadOnly) else 0o644)


def names_on_disk(folder):
    found = []
    for top, folders, files in os.walk(folder):
        for name in folders + files:
            path = os.path.join(top, name)
            shown = os.path.relpath(path, folder)
            if os.path.islink(path):
                shown += " -> " + os.readlink(path)
            elif os.path.isdir(path):
                shown += "/"
            found.append(shown)
    return sorted(found)


def read(path):
    with open(path, "rb") as f:
        return f.read()


class Faults(unittest.TestCase):
    prefix = ()  # what the tools run under
    mode = 0o755  # of the scratch folder and those laid out in it

    def run_row(self, row, program):
        folder = tempfile.mkdtemp(prefix="tool-faults-")
        self.addCleanup(shutil.rmtree, folder)
        os.chmod(folder, self.mode)
        lay_out(folder, row.files, self.mode)
        before = {n: read(os.path.join(folder, n)) for n in names_on_disk(folder)
                  if os.path.isfile(os.path.join(folder, n))}
        args = [os.path.join(folder, a[1:]) if a.startswith("@") else a for a in row.args]
        done = subprocess.run([*self.prefix, os.path.join(TOOLS, program), *args], capture_output=True, timeout=120,
                              preexec_fn=child_setup)
        self.assertEqual(done.returncode, row.status, done.stderr)
        if row.says is None:
            self.assertEqual(done.stderr, b"")
        else:
            says = (row.says % folder) if "%s" in row.says else row.says
            self.assertTrue(done.stderr.startswith(program.encode() + b": "), done.stderr)
            self.assertIn(says.encode(), done.stderr)
            self.assertEqual(done.stderr.count(b"\n"), 1, done.stderr)
            self.assertIsNone(CONTROLS.search(done.stderr), done.stderr)
        self.assertEqual(names_on_disk(folder), sorted(row.after))
        for name, old in before.items():
            if name not in row.changed and os.path.exists(os.path.join(folder, name)):
                self.assertEqual(read(os.path.join(folder, name)), old, name)
        for name in row.changed:
            self.assertNotEqual(read(os.path.join(folder, name)), OLD, name)
        return done, folder

    def run_rows(self, rows):
        for row in rows:
            for program in PROGRAMS[row.program]:
                with self.subTest(row=row.name, program=program):
                    self.run_row(row, program)


class Traffic(Faults):
    def test_rows(self):
        self.run_rows(TRAFFIC_ROWS)

    def test_report_comes_before_a_board_cairo_cannot_paint(self):
        row = next(r for r in TRAFFIC_ROWS if r.name == "board_too_large_for_a_png")
        done, _ = self.run_row(row, "echo-track-traffic")
        # Every target in both tables: its sightings, then its figures.
        rows = [line.split()[0] for line in done.stdout.splitlines() if line.startswith(b"T")]
        self.assertEqual(rows, [b"T%d" % i for i in range(1200)] * 2)
        self.assertIn(b"\nManoeuvre at ", done.stdout)

    def test_markup_in_names_is_text_of_a_well_formed_board(self):
        names = ['<b>&amp;', "\"'", "]]>"]
        text = GOOD
        for old, new in zip(("Alpha", "Bravo", "Charlie"), names):
            text = text.replace(b'name = "%s"' % old.encode(),
                                b'name = "%s"' % new.replace('"', '\\"').encode())
        row = Row("markup", "traffic", {"ex.toml": text}, ["@ex.toml", "-o", "@b.svg"], 0, None,
                  ["b.svg", "ex.toml"], ["b.svg"])
        _, folder = self.run_row(row, "echo-track-traffic")
        board = xml.etree.ElementTree.parse(os.path.join(folder, "b.svg"))
        texts = {t.text for t in board.iter("{http://www.w3.org/2000/svg}text")}
        self.assertTrue(set(names) <= texts, texts)


class Sheets(Faults):
    def test_rows(self):
        self.run_rows(SHEETS_ROWS)

    def test_seed_with_a_leading_zero_is_the_decimal_seed(self):
        pdfs = []
        for seed in ("010", "10"):
            done, folder = self.run_row(Row("seed", "sheets", {}, ["--seed", seed, "--count", "2", "-o", "-"], 0, None, []),
                                        "echo-track-sheets")
            self.assertTrue(done.stdout.startswith(b"%PDF"))
            pdfs.append(done.stdout)
        self.assertEqual(pdfs[0], pdfs[1])

    def test_rerun_with_replace_gives_the_same_files(self):
        args = ["--count", "3", "--exercises", "@D", "-o", "@s.pdf"]
        after = ["D/", "D/exercise-01.session", "D/exercise-01.toml", "D/exercise-02.session", "D/exercise-02.toml",
                 "D/exercise-03.session", "D/exercise-03.toml", "s.pdf"]
        _, first = self.run_row(Row("first", "sheets", {}, args, 0, None, after, after[1:]), "echo-track-sheets")
        files = {"D": Folder(), **{n: read(os.path.join(first, n)) for n in after[1:]}}
        # The same bytes again: no file of the row is among its changed ones.
        self.run_row(Row("again", "sheets", files, args + ["--replace"], 0, None, after), "echo-track-sheets")


class ReadOnlyFiles(Faults):
    """As a user who is not root: root may write a read-only file, and the shell lets it."""

    def setUp(self):
        if os.geteuid() != 0:
            return
        if shutil.which("setpriv") is None:
            self.skipTest("run as root, and setpriv is not there to run the tools as a user who is not")
        probe = subprocess.run(["setpriv", "--reuid=%d" % NOBODY, "--regid=%d" % NOBODY, "--clear-groups",
                                os.path.join(TOOLS, "echo-track-traffic"), "--version"], capture_output=True)
        if probe.returncode != 0:
            self.skipTest("run as root, and setpriv cannot run the tools as user %d: %s" % (NOBODY, probe.stderr))
        self.prefix = ("setpriv", "--reuid=%d" % NOBODY, "--regid=%d" % NOBODY, "--clear-groups")
        self.mode = 0o777

    def test_rows(self):
        self.run_rows(READ_ONLY_ROWS)


if __name__ == "__main__":
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    TOOLS = sys.argv[1]
    # fontconfig holds its configuration until the process ends.
    os.environ["LSAN_OPTIONS"] = "suppressions=%s:print_suppressions=0" % sys.argv[3]
    unittest.main(argv=[sys.argv[0], "-v", sys.argv[2]])
