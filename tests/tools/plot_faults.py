#!/usr/bin/env python3
"""Faults around the built echo-track-plot: numbers as a person types them and
nothing else, every kind of output (standard output, links, kept permission
bits, FIFOs and devices, long names), and every failure (a signal while the
picture is written, a file-size limit, standard output or error that cannot
be written) ending with the old file intact, no temporary file left and a
status that is not 0.

    plot_faults.py <echo-track-plot binary> <TestClass> <lsan suppressions>
"""

import os
import resource
import shutil
import signal
import stat
import subprocess
import sys
import tempfile
import threading
import unittest

BINARY = ""
OLD = b"the old picture\n"
MAGIC = {"svg": b"<?xml", "png": b"\x89PNG", "pdf": b"%PDF"}


def child_setup(file_size=None, close_stdout=False):
    # A background job inherits interrupts ignored, and ignored they stay:
    # each child starts with the interrupt at its default action.
    signal.signal(signal.SIGINT, signal.SIG_DFL)
    resource.setrlimit(resource.RLIMIT_CORE, (0, 0))
    if file_size is not None:
        resource.setrlimit(resource.RLIMIT_FSIZE, (file_size, file_size))
    if close_stdout:
        os.close(1)


def run(args, prefix=(), stdout=subprocess.PIPE, stderr=subprocess.PIPE, **setup):
    return subprocess.run([*prefix, BINARY, *args], stdout=stdout, stderr=stderr, timeout=60,
                          preexec_fn=lambda: child_setup(**setup))


class Folder(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="plot-faults-")
        self.addCleanup(shutil.rmtree, self.folder)

    def path(self, name):
        return os.path.join(self.folder, name)

    def old_file(self, name, mode=0o644):
        with open(self.path(name), "wb") as f:
            f.write(OLD)
        os.chmod(self.path(name), mode)
        return self.path(name)

    def picture(self, *args):
        """The SVG picture drawn for these options, by way of standard output."""
        done = run(["--format", "svg", "-o", "-", *args])
        self.assertEqual(done.returncode, 0, done.stderr)
        return done.stdout

    def assert_refused(self, done, says):
        self.assertEqual(done.returncode, 2)
        self.assertIn(says.encode(), done.stderr)


class Numbers(Folder):
    def test_typed_forms_of_one_value_draw_one_picture(self):
        for value, forms in (("5", ["5.", "5.0", "+5", ".5e1", "50e-1", "5E0", "0.5E+1"]),
                             ("-0.5", ["-.5", "-0.50", "-5e-1"])):
            expected = self.picture("--velocity-a", value)
            for form in forms:
                with self.subTest(form=form):
                    self.assertEqual(self.picture("--velocity-a", form), expected)

    def test_anything_else_is_not_a_number(self):
        out = self.path("p.svg")
        for option in ("--course-a", "--min-cpa"):
            for text in ("", " ", " 5", "5 ", "0x1p4", "0x10", "inf", "-inf", "nan", "infinity",
                         "5x", "1,5", ".", "-", "+", "e5", "1e", "1e+", "1.5.3", "5..", "--5", "1_0"):
                with self.subTest(option=option, text=text):
                    self.assert_refused(run([option, text, "-o", out]), "not a number")
                    self.assertFalse(os.listdir(self.folder))


