#include "plot/output_file.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace echo_track::plot {
namespace {

// Tries this many names for the temporary file before giving up.
constexpr int kNameAttempts = 100;

std::string failure(const std::string& path, int error) { return "cannot write " + path + ": " + std::strerror(error); }

// A hidden name in the same folder, so that the rename never crosses file systems.
std::string temporary_name(const std::string& path, int attempt) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return folder + "." + name + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(attempt);
}

bool write_all(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

void write_whole_file(const std::string& path, std::string_view bytes) {
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < kNameAttempts && fd < 0; ++attempt) {
        temporary = temporary_name(path, attempt);
        // Mode 0666 less the umask, as for any file the user creates.
        fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) throw OutputError(failure(path, errno));
    }
    if (fd < 0) throw OutputError(failure(path, EEXIST));

    int error = 0;
    if (!write_all(fd, bytes)) error = errno;
    if (close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
    if (error == 0) return;
    unlink(temporary.c_str());
    throw OutputError(failure(path, error));
}

}  // namespace echo_track::plot
