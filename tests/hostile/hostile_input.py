#!/usr/bin/env python3
"""Hostile input at the built program: whatever arrives on standard input, the
program answers by its rules or ends with its run-time error report, never
with a crash, a hang, lost output or memory that grows with the input.

    hostile_input.py <echo-track binary> <TestClass> [--sanitized]

--sanitized: the binary carries AddressSanitizer, whose shadow memory makes
peak-memory figures meaningless; the memory bounds are then not checked
(everything else is).
"""

import os
import resource
import signal
import subprocess
import sys
import tempfile
import threading
import time
import unittest

BINARY = ""
SANITIZED = False

# Peak resident memory allowed while a gigabyte streams through the program:
# its input buffer is fixed, so the size of a line must not show at all.
PEAK_RSS_LIMIT_KB = 8 * 1024
GIGABYTE = 1 << 30

PROMPT_END = b" ]    Input=\n"
PAUSE_LINE = b" <Hit RETURN to continue...>\n"


def number_report(context):
    message = b"end of file" if context == b"list in" else b"incomprehensible list input"
    return (context + b": " + message + b"\n"
            b"apparent state: internal I/O\n"
            b"lately reading sequential formatted internal IO\n")


def end_of_file_report(context, layout):
    return (context + b": end of file\n"
            b"apparent state: unit 5 (unnamed)\n"
            b"last format: " + layout + b"\n"
            b"lately reading sequential formatted external IO\n")


def lines(*answers):
    return b"".join(a + b"\n" for a in answers)


def default_prompt(shown):
    """The prompt line that offers `shown` as its default (6 characters wide)."""
    return b"        [ Default: " + shown.rjust(6) + PROMPT_END


class Run:
    """One finished run of the program: what it showed, reported and how it ended."""

    def __init__(self, stdout, stderr, returncode, peak_rss_kb=None):
        self.stdout = stdout
        self.stderr = stderr
        self.returncode = returncode
        self.peak_rss_kb = peak_rss_kb

    @property
    def ending(self):
        if self.returncode < 0:
            return "signal " + signal.Signals(-self.returncode).name
        return "exit %d" % self.returncode


def _child_setup(interrupt=signal.SIG_DFL):
    # A shell without job control hands interrupts down ignored; the program
    # keeps an ignored interrupt ignored, so set the disposition explicitly.
    signal.signal(signal.SIGINT, interrupt)
    resource.setrlimit(resource.RLIMIT_CORE, (0, 0))


def run_program(typed, timeout=60):
    proc = subprocess.run([BINARY], input=typed, capture_output=True, timeout=timeout,
                          preexec_fn=_child_setup)
    return Run(proc.stdout, proc.stderr, proc.returncode)


def run_streamed(chunks, tail=b""):
    """Runs the program on a stream too big to hold (an iterable of chunks, then
    `tail`), and measures its peak resident memory.

    The measurement runs through GNU time: a child forked from this Python
    process would carry the interpreter's own peak into its figure, since the
    kernel keeps a peak across exec."""
    with tempfile.NamedTemporaryFile() as peak_file:
        proc = subprocess.Popen(["/usr/bin/time", "-q", "-f", "%M", "-o", peak_file.name, BINARY],
                                stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                stderr=subprocess.PIPE, preexec_fn=_child_setup)
        collected = {}

        def drain(name, stream):
            with stream:
                collected[name] = stream.read()

        readers = [threading.Thread(target=drain, args=(n, s))
                   for n, s in (("out", proc.stdout), ("err", proc.stderr))]
        for r in readers:
            r.start()
        try:
            for chunk in chunks:
                proc.stdin.write(chunk)
            proc.stdin.write(tail)
            proc.stdin.close()
        except BrokenPipeError:
            pass  # the program ended before reading everything, which its rules allow
        proc.wait()
        for r in readers:
            r.join()
        peak_kb = int(peak_file.read().split()[-1])
    # GNU time passes a signal death on as status 128 + signal number.
    status = proc.returncode
    returncode = -(status - 128) if status > 128 else status
    return Run(collected["out"], collected["err"], returncode, peak_kb)


