#include "console/process_console.hpp"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <poll.h>
#include <unistd.h>

namespace console {

std::size_t FdSource::read(char* buf, std::size_t capacity) {
    for (;;) {
        ssize_t n = ::read(fd_, buf, capacity);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno != EINTR) return 0;  // an unreadable input is as good as ended
    }
}

bool FdSource::ready() {
    pollfd input{fd_, POLLIN, 0};
    return ::poll(&input, 1, 0) == 1;
}

namespace {

// Writes all bytes; gives up on an error other than EINTR (a closed pipe).
void write_all(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

[[noreturn]] void abort_without_trap_text() {
    std::signal(SIGABRT, SIG_DFL);
    std::abort();
}

// The console whose pending output a signal handler writes out.
const Console* g_console = nullptr;

template <std::size_t N>
void write_text(int fd, const char (&text)[N]) {
    write_all(fd, text, N - 1);
}

void flush_pending() {
    if (g_console != nullptr) write_all(1, g_console->pending_data(), g_console->pending_size());
}

// Each handler writes its line to standard error, flushes the pending output
// and ends the process; only async-signal-safe calls are used.
extern "C" void on_interrupt(int) {
    write_text(2, "Interrupt\n");
    flush_pending();
    _exit(1);
}

extern "C" void on_termination(int) {
    write_text(2, "Killed\n");
    flush_pending();
    _exit(1);
}

extern "C" void on_floating_point_exception(int) {
    write_text(2, "Floating Exception\n");
    flush_pending();
    abort_without_trap_text();
}

extern "C" void on_abort(int) {
    write_text(2, "IOT Trap\n");
    flush_pending();
    abort_without_trap_text();
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

void FdSink::write(std::string_view bytes) { write_all(fd_, bytes.data(), bytes.size()); }

void ProcessEnder::end(Ending how) {
    if (how == Ending::Stop) std::_Exit(0);
    abort_without_trap_text();
}

ProcessConsole::ProcessConsole() {
    g_console = &console_;
    if (!ignored_at_start(SIGINT)) install(SIGINT, on_interrupt);
    install(SIGTERM, on_termination);
    install(SIGFPE, on_floating_point_exception);
    install(SIGABRT, on_abort);
}

ProcessConsole::~ProcessConsole() { g_console = nullptr; }

}  // namespace console
