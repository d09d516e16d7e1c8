#include "tools/exercise_folder.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "page/output_file.hpp"

namespace echo_track::tools {
namespace {

std::string inside(const std::string& folder, const std::string& name) {
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// Closes the folder when the listing ends, however it ends.
class FolderListing {
public:
    explicit FolderListing(const std::string& folder) : dir_(opendir(folder.c_str())) {}
    ~FolderListing() {
        if (dir_ != nullptr) closedir(dir_);
    }
    FolderListing(const FolderListing&) = delete;
    FolderListing& operator=(const FolderListing&) = delete;
    DIR* dir() const { return dir_; }

private:
    DIR* dir_;
};

}  // namespace

std::vector<EarlierFile> earlier_sheet_files(const std::string& folder, std::string_view prefix) {
    std::vector<EarlierFile> found;
    const FolderListing listing(folder);
    if (listing.dir() == nullptr) {
        if (errno == ENOENT) return found;
        throw page::OutputError("cannot read the folder " + folder + ": " + std::strerror(errno));
    }
    errno = 0;
    while (const dirent* entry = readdir(listing.dir())) {
        const std::string name = entry->d_name;
        if (name.rfind(prefix, 0) != 0) continue;
        struct stat status {};
        if (fstatat(dirfd(listing.dir()), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0) {
            throw page::OutputError("cannot read " + inside(folder, name) + ": " + std::strerror(errno));
        }
        found.push_back(EarlierFile{name, status.st_ino, S_ISDIR(status.st_mode)});
        errno = 0;
    }
    if (errno != 0) throw page::OutputError("cannot read the folder " + folder + ": " + std::strerror(errno));
    std::sort(found.begin(), found.end(), [](const EarlierFile& a, const EarlierFile& b) { return a.name < b.name; });
    return found;
}

void remove_earlier_files(const std::string& folder, const std::vector<EarlierFile>& files) {
    for (const EarlierFile& file : files) {
        const std::string path = inside(folder, file.name);
        struct stat status {};
        if (lstat(path.c_str(), &status) != 0 || status.st_ino != file.inode) continue;  // gone, or the new sheet's
        if (unlink(path.c_str()) != 0) throw page::OutputError("cannot remove " + path + ": " + std::strerror(errno));
    }
}

}  // namespace echo_track::tools
