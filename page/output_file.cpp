#include "page/output_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "console/process_console.hpp"

namespace echo_track::page {
namespace {

// Tries this many names for the temporary file before giving up.
constexpr int kNameAttempts = 100;
// Follows at most this many symbolic links in a row, as the system does.
constexpr int kLinkHops = 40;
// The signals that remove the temporary file before they end the process.
constexpr std::array<int, 3> kCleanupSignals = {SIGINT, SIGTERM, SIGHUP};

std::string failure(const std::string& path, int error) { return "cannot write " + path + ": " + std::strerror(error); }

std::string folder_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string name_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A file-size limit shows as a failed write (EFBIG), not as a killed process.
void ignore_file_size_limit() { std::signal(SIGXFSZ, SIG_IGN); }

// ---- the temporary file, removed by an interrupt -----------------------------
//
// Its folder and name are kept where a signal handler can reach them; they are
// set and cleared with those signals blocked, so the handler never removes a
// file that is not ours nor misses one that is.

volatile sig_atomic_t g_temporary_folder = -1;
char g_temporary_name[64];

extern "C" void remove_temporary_and_end(int signo) {
    if (g_temporary_folder >= 0) unlinkat(g_temporary_folder, g_temporary_name, 0);
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    sigaction(signo, &fallback, nullptr);
    raise(signo);  // delivered by its default action once the handler returns
}

void install_cleanup() {
    for (int signo : kCleanupSignals) {
        struct sigaction current {};
        if (sigaction(signo, nullptr, &current) == 0 && current.sa_handler == SIG_IGN) continue;  // stays ignored
        struct sigaction action {};
        action.sa_handler = remove_temporary_and_end;
        sigemptyset(&action.sa_mask);
        for (int other : kCleanupSignals) sigaddset(&action.sa_mask, other);
        sigaction(signo, &action, nullptr);
    }
}

// Blocks the cleanup signals for its lifetime.
class CleanupSignalsBlocked {
public:
    CleanupSignalsBlocked() {
        sigset_t blocked;
        sigemptyset(&blocked);
        for (int signo : kCleanupSignals) sigaddset(&blocked, signo);
        sigprocmask(SIG_BLOCK, &blocked, &previous_);
    }
    ~CleanupSignalsBlocked() { sigprocmask(SIG_SETMASK, &previous_, nullptr); }
    CleanupSignalsBlocked(const CleanupSignalsBlocked&) = delete;
    CleanupSignalsBlocked& operator=(const CleanupSignalsBlocked&) = delete;

private:
    sigset_t previous_{};
};

// ---- writing -----------------------------------------------------------------

bool write_all(int fd, std::string_view bytes) {
    console::FdSink sink(fd);
    sink.write(bytes);
    errno = sink.error();
    return sink.error() == 0;
}

// The file a path names once every symbolic link on its last part is followed;
// a relative link is read from the link's own folder. A path that does not
// exist (yet) is its own target.
std::string link_target(const std::string& path) {
    std::string current = path;
    for (int hop = 0; hop < kLinkHops; ++hop) {
        struct stat status {};
        if (lstat(current.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return current;
        std::string target(static_cast<std::size_t>(status.st_size > 0 ? status.st_size : 255) + 1, '\0');
        const ssize_t length = readlink(current.c_str(), target.data(), target.size());
        if (length < 0) throw OutputError(failure(path, errno));
        if (static_cast<std::size_t>(length) == target.size()) throw OutputError(failure(path, ENAMETOOLONG));
        target.resize(static_cast<std::size_t>(length));
        current = target.front() == '/' ? target : folder_of(current) + target;
    }
    throw OutputError(failure(path, ELOOP));
}

// A FIFO or a device takes the bytes as they come; no file is replaced.
void write_directly(const std::string& path, const std::string& target, std::string_view bytes) {
    const int fd = open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) throw OutputError(failure(path, errno));
    int error = write_all(fd, bytes) ? 0 : errno;
    if (close(fd) != 0 && error == 0 && errno != EINTR) error = errno;
    if (error != 0) throw OutputError(failure(path, error));
}

// Creates the temporary file in `folder` (a descriptor) under a short name;
// -1 with errno set when that fails.
int create_temporary(int folder) {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const CleanupSignalsBlocked blocked;
        std::snprintf(g_temporary_name, sizeof g_temporary_name, ".echo-track-plot-%ld-%d", static_cast<long>(getpid()),
                      attempt);
        // Mode 0666 less the umask, as for any file the user creates.
        const int fd = openat(folder, g_temporary_name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            g_temporary_folder = folder;
            return fd;
        }
        if (errno != EEXIST) return -1;
    }
    return -1;  // errno is EEXIST
}

// Writes the temporary file and renames it over `name`; returns 0 or the errno.
int replace(int folder, const std::string& name, const struct stat* old_file, std::string_view bytes) {
    const int fd = create_temporary(folder);
    if (fd < 0) return errno;
    int error = 0;
    if (old_file != nullptr && fchmod(fd, old_file->st_mode & 07777) != 0) error = errno;
    if (error == 0 && !write_all(fd, bytes)) error = errno;
    if (close(fd) != 0 && error == 0) error = errno;
    const CleanupSignalsBlocked blocked;
    if (error == 0 && renameat(folder, g_temporary_name, folder, name.c_str()) != 0) error = errno;
    if (error != 0) unlinkat(folder, g_temporary_name, 0);
    g_temporary_folder = -1;
    return error;
}

}  // namespace

void write_whole_file(const std::string& path, std::string_view bytes) {
    ignore_file_size_limit();
    const std::string target = link_target(path);
    struct stat old_file {};
    const bool exists = stat(target.c_str(), &old_file) == 0;
    if (!exists && errno != ENOENT) throw OutputError(failure(path, errno));
    if (exists && (S_ISFIFO(old_file.st_mode) || S_ISCHR(old_file.st_mode) || S_ISBLK(old_file.st_mode))) {
        write_directly(path, target, bytes);
        return;
    }
    if (exists && S_ISDIR(old_file.st_mode)) throw OutputError(failure(path, EISDIR));

    const std::string folder_path = folder_of(target);
    const int folder = open(folder_path.empty() ? "." : folder_path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) throw OutputError(failure(path, errno));
    install_cleanup();
    const int error = replace(folder, name_of(target), exists ? &old_file : nullptr, bytes);
    close(folder);
    if (error != 0) throw OutputError(failure(path, error));
}

void write_standard_output(std::string_view bytes) {
    ignore_file_size_limit();
    if (!write_all(1, bytes)) throw OutputError(std::string("cannot write standard output: ") + std::strerror(errno));
}

}  // namespace echo_track::page
