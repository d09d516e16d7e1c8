#include "page/output_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <vector>

#include "console/process_console.hpp"
#include "page/removal_on_signal.hpp"

namespace echo_track::page {
namespace {

// Follows at most this many symbolic links in a row, as the system does.
constexpr int kLinkHops = 40;

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

// Writes the temporary file, with the old file's permission bits if there
// is one; 0 or the errno.
int fill(int fd, const struct stat* old_file, std::string_view bytes) {
    int error = 0;
    if (old_file != nullptr && fchmod(fd, old_file->st_mode & 07777) != 0) error = errno;
    if (error == 0 && !write_all(fd, bytes)) error = errno;
    if (close(fd) != 0 && error == 0) error = errno;
    return error;
}

// The parts of a path from the top down: "a/b/c" gives "a", "a/b", "a/b/c".
std::vector<std::string> folders_down_to(const std::string& path) {
    std::vector<std::string> folders;
    for (std::size_t at = path.find('/', 1); at != std::string::npos; at = path.find('/', at + 1)) {
        if (path[at - 1] != '/') folders.push_back(path.substr(0, at));
    }
    if (path.back() != '/') folders.push_back(path);
    return folders;
}

}  // namespace

struct FileBatch::Parts {
    struct Staged {
        int folder;  // descriptor of the folder, open until the file is renamed or removed
        int slot;
        std::string name;  // within the folder
        std::string path;  // as the user gave it
    };
    struct Direct {
        std::string path;
        std::string target;
        std::string bytes;
    };
    std::vector<Staged> staged;
    std::vector<Direct> direct;
    std::vector<int> made;  // folder slots, from the top down

    void roll_back() noexcept {
        for (auto s = staged.rbegin(); s != staged.rend(); ++s) {
            on_signal::remove_temporary(s->slot);
            close(s->folder);
        }
        for (auto m = made.rbegin(); m != made.rend(); ++m) on_signal::remove_folder(*m);
        staged.clear();
        direct.clear();
        made.clear();
    }
};

FileBatch::FileBatch() : parts_(std::make_unique<Parts>()) {}

FileBatch::~FileBatch() { parts_->roll_back(); }

void FileBatch::make_folder(const std::string& path) {
    if (path.empty()) throw OutputError("cannot make a folder of no name");
    for (const std::string& folder : folders_down_to(path)) {
        struct stat status {};
        int error = 0;
        if (stat(folder.c_str(), &status) == 0) {
            if (!S_ISDIR(status.st_mode)) error = ENOTDIR;
        } else if (errno != ENOENT) {
            error = errno;
        } else {
            int slot = -1;
            error = on_signal::make_folder(folder.c_str(), slot);
            if (error == 0) parts_->made.push_back(slot);
        }
        if (error != 0) {
            parts_->roll_back();
            throw OutputError("cannot make the folder " + path + ": " + std::strerror(error));
        }
    }
}

void FileBatch::stage(const std::string& path, std::string_view bytes, LinkRule links) {
    ignore_file_size_limit();
    const auto refuse = [&](int error) {
        parts_->roll_back();
        throw OutputError(failure(path, error));
    };
    const std::string target = links == LinkRule::Follow ? link_target(path) : path;
    struct stat old_file {};
    const bool exists = (links == LinkRule::Follow ? stat(target.c_str(), &old_file) : lstat(target.c_str(), &old_file)) == 0;
    if (!exists && errno != ENOENT) refuse(errno);
    if (exists && S_ISDIR(old_file.st_mode)) refuse(EISDIR);
    const bool regular = exists && S_ISREG(old_file.st_mode);
    const bool stream = exists && (S_ISFIFO(old_file.st_mode) || S_ISCHR(old_file.st_mode) || S_ISBLK(old_file.st_mode));
    if (stream && links == LinkRule::Follow) {
        parts_->direct.push_back({path, target, std::string(bytes)});
        return;
    }
    // The shell refuses to replace a file the user may not write; so does this.
    if (regular && faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) refuse(errno);

    const std::string folder_path = folder_of(target);
    const int folder = open(folder_path.empty() ? "." : folder_path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) refuse(errno);
    int slot = -1;
    const int fd = on_signal::create_temporary(folder, slot);
    if (fd < 0) {
        const int error = errno;
        close(folder);
        refuse(error);
    }
    parts_->staged.push_back({folder, slot, name_of(target), path});
    const int error = fill(fd, exists && !S_ISLNK(old_file.st_mode) ? &old_file : nullptr, bytes);
    if (error != 0) refuse(error);
}

void FileBatch::commit() {
    try {
        for (const Parts::Direct& d : parts_->direct) write_directly(d.path, d.target, d.bytes);
    } catch (const OutputError&) {
        parts_->roll_back();
        throw;
    }
    parts_->direct.clear();
    while (!parts_->staged.empty()) {
        const Parts::Staged s = parts_->staged.front();
        const int error = on_signal::rename_temporary(s.slot, s.name.c_str());
        if (error != 0) {
            parts_->roll_back();
            throw OutputError(failure(s.path, error));
        }
        close(s.folder);
        parts_->staged.erase(parts_->staged.begin());
    }
    for (const int slot : parts_->made) on_signal::keep_folder(slot);
    parts_->made.clear();
}

void write_whole_file(const std::string& path, std::string_view bytes) {
    FileBatch batch;
    batch.stage(path, bytes);
    batch.commit();
}

void write_standard_output(std::string_view bytes) {
    ignore_file_size_limit();
    if (!write_all(1, bytes)) throw OutputError(std::string("cannot write standard output: ") + std::strerror(errno));
}

}  // namespace echo_track::page
