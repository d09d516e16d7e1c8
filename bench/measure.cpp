// Runs programs side by side on piped input and reports what each run cost:
// wall time, CPU time (user + system) and peak resident memory of the child.
//
//   bench_measure <rounds> <program> <input file> [<program> <input file> ...]
//
// Each round runs every program once, in the order given, so that a drift of
// the machine's load touches all of them alike. A program is started with no
// arguments; its input file is fed to it through a pipe and its output is
// read from a pipe and thrown away, as in a scripted batch run. Standard
// error stays the bench's own.
//
// Standard output, for program number n (1, 2, ... in the order given):
//   n wall_us <median>      n cpu_us <median>      n rss_kb <largest>
//   n out_bytes <of the last run>      n status <0 when every run exited with 0>

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <string>
#include <vector>

#include "bench/command_line.hpp"
#include "console/console.hpp"
#include "console/number_reader.hpp"
#include "console/process_console.hpp"
#include "console/string_streams.hpp"

namespace {

struct Run {
    long long wall_us = 0;
    long long cpu_us = 0;
    long long rss_kb = 0;
    long long out_bytes = 0;
    int status = 0;  // 0 for exit status 0, else the raw wait status (or -1)
};

long long now_us() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000000 + t.tv_nsec / 1000;
}

long long microseconds(const timeval& t) { return static_cast<long long>(t.tv_sec) * 1000000 + t.tv_usec; }

// Starts `program` with its standard input and output on the given pipe ends.
pid_t start(const std::string& program, int in_fd, int out_fd) {
    pid_t pid = fork();
    if (pid != 0) return pid;
    std::signal(SIGPIPE, SIG_DFL);  // the bench ignores it; the program must not inherit that
    dup2(in_fd, 0);
    dup2(out_fd, 1);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    execvp(argv[0], argv);
    _exit(127);
}

// One run: feeds the file through a pipe while draining the output pipe,
// then collects the child's resource use.
Run run_once(const std::string& program, const std::string& input_file) {
    Run run;
    int to_child[2];
    int from_child[2];
    int file = open(input_file.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0 || pipe2(to_child, O_CLOEXEC) != 0 || pipe2(from_child, O_CLOEXEC) != 0) {
        run.status = -1;
        return run;
    }
    const long long begin = now_us();
    const pid_t pid = start(program, to_child[0], from_child[1]);
    close(to_child[0]);
    close(from_child[1]);
    fcntl(to_child[1], F_SETFL, O_NONBLOCK);

    std::vector<char> feed(1 << 16);
    std::size_t feed_pos = 0;
    std::size_t feed_len = 0;
    std::vector<char> drain(1 << 16);
    int in_fd = to_child[1];
    int out_fd = from_child[0];
    while (out_fd >= 0) {
        if (in_fd >= 0 && feed_pos == feed_len) {
            ssize_t n = read(file, feed.data(), feed.size());
            feed_pos = 0;
            feed_len = n > 0 ? static_cast<std::size_t>(n) : 0;
            if (n <= 0) {
                close(in_fd);
                in_fd = -1;
            }
        }
        pollfd fds[2] = {{out_fd, POLLIN, 0}, {in_fd, POLLOUT, 0}};
        if (poll(fds, in_fd >= 0 ? 2 : 1, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (fds[0].revents != 0) {
            ssize_t n = read(out_fd, drain.data(), drain.size());
            if (n > 0) {
                run.out_bytes += n;
            } else if (n == 0 || errno != EINTR) {
                close(out_fd);
                out_fd = -1;
            }
        }
        if (in_fd >= 0 && fds[1].revents != 0) {
            ssize_t n = write(in_fd, feed.data() + feed_pos, feed_len - feed_pos);
            if (n > 0) {
                feed_pos += static_cast<std::size_t>(n);
            } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
                close(in_fd);  // the program has stopped reading
                in_fd = -1;
            }
        }
    }
    if (in_fd >= 0) close(in_fd);
    if (out_fd >= 0) close(out_fd);
    close(file);

    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) status = -1;
    run.wall_us = now_us() - begin;
    run.cpu_us = microseconds(usage.ru_utime) + microseconds(usage.ru_stime);
    run.rss_kb = usage.ru_maxrss;
    run.status = WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : (status == 0 ? -1 : status);
    return run;
}

long long median(std::vector<long long> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Figures beyond the range of the console's integers are shown at the limit.
int shown(long long value) { return static_cast<int>(std::min<long long>(value, 2147483647)); }

}  // namespace

using bench::argument;

int main(int argc, char** argv) {
    console::StringSource no_input{""};
    console::FdSink out{1};
    console::FdSink err{2};
    console::ProcessEnder ender;
    console::Console report{no_input, out, err, ender};
    console::Console notes{no_input, err, err, ender};

    double rounds = 0.0;
    if (argc < 4 || argc % 2 != 0 || !argument(argv[1], rounds) || rounds < 1.0) {
        notes.list({"usage: bench_measure <rounds> <program> <input file> [<program> <input file> ...]"});
        notes.flush();
        return 2;
    }
    std::signal(SIGPIPE, SIG_IGN);

    const int programs = (argc - 2) / 2;
    std::vector<std::vector<Run>> runs(static_cast<std::size_t>(programs));
    for (int round = 0; round < static_cast<int>(rounds); ++round) {
        for (int p = 0; p < programs; ++p) runs[static_cast<std::size_t>(p)].push_back(run_once(argv[2 + 2 * p], argv[3 + 2 * p]));
    }

    int worst = 0;
    for (int p = 0; p < programs; ++p) {
        std::vector<long long> wall, cpu;
        long long rss = 0;
        long long bytes = 0;
        int status = 0;
        for (const Run& r : runs[static_cast<std::size_t>(p)]) {
            wall.push_back(r.wall_us);
            cpu.push_back(r.cpu_us);
            rss = std::max(rss, r.rss_kb);
            bytes = r.out_bytes;
            if (r.status != 0) status = r.status;
        }
        if (status != 0) worst = 1;
        report.list({p + 1, " wall_us", shown(median(wall))});
        report.list({p + 1, " cpu_us", shown(median(cpu))});
        report.list({p + 1, " rss_kb", shown(rss)});
        report.list({p + 1, " out_bytes", shown(bytes)});
        report.list({p + 1, " status", status});
    }
    report.flush();
    return worst;
}