class Output(Folder):
    def test_standard_output_in_each_format(self):
        for name, magic in MAGIC.items():
            with self.subTest(format=name):
                done = run(["-o", "-", "--format", name])
                self.assertEqual(done.returncode, 0, done.stderr)
                self.assertTrue(done.stdout.startswith(magic))
        self.assert_refused(run(["-o", "-"]), "--format")
        self.assert_refused(run(["-o", "-", "--format", "gif"]), "--format")

    def test_format_overrides_the_extension(self):
        self.assertEqual(run(["-o", self.path("p.svg"), "--format", "pdf"]).returncode, 0)
        with open(self.path("p.svg"), "rb") as f:
            self.assertTrue(f.read().startswith(MAGIC["pdf"]))

    def test_link_is_followed_and_permission_bits_kept(self):
        os.mkdir(self.path("real"))
        target = self.old_file("real/p.svg", 0o640)
        os.symlink("real/p.svg", self.path("link.svg"))
        plain = self.old_file("plain.svg", 0o604)
        for given in (self.path("link.svg"), plain):
            with self.subTest(output=given):
                self.assertEqual(run(["-o", given]).returncode, 0)
        self.assertEqual(os.readlink(self.path("link.svg")), "real/p.svg")
        for written, mode in ((target, 0o640), (plain, 0o604)):
            with open(written, "rb") as f:
                self.assertTrue(f.read().startswith(MAGIC["svg"]))
            self.assertEqual(stat.S_IMODE(os.stat(written).st_mode), mode)
        self.assertEqual(sorted(os.listdir(self.folder)), ["link.svg", "plain.svg", "real"])
        self.assertEqual(os.listdir(self.path("real")), ["p.svg"])

    def test_fifo_and_device_are_written_directly(self):
        fifo = self.path("pipe.svg")
        os.mkfifo(fifo)
        received = []

        def read_fifo():
            with open(fifo, "rb") as f:
                received.append(f.read())

        reader = threading.Thread(target=read_fifo)
        reader.start()
        done = run(["-o", fifo])
        reader.join()
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertEqual(received[0], self.picture())
        self.assertTrue(stat.S_ISFIFO(os.stat(fifo).st_mode))
        self.assertEqual(os.listdir(self.folder), ["pipe.svg"])
        self.assertEqual(run(["-o", "/dev/null", "--format", "png"]).returncode, 0)
        self.assert_refused(run(["-o", "/dev/full", "--format", "png"]), "No space left")

    def test_longest_legal_name(self):
        name = "p" * 251 + ".svg"
        self.assertEqual(run(["-o", self.path(name)]).returncode, 0)
        self.assertEqual(os.listdir(self.folder), [name])


class Failures(Folder):
    def test_file_size_limit_keeps_the_old_file(self):
        old = self.old_file("p.png")
        self.assert_refused(run(["-o", old], file_size=4096), "File too large")
        self.assertEqual(os.listdir(self.folder), ["p.png"])
        with open(old, "rb") as f:
            self.assertEqual(f.read(), OLD)

    def test_signal_while_writing_removes_the_temporary_file(self):
        # strace holds the call that gives the new file the old one's
        # permission bits for a second, long enough for the signal to find
        # the temporary file there.
        if shutil.which("strace") is None or subprocess.run(
                ["strace", "-o", "/dev/null", "true"], capture_output=True).returncode != 0:
            self.skipTest("strace cannot trace here")
        slow = ["strace", "-f", "-qq", "-o", "/dev/null", "-e", "trace=fchmod",
                "-e", "inject=fchmod:delay_enter=1s"]
        for signo in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
            with self.subTest(signal=signo.name):
                old = self.old_file("p.svg")
                proc = subprocess.Popen([*slow, BINARY, "-o", old], preexec_fn=child_setup)
                temporary = []
                while not temporary and proc.poll() is None:
                    temporary = [n for n in os.listdir(self.folder) if n != "p.svg"]
                os.kill(int(temporary[0].split("-")[-2]), signo)  # the name carries the pid
                self.assertEqual(proc.wait(timeout=30), -signo)
                self.assertEqual(os.listdir(self.folder), ["p.svg"])
                with open(old, "rb") as f:
                    self.assertEqual(f.read(), OLD)

    def test_lost_standard_output_or_error_is_not_success(self):
        with open("/dev/full", "wb") as full:
            cases = [
                ("help to a full disk", ["--help"], dict(stdout=full)),
                ("help to a closed output", ["--help"], dict(close_stdout=True)),
                ("picture to a full disk", ["-o", "-", "--format", "svg"], dict(stdout=full)),
                ("refusal to a full disk", ["--course-a", "x", "-o", "-"], dict(stderr=full)),
            ]
            for name, args, how in cases:
                with self.subTest(case=name):
                    self.assertNotEqual(run(args, **how).returncode, 0)


if __name__ == "__main__":
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    BINARY = sys.argv[1]
    # fontconfig holds its configuration until the process ends.
    os.environ["LSAN_OPTIONS"] = "suppressions=%s:print_suppressions=0" % sys.argv[3]
    unittest.main(argv=[sys.argv[0], "-v", sys.argv[2]])
