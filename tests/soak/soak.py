#!/usr/bin/env python3
"""Soak: one process answers a long run of exercises from a pipe.

    soak.py <echo-track binary> [EXERCISES] [--sanitized]

EXERCISES (default 1000000) is rounded up to 1 + a multiple of 3. The input
is one exercise of the cycle's last kind, then a cycle of three exercises
typed in full (turn to either side; no danger, which waits twice; ship B
already too close) over and over, and at last a minimal CPA of 0. The run must
end with exit status 0 and show exactly what a thousand-exercise run shows,
with its repeating part repeated: nothing drifts, nothing is lost. Its peak
memory must be that of the thousand-exercise run (checked only without
--sanitized, whose shadow memory swamps the figure).

The whole output (about 3 kB an exercise) is compared as it streams and is
never stored.
"""

import subprocess
import sys
import tempfile
import threading
import time

PAUSE_LINE = b" <Hit RETURN to continue...>\n"
REFERENCE_EXERCISES = 1000
# Peak memory may differ between two runs by a few pages of the C library's
# own bookkeeping, but not by anything that grows with the number of exercises.
PEAK_TOLERANCE_KB = 512


def lines(*answers):
    return b"".join(a + b"\n" for a in answers)


BOTH_SIDES = lines(b"45", b"12", b"0800", b"45", b"6", b"0812", b"44", b"4.5", b"1", b"6", b"")
NO_DANGER = lines(b"300", b"5", b"1300", b"350", b"3.7", b"1306", b"30", b"2.5", b"0.5", b"0", b"seen", b"")
TOO_CLOSE = lines(b"45", b"12", b"0800", b"45", b"6", b"0812", b"44", b"2.5", b"3", b"6", b"")
CYCLE = BOTH_SIDES + NO_DANGER + TOO_CLOSE
# The first exercise equals the cycle's last, so every cycle starts from the same defaults.
FIRST = TOO_CLOSE
STOP = lines(*[b""] * 8, b"0")


def cycles_for(exercises):
    return max(1, -(-(exercises - 1) // 3))


def feed(stdin, cycles):
    block = CYCLE * 1000
    try:
        stdin.write(FIRST)
        whole, rest = divmod(cycles, 1000)
        for _ in range(whole):
            stdin.write(block)
        stdin.write(CYCLE * rest)
        stdin.write(STOP)
        stdin.close()
    except BrokenPipeError:
        pass  # shows up as a wrong ending or output


def run(binary, cycles, consume):
    """Runs the program on `cycles` cycles; `consume(chunk)` sees its output
    as it comes. Returns (status, stderr, peak RSS in KB, seconds)."""
    with tempfile.NamedTemporaryFile() as peak_file:
        # Through GNU time: a child forked from Python would carry the
        # interpreter's peak memory into its own figure.
        proc = subprocess.Popen(["/usr/bin/time", "-q", "-f", "%M", "-o", peak_file.name, binary],
                                stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        errors = []
        threads = [threading.Thread(target=feed, args=(proc.stdin, cycles)),
                   threading.Thread(target=lambda: errors.append(proc.stderr.read()))]
        start = time.monotonic()
        for t in threads:
            t.start()
        while True:
            chunk = proc.stdout.read(1 << 20)
            if not chunk:
                break
            consume(chunk)
        proc.wait()
        for t in threads:
            t.join()
        seconds = time.monotonic() - start
        peak_kb = int(peak_file.read().split()[-1])
    return proc.returncode, errors[0], peak_kb, seconds


def whole_output(binary, cycles):
    parts = []
    status, err, peak, seconds = run(binary, cycles, parts.append)
    return b"".join(parts), status, err, peak, seconds


class StreamCheck:
    """Compares streamed output with head + unit * count + tail, without
    building the expectation."""

    def __init__(self, head, unit, count, tail):
        self.head, self.unit, self.count, self.tail = head, unit, count, tail
        self.total = len(head) + len(unit) * count + len(tail)
        # The unit repeated past a read's size, so that any window is one slice.
        self.units = unit * (2 + (1 << 20) // len(unit))
        self.pos = 0
        self.mismatch = None

    def expected(self, start, size):
        out = []
        end = min(start + size, self.total)
        pos = start
        body_end = len(self.head) + len(self.unit) * self.count
        while pos < end:
            if pos < len(self.head):
                piece = self.head[pos:min(end, len(self.head))]
            elif pos < body_end:
                offset = (pos - len(self.head)) % len(self.unit)
                piece = self.units[offset:offset + min(end, body_end) - pos]
            else:
                piece = self.tail[pos - body_end:end - body_end]
            out.append(piece)
            pos += len(piece)
        return b"".join(out)

    def __call__(self, chunk):
        if self.mismatch is None and chunk != self.expected(self.pos, len(chunk)):
            want = self.expected(self.pos, len(chunk))
            at = next((i for i, (a, b) in enumerate(zip(chunk, want)) if a != b), min(len(chunk), len(want)))
            self.mismatch = self.pos + at
        self.pos += len(chunk)

    def verdict(self):
        if self.mismatch is not None:
            return "output differs at byte %d" % self.mismatch
        if self.pos != self.total:
            return "output is %d bytes, expected %d" % (self.pos, self.total)
        return None


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    if not args:
        sys.exit(__doc__)
    sanitized = "--sanitized" in sys.argv[1:]
    binary = args[0]
    cycles = cycles_for(int(args[1]) if len(args) > 1 else 1_000_000)
    reference_cycles = cycles_for(REFERENCE_EXERCISES)
    failures = []

    # The repeating unit: what one more cycle adds, starting after the first pause.
    one, _, _, _, _ = whole_output(binary, 1)
    two, _, _, _, _ = whole_output(binary, 2)
    head = one[:one.index(PAUSE_LINE) + len(PAUSE_LINE)]
    unit = two[len(head):len(head) + len(two) - len(one)]
    tail = one[len(head) + len(unit):]

    reference, status, err, reference_peak, _ = whole_output(binary, reference_cycles)
    if status != 0 or err:
        failures.append("reference run ended with %d: %r" % (status, err[-300:]))
    if reference != head + unit * reference_cycles + tail:
        failures.append("the %d-exercise run does not repeat its cycle" % (1 + 3 * reference_cycles))

    check = StreamCheck(head, unit, cycles, tail)
    status, err, peak, seconds = run(binary, cycles, check)
    exercises = 1 + 3 * cycles
    print("soak: %d exercises in %.1f s (%.0f a second), %d bytes shown, peak RSS %d KB "
          "(%d KB for %d exercises)" % (exercises, seconds, exercises / seconds, check.pos, peak,
                                        reference_peak, 1 + 3 * reference_cycles))
    if status != 0 or err:
        failures.append("soak run ended with status %d: %r" % (status, err[-300:]))
    if check.verdict():
        failures.append(check.verdict())
    if not sanitized and peak > reference_peak + PEAK_TOLERANCE_KB:
        failures.append("memory grew: peak %d KB against %d KB" % (peak, reference_peak))

    for f in failures:
        print("FAILED: " + f)
    print("%d passed, %d failed" % (1 if not failures else 0, 1 if failures else 0))
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
