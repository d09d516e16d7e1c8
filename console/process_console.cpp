#include "console/process_console.hpp"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <poll.h>
#include <string>
#include <sys/time.h>
#include <unistd.h>

namespace console {

namespace {

// How long a run ended by a signal goes on giving its pending output to a
// reader that is slow or gone.
constexpr long kEndingDeadlineMs = 800;
// While the run ends, a timer interrupts any system call blocked this long.
constexpr long kTickUs = 20'000;

void wait_for(int fd, short events) {
    pollfd ready{fd, events, 0};
    ::poll(&ready, 1, -1);  // an interruption or error shows at the next read or write
}

bool would_block(int error) { return error == EAGAIN || error == EWOULDBLOCK; }

// Writes all bytes; returns 0, or the errno of the write that failed.
int write_all(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n >= 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
        } else if (would_block(errno)) {
            wait_for(fd, POLLOUT);
        } else if (errno != EINTR) {
            return errno;
        }
    }
    return 0;
}

// ---- the signal ending -------------------------------------------------------
//
// A handler that finds the main path outside standard output's write loop ends
// the run itself. Inside the loop it only records the signal: the interrupted
// write returns (no SA_RESTART), and the loop ends the run with exactly the
// bytes it had not yet written, so nothing is written twice.

const Console* g_console = nullptr;           // whose pending output the ending gives
volatile sig_atomic_t g_writing = 0;          // the main path is in standard output's write loop
volatile sig_atomic_t g_caught = 0;           // a signal recorded there, 0 for none
volatile sig_atomic_t g_ending = 0;           // the run is ending; later signals wait for it

extern "C" void on_tick(int) {}

// From here on no system call blocks longer than a tick: the timer's signal
// interrupts it, and the caller looks at its deadline again.
void start_ticking() {
    struct sigaction action {};
    action.sa_handler = on_tick;
    sigemptyset(&action.sa_mask);
    sigaction(SIGALRM, &action, nullptr);
    itimerval tick{{0, kTickUs}, {0, kTickUs}};
    setitimer(ITIMER_REAL, &tick, nullptr);
}

long now_ms() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000L + now.tv_nsec / 1'000'000L;
}

// Gives bytes to `fd` only while it takes them, until the deadline. A block of
// at most PIPE_BUF bytes fits a pipe that poll calls writable.
void give_until(int fd, std::string_view bytes, long deadline_ms) {
    while (!bytes.empty()) {
        const long left = deadline_ms - now_ms();
        if (left <= 0) return;
        pollfd ready{fd, POLLOUT, 0};
        const int polled = ::poll(&ready, 1, static_cast<int>(left));
        if (polled < 0 && errno == EINTR) continue;
        if (polled <= 0) return;
        const ssize_t n = ::write(fd, bytes.data(), std::min<std::size_t>(bytes.size(), PIPE_BUF));
        if (n >= 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
        } else if (errno != EINTR && !would_block(errno)) {
            return;
        }
    }
}

[[noreturn]] void abort_without_trap_text() {
    std::signal(SIGABRT, SIG_DFL);
    std::abort();
}


// Writes the signal's line to standard error, then `unwritten` to standard
// output, and ends the process; only async-signal-safe calls are used.
[[noreturn]] void end_by_signal(int signo, std::string_view unwritten) {
    g_ending = 1;
    start_ticking();
    const long deadline = now_ms() + kEndingDeadlineMs;
    give_until(2, signal_line(signo), deadline);
    give_until(1, unwritten, deadline);
    if (signo == SIGINT || signo == SIGTERM) _exit(1);
    abort_without_trap_text();
}

extern "C" void on_signal(int signo) {
    if (g_ending) return;
    const int saved_errno = errno;
    if (g_writing) {
        g_caught = signo;
        start_ticking();  // in case the write loop is just entering a write that would block
        errno = saved_errno;
        return;
    }
    std::string_view pending;
    if (g_console != nullptr) pending = std::string_view(g_console->pending_data(), g_console->pending_size());
    end_by_signal(signo, pending);
}

[[noreturn]] void end_for_lost_output(int error) {
    std::string message = "echo-track: cannot write standard output: ";
    message.append(std::strerror(error)).append("\n");
    write_all(2, message);  // if standard error fails too, the status still tells
    _exit(1);
}

void install(int signo, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    sigaction(signo, &action, nullptr);
}

bool ignored_at_start(int signo) {
    struct sigaction current {};
    return sigaction(signo, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
}

}  // namespace

std::string_view signal_line(int signo) {
    switch (signo) {
        case SIGINT: return "Interrupt\n";
        case SIGTERM: return "Killed\n";
        case SIGFPE: return "Floating Exception\n";
        default: return "IOT Trap\n";
    }
}

std::size_t FdSource::read(char* buf, std::size_t capacity) {
    for (;;) {
        const ssize_t n = ::read(fd_, buf, capacity);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (would_block(errno)) {
            wait_for(fd_, POLLIN);
        } else if (errno != EINTR) {
            return 0;  // an unreadable input is as good as ended
        }
    }
}

bool FdSource::ready() {
    pollfd input{fd_, POLLIN, 0};
    return ::poll(&input, 1, 0) == 1;
}

void FdSink::write(std::string_view bytes) {
    if (error_ == 0) error_ = write_all(fd_, bytes);
}

void StandardOutput::write(std::string_view bytes) {
    g_writing = 1;
    while (!bytes.empty()) {
        if (g_caught != 0) end_by_signal(g_caught, bytes);
        const ssize_t n = ::write(1, bytes.data(), bytes.size());
        if (n >= 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
        } else if (would_block(errno)) {
            wait_for(1, POLLOUT);
        } else if (errno != EINTR) {
            g_writing = 0;
            end_for_lost_output(errno);
        }
    }
    g_writing = 0;
    if (g_caught != 0) end_by_signal(g_caught, {});
}

void ProcessEnder::end(Ending how) {
    if (how == Ending::Stop) std::_Exit(0);
    abort_without_trap_text();
}

ProcessConsole::ProcessConsole() {
    g_console = &console_;
    if (!ignored_at_start(SIGINT)) install(SIGINT, on_signal);
    install(SIGTERM, on_signal);
    install(SIGFPE, on_signal);
    install(SIGABRT, on_signal);
}

ProcessConsole::~ProcessConsole() { g_console = nullptr; }

}  // namespace console