def gigabyte_of(byte):
    block = byte * (1 << 20)
    return (block for _ in range(GIGABYTE // len(block)))


# --- a three-exercise session and its reads ---------------------------------
#
# Each typed line is met by one read of the program: a field read ("F", at a
# prompt) or a line wait ("W", at the pause or after a no-danger report).
# Exercise 1 takes the defaults, exercise 2 is a no-danger case (which waits
# twice), exercise 3 stops at the minimal CPA question.
E = b""
SESSION = [
    # exercise 1: RETURN everywhere, then the pause
    *[(E, "F")] * 10, (E, "W"),
    # exercise 2: B-2 on 030 instead of 350, minimal CPA 0.5: no danger
    (b"300", "F"), (b"5", "F"), (b"1300", "F"), (b"350", "F"), (b"3.7", "F"),
    (b"1306", "F"), (b"30", "F"), (b"2.5", "F"), (b"0.5", "F"), (b"0", "F"),
    (b"seen", "W"), (E, "W"),
    # exercise 3: stop at the minimal CPA question
    *[(E, "F")] * 8, (b"0", "F"),
]
SESSION_INPUT = lines(*(answer for answer, _ in SESSION))


class HugeLines(unittest.TestCase):
    """A gigabyte on one line: only its first 8 characters count, and memory
    stays flat."""

    def check_memory(self, run):
        if not SANITIZED:
            self.assertLess(run.peak_rss_kb, PEAK_RSS_LIMIT_KB,
                            "peak RSS %d KB for a 1 GB line" % run.peak_rss_kb)
        print("peak RSS with a 1 GB line: %d KB" % run.peak_rss_kb)

    def test_gigabyte_line_is_cut_to_its_field(self):
        # 77777777 is limited to 99999, solved as such, and comes back as the
        # next course default normalised by the solver.
        start = time.monotonic()
        run = run_streamed(gigabyte_of(b"7"), b"\n" + lines(*[E] * 9, E, *[E] * 8, b"0"))
        print("1 GB line streamed in %.1f s" % (time.monotonic() - start))
        self.assertEqual(run.ending, "exit 0", run.stderr)
        self.assertEqual(run.stderr, b"")
        self.assertIn(b" KA= 99999  VA=", run.stdout)
        self.assertIn(b" Input course A:\n" + default_prompt(b"279"), run.stdout)
        self.check_memory(run)

    def test_gigabyte_without_any_newline(self):
        # The field is taken, the end of input is met while the rest of the
        # line is skipped, and the next read ends the run.
        run = run_streamed(gigabyte_of(b"7"))
        self.assertEqual(run.ending, "signal SIGABRT")
        self.assertEqual(run.stderr, end_of_file_report(b"read start", b"(a)"))
        self.assertTrue(run.stdout.endswith(b" Velocity A\n" + default_prompt(b"5.0")))
        self.check_memory(run)

    def test_gigabyte_blank_line_keeps_the_default(self):
        run = run_streamed(gigabyte_of(b" "), b"\n" + lines(*[E] * 9, E, *[E] * 8, b"0"))
        self.assertEqual(run.ending, "exit 0", run.stderr)
        self.assertIn(b" Input course A:\n" + default_prompt(b"300"), run.stdout)
        self.check_memory(run)


class OddBytes(unittest.TestCase):
    """NUL bytes and bytes above 127 at every kind of prompt."""

    ODD = [b"\x00", b"\x80", b"\xff", b"\xc3\xa9", b"\x00\xff5"]

    def test_odd_byte_first_is_no_number(self):
        for prompt_index in (0, 1):  # a whole-number prompt (course), a decimal one (speed)
            for odd in self.ODD:
                with self.subTest(prompt=prompt_index, typed=odd):
                    run = run_program(lines(*[E] * prompt_index, odd))
                    self.assertEqual(run.ending, "signal SIGABRT")
                    self.assertEqual(run.stderr, number_report(b"invalid number"))
                    self.assertTrue(run.stdout.endswith(PROMPT_END))

    def test_odd_bytes_after_the_number_end_it(self):
        cases = [  # prompt index, typed, default shown in the next exercise
            (0, b"12\x00", b"12"), (0, b"12\xffjunk", b"12"), (0, b"7\xc3\xa9", b"7"),
            (1, b"7\x00\x00", b"7.0"), (1, b"2.5\x80", b"2.5"),
        ]
        questions = {0: b" Input course A:\n", 1: b" Velocity A\n"}
        for index, typed, shown in cases:
            with self.subTest(typed=typed):
                answers = [E] * 10
                answers[index] = typed
                run = run_program(lines(*answers, E, *[E] * 8, b"0"))
                self.assertEqual(run.ending, "exit 0", run.stderr)
                second = run.stdout.split(PAUSE_LINE, 1)[1]
                self.assertIn(questions[index] + default_prompt(shown), second)

    def test_odd_bytes_past_the_field_are_never_read(self):
        run = run_program(lines(b"        \x00\xff", *[E] * 9, E, *[E] * 8, b"0"))
        self.assertEqual(run.ending, "exit 0", run.stderr)

    def test_odd_bytes_at_the_pauses_are_ignored(self):
        odd = b"\x00\xff\x80 \xc3\xa9\x00"
        answers = [answer for answer, _ in SESSION]
        for position in (10, 21, 22):  # the pause, the no-danger wait, the pause after it
            answers_here = list(answers)
            answers_here[position] = odd
            with self.subTest(line=position):
                run = run_program(lines(*answers_here))
                self.assertEqual(run.ending, "exit 0", run.stderr)
                self.assertEqual(run.stdout, run_program(SESSION_INPUT).stdout)


class CarriageReturns(unittest.TestCase):
    """CR-LF line ends: the CR is one more typed character of the field."""

    def test_crlf_after_every_answer_reads_as_plain_lines(self):
        # Every answer here is a number, which ends at the CR; the waits ignore it.
        answers = [b"300", b"5", b"1300", b"350", b"3.7", b"1306", b"30", b"2.5", b"0.5", b"0",
                   b"", b"", b"200", *[b"1"] * 7, b"0"]
        plain = run_program(lines(*answers))
        crlf = run_program(lines(*(a + b"\r" for a in answers)))
        self.assertEqual(plain.ending, "exit 0")
        self.assertEqual(crlf.ending, "exit 0", crlf.stderr)
        self.assertEqual(crlf.stdout, plain.stdout)

    def test_crlf_empty_line_at_a_prompt_is_no_number(self):
        # A lone CR is not a blank: the field is not empty and holds no number.
        run = run_program(b"\r\n")
        self.assertEqual(run.ending, "signal SIGABRT")
        self.assertEqual(run.stderr, number_report(b"invalid number"))

    def test_cr_only_line_ends_give_one_long_line(self):
        # Without any LF the whole input is one line: its first 8 characters
        # ("300\r5\r13") read 300, then the end of input is met.
        run = run_program(b"300\r5\r1300\r350\r")
        self.assertEqual(run.ending, "signal SIGABRT")
        self.assertEqual(run.stderr, end_of_file_report(b"read start", b"(a)"))


class EndOfInput(unittest.TestCase):
    """The input cut at every byte of a three-exercise session."""

    def setUp(self):
        self.full = run_program(SESSION_INPUT)

    def test_whole_session_stops_in_order(self):
        self.assertEqual(self.full.ending, "exit 0", self.full.stderr)
        self.assertEqual(self.full.stderr, b"")
        self.assertIn(b"NO danger of collision", self.full.stdout)
        self.assertEqual(self.full.stdout.count(PAUSE_LINE), 2)

    def expected_failure(self, cut):
        """The read the cut input fails at, and the report it gives."""
        start = 0
        for index, (answer, kind) in enumerate(SESSION):
            end = start + len(answer) + 1
            if cut < end:
                break
            start = end
        # Every answer is shorter than a field, so a field read never completes.
        if kind == "F":
            return index, end_of_file_report(b"fmt", b"(a)")
        # A line wait meets the end quietly; the read after it reports.
        failing = index + 1
        layout = b"(a)" if SESSION[failing][1] == "F" else b"list io"
        return failing, end_of_file_report(b"read start", layout)

    def test_every_cut_gives_its_report_after_all_output(self):
        for cut in range(len(SESSION_INPUT)):
            failing, report = self.expected_failure(cut)
            with self.subTest(cut=cut, read=failing):
                run = run_program(SESSION_INPUT[:cut])
                self.assertEqual(run.ending, "signal SIGABRT")
                self.assertEqual(run.stderr, report)
                # Nothing shown is lost and nothing is shown past the failing read.
                self.assertTrue(self.full.stdout.startswith(run.stdout))
                prompts = sum(1 for _, kind in SESSION[:failing + 1] if kind == "F")
                self.assertEqual(run.stdout.count(PROMPT_END), prompts)
                if SESSION[failing][1] == "F":
                    self.assertTrue(run.stdout.endswith(PROMPT_END))
                else:
                    self.assertTrue(run.stdout.endswith(PAUSE_LINE))

    def test_last_line_of_a_full_field_without_newline_is_still_read(self):
        # "0       x" fills the field: the run stops at the CPA question with
        # no report, although the end of input was met.
        run = run_program(SESSION_INPUT[:-2] + b"0       x")
        self.assertEqual(run.ending, "exit 0")
        self.assertEqual(run.stderr, b"")
        self.assertEqual(run.stdout, self.full.stdout)

    def test_empty_input(self):
        run = run_program(b"")
        self.assertEqual(run.ending, "signal SIGABRT")
        self.assertEqual(run.stderr, end_of_file_report(b"fmt", b"(a)"))
        self.assertTrue(run.stdout.endswith(b" Input course A:\n" + default_prompt(b"300")))

    def test_input_that_cannot_be_read_counts_as_ended(self):
        # A directory as standard input (every read fails) and no standard
        # input at all: the first prompt meets the end of the input.
        directory = os.open("/", os.O_RDONLY)
        try:
            for name, stdin, close_stdin in (("directory", directory, False), ("closed", None, True)):
                with self.subTest(stdin=name):
                    def setup():
                        _child_setup()
                        if close_stdin:
                            os.close(0)
                    proc = subprocess.run([BINARY], stdin=stdin, capture_output=True, timeout=60,
                                          preexec_fn=setup)
                    run = Run(proc.stdout, proc.stderr, proc.returncode)
                    self.assertEqual(run.ending, "signal SIGABRT")
                    self.assertEqual(run.stderr, end_of_file_report(b"fmt", b"(a)"))
        finally:
            os.close(directory)


class UnreadableText(unittest.TestCase):
    """Text that is no number, at every prompt of an exercise."""

    TEXTS = [
        (b"abc", b"invalid number"), (b"-", b"invalid number"), (b".", b"invalid number"),
        (b"+x", b"invalid number"), (b"\t", b"list in"), (b" \t ", b"list in"),
        (b"1e", b"exponent field"), (b"1e+", b"exponent field"), (b"5-", b"exponent field"),
        (b"*5", b"bad repetition count"), (b"0*5", b"bad repetition count"),
        (b"-2*5", b"bad repetition count"),
    ]
    PROMPTS = 10  # course, speed, B-1 time, bearing, distance, B-2 ..., CPA, delay

    def test_each_text_at_each_prompt(self):
        for prompt in range(self.PROMPTS):
            for text, context in self.TEXTS:
                with self.subTest(prompt=prompt, text=text):
                    run = run_program(lines(*[E] * prompt, text, *[E] * 30))
                    self.assertEqual(run.ending, "signal SIGABRT")
                    self.assertEqual(run.stderr, number_report(context))
                    self.assertEqual(run.stdout.count(PROMPT_END), prompt + 1)
                    self.assertTrue(run.stdout.endswith(PROMPT_END))

    def test_text_in_a_later_exercise(self):
        run = run_program(SESSION_INPUT.replace(b"\n0.5\n", b"\nx.5\n"))
        self.assertEqual(run.stderr, number_report(b"invalid number"))


class Signals(unittest.TestCase):
    """The four signals sent while the program waits for a line."""

    SIGNALS = [
        (signal.SIGINT, b"Interrupt\n", "exit 1"),
        (signal.SIGTERM, b"Killed\n", "exit 1"),
        (signal.SIGFPE, b"Floating Exception\n", "signal SIGABRT"),
        (signal.SIGABRT, b"IOT Trap\n", "signal SIGABRT"),
    ]

    def start(self, interrupt=signal.SIG_DFL):
        return subprocess.Popen([BINARY], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                stderr=subprocess.PIPE,
                                preexec_fn=lambda: _child_setup(interrupt))

    @staticmethod
    def read_until(proc, tail, shown=b""):
        """What the program shows, up to and including `tail`; the program is
        then waiting, since it shows each prompt before it reads."""
        while not shown.endswith(tail):
            byte = proc.stdout.read(1)
            if not byte:
                raise AssertionError("output ended before %r: %r" % (tail, shown[-200:]))
            shown += byte
        return shown

    def check_signal_while_waiting(self, typed_first, wait_tail):
        for signo, text, ending in self.SIGNALS:
            with self.subTest(signal=signo.name):
                proc = self.start()
                proc.stdin.write(typed_first)
                proc.stdin.flush()
                shown = self.read_until(proc, wait_tail)
                time.sleep(0.1)  # into the read itself
                proc.send_signal(signo)
                rest, err = proc.communicate(timeout=30)
                run = Run(shown + rest, err, proc.returncode)
                self.assertEqual(run.stderr, text)
                self.assertEqual(run.ending, ending)
                self.assertEqual(rest, b"")  # nothing shown after the signal

    def test_signals_at_a_prompt(self):
        self.check_signal_while_waiting(b"", b" Input course A:\n" + default_prompt(b"300"))

    def test_signals_at_the_pause(self):
        self.check_signal_while_waiting(lines(*[E] * 10), PAUSE_LINE)

    def test_signals_after_part_of_a_line(self):
        # Half a line typed: the program is inside the field read.
        self.check_signal_while_waiting(b"12", default_prompt(b"300"))

    def test_ignored_interrupt_stays_ignored(self):
        proc = self.start(interrupt=signal.SIG_IGN)
        self.read_until(proc, default_prompt(b"300"))
        proc.send_signal(signal.SIGINT)
        time.sleep(0.1)
        self.assertIsNone(proc.poll())
        rest, err = proc.communicate(lines(*[E] * 10, E, *[E] * 8, b"0"), timeout=30)
        self.assertEqual(err, b"")
        self.assertEqual(proc.returncode, 0)


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    BINARY = sys.argv[1]
    SANITIZED = "--sanitized" in sys.argv[3:]
    unittest.main(argv=[sys.argv[0], "-v", sys.argv[2]])
