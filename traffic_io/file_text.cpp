#include "traffic_io/file_text.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "traffic_io/traffic_file_error.hpp"

namespace echo_track::traffic_io {
namespace {

constexpr std::size_t kChunk = 65536;

[[noreturn]] void cannot_read(const std::string& path, int error) {
    throw TrafficFileError(path + ": cannot read: " + std::strerror(error));
}

// Closes the descriptor when the reading ends, however it ends.
class OpenFile {
public:
    explicit OpenFile(const std::string& path) : fd_(open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~OpenFile() {
        if (fd_ >= 0) close(fd_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

}  // namespace

std::string read_file_start(const std::string& path, std::size_t most) {
    const OpenFile file(path);
    if (file.fd() < 0) cannot_read(path, errno);
    struct stat status {};
    if (fstat(file.fd(), &status) != 0) cannot_read(path, errno);
    if (S_ISDIR(status.st_mode)) throw TrafficFileError(path + ": " + std::strerror(EISDIR));
    std::string text;
    while (text.size() < most) {
        const std::size_t before = text.size();
        text.resize(before + std::min(kChunk, most - before));
        const ssize_t got = read(file.fd(), text.data() + before, text.size() - before);
        const int error = errno;
        text.resize(before + static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
        if (got < 0 && error != EINTR) cannot_read(path, error);
        if (got == 0) break;
    }
    return text;
}

}  // namespace echo_track::traffic_io
