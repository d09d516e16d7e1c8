#pragma once
// The ends of the console: where typed bytes come from and where lines go.
// The real program reads file descriptors; tests and fuzzers supply strings.

#include <cstddef>
#include <string_view>

namespace console {

// A source of input bytes. `read` blocks until at least one byte is there and
// returns how many it placed in `buf`, or 0 at the end of input.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::size_t read(char* buf, std::size_t capacity) = 0;

    // True when a read would return at once: bytes are waiting or the input
    // has ended. The console shows its pending output before every read that
    // may wait, so a source that cannot tell answers false.
    virtual bool ready() { return false; }
};

// A sink of output bytes; whatever is written is delivered in order.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void write(std::string_view bytes) = 0;
};

// How a run ends when the console layer ends it: the orderly stop (exit
// status 0) or the run-time error report (abnormal end).
enum class Ending { Stop, ErrorReport };

// The one narrow place where a run ends. The real program exits or aborts;
// an in-process session throws, so that a test can observe the ending.
class RunEnder {
public:
    virtual ~RunEnder() = default;
    [[noreturn]] virtual void end(Ending how) = 0;
};

}  // namespace console
