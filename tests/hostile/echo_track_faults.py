#!/usr/bin/env python3
"""Faults around the built echo-track: signals while standard output is slow
or stuck, standard output that cannot be written, and non-blocking standard
input and output. Whatever happens, what reaches standard output is an exact
prefix of what an undisturbed run writes, and lost output never ends in
exit status 0.

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


def exercises(count):
    """`count` default exercises (ten RETURNs and the pause each), then the stop."""
    return b"\n" * (11 * count) + b"\n" * 8 + b"0\n"


def child_setup(sigpipe=signal.SIG_DFL, close_stdout=False):
    # A background job inherits interrupts ignored, and the program keeps them
    # so: the interrupt is set to its default action for each child.
    signal.signal(signal.SIGINT, signal.SIG_DFL)
    signal.signal(signal.SIGPIPE, sigpipe)
    resource.setrlimit(resource.RLIMIT_CORE, (0, 0))
    if close_stdout:
        os.close(1)


def small_pipe(nonblocking_end=None):
    """A pipe of 4 KiB; one end may be made non-blocking (0 read, 1 write)."""
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
        cls.input.flush()
        cls.full = cls.run_to_files(stdout=subprocess.PIPE)[0]

    @classmethod
    def tearDownClass(cls):
        cls.input.close()

    @classmethod
    def run_to_files(cls, **popen):
        """Runs on the input file; returns standard output (if piped), standard
        error, the status and how far the input was read."""
        cls.input.seek(0)
        with tempfile.TemporaryFile() as err:
            proc = subprocess.run([BINARY], stdin=cls.input, stderr=err, timeout=60,
                                  **{"preexec_fn": child_setup, **popen})
            err.seek(0)
            return proc.stdout, err.read(), proc.returncode, os.lseek(cls.input.fileno(), 0, os.SEEK_CUR)

    def start(self, stdout):
        self.input.seek(0)
        self.err = tempfile.TemporaryFile()
        self.addCleanup(self.err.close)
        return subprocess.Popen([BINARY], stdin=self.input, stdout=stdout, stderr=self.err,
                                preexec_fn=child_setup)

    def stderr_of(self):
        self.err.seek(0)
        return self.err.read()

    def read_slowly(self, proc, read_end, signo=None, after=0.0):
        """Reads standard output 4 KiB at a time; sends `signo` once, `after`
        seconds after the first bytes."""
        shown = b""
        sent_at = None
        while True:
            block = os.read(read_end, PIPE_SIZE)
            if not block:
                break
            if not shown:
                start = time.monotonic()  # the handlers are in place once the banner is shown
            shown += block
            if signo is not None and sent_at is None and time.monotonic() - start >= after:
                proc.send_signal(signo)
                sent_at = time.monotonic()
            time.sleep(0.003)
        os.close(read_end)
        proc.wait(timeout=10)
        return shown

    def assert_prefix(self, shown):
        self.assertTrue(self.full.startswith(shown),
                        "not a prefix: differs at byte %d of %d" % (
                            next((i for i, (a, b) in enumerate(zip(shown, self.full)) if a != b),
                                 len(self.full)), len(shown)))


class SlowReader(Fixture):
    """A signal while standard output, a 4 KiB pipe, is read slowly."""

    def test_signal_leaves_an_exact_prefix(self):
        for signo, text in ((signal.SIGTERM, b"Killed\n"), (signal.SIGINT, b"Interrupt\n")):
            for after in (0.0, 0.05, 0.2):
                with self.subTest(signal=signo.name, after=after):
                    read_end, write_end = small_pipe()
                    proc = self.start(write_end)
                    os.close(write_end)
                    shown = self.read_slowly(proc, read_end, signo, after)
                    self.assertEqual(proc.returncode, 1)
                    self.assertEqual(self.stderr_of(), text)
                    self.assert_prefix(shown)
                    self.assertLess(len(shown), len(self.full))


class NobodyReading(Fixture):
    """A signal while standard output is a full pipe that nobody reads."""

    def test_ends_within_two_seconds(self):
        for signo, text in ((signal.SIGTERM, b"Killed\n"), (signal.SIGINT, b"Interrupt\n")):
            with self.subTest(signal=signo.name):
                read_end, write_end = small_pipe()
                proc = self.start(write_end)
                os.close(write_end)
                time.sleep(0.3)  # long enough to fill the pipe and block
                proc.send_signal(signo)
                sent = time.monotonic()
                try:
                    proc.wait(timeout=2)
                except subprocess.TimeoutExpired:
                    proc.kill()
                    proc.wait()
                    self.fail("still running 2 s after the signal")
                self.assertEqual(proc.returncode, 1)
                self.assertEqual(self.stderr_of(), text)
                with os.fdopen(read_end, "rb") as reader:
                    self.assert_prefix(reader.read())


class LostOutput(Fixture):
    """Standard output that cannot be written: status 1, the reason, an early stop."""
    COUNT = 20000  # some 220 KB of input, of which a stopped run reads one block

    def test_failed_write_stops_the_run(self):
        gone_read, gone_write = os.pipe()
        os.close(gone_read)
        full = open("/dev/full", "wb")
        cases = [
            ("full disk", errno.ENOSPC, dict(stdout=full)),
            ("closed", errno.EBADF, dict(preexec_fn=lambda: child_setup(close_stdout=True))),
            ("reader gone", errno.EPIPE,
             dict(stdout=gone_write, preexec_fn=lambda: child_setup(sigpipe=signal.SIG_IGN))),
        ]
        try:
            for name, error, popen in cases:
                with self.subTest(stdout=name):
                    _, err, status, read = self.run_to_files(**popen)
                    self.assertEqual(status, 1)
                    self.assertEqual(err, b"echo-track: cannot write standard output: "
                                     + os.strerror(error).encode() + b"\n")
                    self.assertLess(read, len(exercises(self.COUNT)) // 4)
        finally:
            full.close()
            os.close(gone_write)


class NonBlocking(Fixture):
    """Non-blocking standard input and output: waited for, never taken for an
    end or a failure."""
    COUNT = 200

    def test_nonblocking_output_read_slowly_is_whole(self):
        read_end, write_end = small_pipe(nonblocking_end=1)
        proc = self.start(write_end)
        os.close(write_end)
        shown = self.read_slowly(proc, read_end)
        self.assertEqual(proc.returncode, 0, self.stderr_of())
        self.assertEqual(shown, self.full)

    def test_nonblocking_input_fed_a_line_at_a_time(self):
        typed = exercises(2)
        expected = subprocess.run([BINARY], input=typed, capture_output=True, timeout=30,
                                  preexec_fn=child_setup).stdout
        read_end, write_end = small_pipe(nonblocking_end=0)
        with tempfile.TemporaryFile() as out:
            proc = subprocess.Popen([BINARY], stdin=read_end, stdout=out, stderr=subprocess.PIPE,
                                    preexec_fn=child_setup)
            os.close(read_end)
            for line in typed.splitlines(keepends=True):
                os.write(write_end, line)
                time.sleep(0.002)
            os.close(write_end)
            err = proc.communicate(timeout=30)[1]
            out.seek(0)
            shown = out.read()
        self.assertEqual(proc.returncode, 0, err)
        self.assertEqual(shown, expected)


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    BINARY = sys.argv[1]
    unittest.main(argv=[sys.argv[0], "-v", sys.argv[2]])
