#pragma once
// The console layer wired to the process: standard input, output and error as
// file descriptors, the ends of a run as exit or abort, and the signal texts.

#include <string_view>

#include "console/byte_stream.hpp"
#include "console/console.hpp"

namespace console {

// The line that the ending by a signal writes to standard error: "Interrupt"
// for SIGINT, "Killed" for SIGTERM, "Floating Exception" for SIGFPE and
// "IOT Trap" for any other, each with its line end. The browser edition ends
// an interrupted run with the same line.
std::string_view signal_line(int signo);

// Reads a file descriptor in blocks; retries on EINTR and waits with poll when
// a non-blocking descriptor has nothing yet; any other read error counts as
// the end of input. Ready when a poll without waiting finds input, its end or
// an error there.
class FdSource final : public ByteSource {
public:
    explicit FdSource(int fd) : fd_(fd) {}
    std::size_t read(char* buf, std::size_t capacity) override;
    bool ready() override;

private:
    int fd_;
};

// Writes everything to a file descriptor, retrying short writes and EINTR and
// waiting with poll while a non-blocking descriptor is full. The first failed
// write is kept as `error()` (an errno value); every later write is dropped.
class FdSink final : public ByteSink {
public:
    explicit FdSink(int fd) : fd_(fd) {}
    void write(std::string_view bytes) override;
    int error() const { return error_; }

private:
    int fd_;
    int error_ = 0;
};

// Standard output of the program, whose output is never silently lost: the
// first failed write ends the run with "echo-track: cannot write standard
// output: " and the reason on standard error, exit status 1. A signal that
// arrives during a write ends the run as its handler would, after giving
// what is left of the write as far as standard output takes it within a
// deadline; what reaches standard output is always a prefix of the run's.
class StandardOutput final : public ByteSink {
public:
    void write(std::string_view bytes) override;
};

// Stop: exit status 0. Error report: the default action for SIGABRT restored,
// then abort, so that no "IOT Trap" follows the report.
class ProcessEnder final : public RunEnder {
public:
    [[noreturn]] void end(Ending how) override;
};

// The console of the running process over fds 0, 1 and 2, with the signal
// handlers installed: interrupt "Interrupt" and termination "Killed" end with
// status 1; floating-point exception "Floating Exception" and abort "IOT Trap"
// flush and end abnormally. An interrupt ignored at start stays ignored.
class ProcessConsole {
public:
    ProcessConsole();
    ~ProcessConsole();
    ProcessConsole(const ProcessConsole&) = delete;
    ProcessConsole& operator=(const ProcessConsole&) = delete;
    Console& console() { return console_; }

private:
    FdSource in_{0};
    StandardOutput out_;
    FdSink err_{2};
    ProcessEnder ender_;
    Console console_{in_, out_, err_, ender_};
};

}  // namespace console
