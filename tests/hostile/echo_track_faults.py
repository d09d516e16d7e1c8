#!/usr/bin/env python3
"""Faults around the built echo-track: signals while standard output is slow
or stuck, standard output that cannot be written, and non-blocking standard
input and output. What reaches standard output is always an exact prefix of
an undisturbed run's output, and lost output never ends in exit status 0.

    echo_track_faults.py <echo-track binary> <TestClass>
"""

import errno
import fcntl
import os
import resource
import signal
import subprocess
import sys
import tempfile
import time
import unittest

BINARY = ""
PIPE_SIZE = 4096
SIGNALS = ((signal.SIGTERM, b"Killed\n"), (signal.SIGINT, b"Interrupt\n"))


def exercises(count):
    """`count` default exercises (ten RETURNs and the pause each), then the stop."""
    return b"\n" * (11 * count) + b"\n" * 8 + b"0\n"


def child_setup(sigpipe=signal.SIG_DFL, close_stdout=False):
    # A background job inherits interrupts ignored, and the program keeps them
    # so: each child starts with the interrupt at its default action.
    signal.signal(signal.SIGINT, signal.SIG_DFL)
    signal.signal(signal.SIGPIPE, sigpipe)
    resource.setrlimit(resource.RLIMIT_CORE, (0, 0))
    if close_stdout:
        os.close(1)


def small_pipe(nonblocking_end=None):
    """A 4 KiB pipe; one end (0 read, 1 write) may be made non-blocking."""
    ends = os.pipe()
    fcntl.fcntl(ends[1], fcntl.F_SETPIPE_SZ, PIPE_SIZE)
    if nonblocking_end is not None:
        os.set_blocking(ends[nonblocking_end], False)
    return ends


class Fixture(unittest.TestCase):
    COUNT = 1000

    @classmethod
    def setUpClass(cls):
        cls.input = tempfile.TemporaryFile()
        cls.input.write(exercises(cls.COUNT))
        cls.full = cls.run_on_input(stdout=subprocess.PIPE).stdout

    @classmethod
    def tearDownClass(cls):
        cls.input.close()

    @classmethod
    def run_on_input(cls, **popen):
        cls.input.seek(0)
        return subprocess.run([BINARY], stdin=cls.input, stderr=subprocess.PIPE, timeout=60,
                              **{"preexec_fn": child_setup, **popen})

    def start_into_pipe(self, nonblocking_end=None):
        """Starts on the input with standard output a 4 KiB pipe; returns the
        process and the pipe's read end."""
        read_end, write_end = small_pipe(nonblocking_end)
        self.input.seek(0)
        proc = subprocess.Popen([BINARY], stdin=self.input, stdout=write_end, stderr=subprocess.PIPE,
                                preexec_fn=child_setup)
        os.close(write_end)
        return proc, read_end

    def read_slowly(self, proc, read_end, signo=None, after=0.0):
        """Reads 4 KiB at a time; sends `signo` `after` seconds after the first
        bytes (the handlers are in place once the banner is shown)."""
        shown = b""
        while block := os.read(read_end, PIPE_SIZE):
            start = start if shown else time.monotonic()
            shown += block
            if signo is not None and time.monotonic() - start >= after:
                proc.send_signal(signo)
                signo = None
            time.sleep(0.003)
        os.close(read_end)
        proc.wait(timeout=10)
        return shown

    def assert_prefix(self, shown):
        self.assertEqual(shown, self.full[:len(shown)], "not a prefix")


class SlowReader(Fixture):
    def test_signal_leaves_an_exact_prefix(self):
        for signo, text in SIGNALS:
            for after in (0.0, 0.05, 0.2):
                with self.subTest(signal=signo.name, after=after):
                    proc, read_end = self.start_into_pipe()
                    shown = self.read_slowly(proc, read_end, signo, after)
                    self.assertEqual((proc.returncode, proc.stderr.read()), (1, text))
                    self.assertLess(len(shown), len(self.full))
                    self.assert_prefix(shown)


class NobodyReading(Fixture):
    def test_ends_within_two_seconds(self):
        for signo, text in SIGNALS:
            with self.subTest(signal=signo.name):
                proc, read_end = self.start_into_pipe()
                time.sleep(0.3)  # long enough to fill the pipe and block
                proc.send_signal(signo)
                try:
                    proc.wait(timeout=2)
                except subprocess.TimeoutExpired:
                    proc.kill()
                    self.fail("still running 2 s after the signal")
                self.assertEqual((proc.returncode, proc.stderr.read()), (1, text))
                with os.fdopen(read_end, "rb") as reader:
                    self.assert_prefix(reader.read())


class LostOutput(Fixture):
    COUNT = 20000  # some 220 KB of input, of which a stopped run reads one block

    def test_failed_write_stops_the_run(self):
        gone_read, gone_write = os.pipe()
        os.close(gone_read)
        with open("/dev/full", "wb") as full:
            for name, error, popen in (
                    ("full disk", errno.ENOSPC, dict(stdout=full)),
                    ("closed", errno.EBADF, dict(preexec_fn=lambda: child_setup(close_stdout=True))),
                    ("reader gone", errno.EPIPE,
                     dict(stdout=gone_write, preexec_fn=lambda: child_setup(sigpipe=signal.SIG_IGN)))):
                with self.subTest(stdout=name):
                    done = self.run_on_input(**popen)
                    self.assertEqual(done.returncode, 1)
                    self.assertEqual(done.stderr, b"echo-track: cannot write standard output: "
                                     + os.strerror(error).encode() + b"\n")
                    read = os.lseek(self.input.fileno(), 0, os.SEEK_CUR)
                    self.assertLess(read, len(exercises(self.COUNT)) // 4)
        os.close(gone_write)

    def test_usage_and_version_that_cannot_be_written_fail(self):
        with open("/dev/full", "wb") as full:
            for argument in ("--help", "--version"):
                with self.subTest(argument=argument):
                    done = subprocess.run([BINARY, argument], stdout=full, stderr=subprocess.PIPE, timeout=10,
                                          preexec_fn=child_setup)
                    self.assertEqual(done.returncode, 1)
                    self.assertEqual(done.stderr, b"echo-track: cannot write standard output: "
                                     + os.strerror(errno.ENOSPC).encode() + b"\n")


class NonBlocking(Fixture):
    COUNT = 200

    def test_output_read_slowly_is_whole(self):
        proc, read_end = self.start_into_pipe(nonblocking_end=1)
        self.assertEqual(self.read_slowly(proc, read_end), self.full)
        self.assertEqual(proc.returncode, 0)

    def test_input_fed_a_line_at_a_time(self):
        typed = exercises(2)
        expected = subprocess.run([BINARY], input=typed, capture_output=True, preexec_fn=child_setup)
        read_end, write_end = small_pipe(nonblocking_end=0)
        proc = subprocess.Popen([BINARY], stdin=read_end, stdout=subprocess.PIPE, preexec_fn=child_setup)
        os.close(read_end)
        for line in typed.splitlines(keepends=True):
            os.write(write_end, line)
            time.sleep(0.002)
        os.close(write_end)
        self.assertEqual(proc.communicate(timeout=30)[0], expected.stdout)
        self.assertEqual(proc.returncode, 0)


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    BINARY = sys.argv[1]
    unittest.main(argv=[sys.argv[0], "-v", sys.argv[2]])
