#include "page/removal_on_signal.hpp"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

namespace echo_track::page::on_signal {
namespace {

// A sheet of 99 exercises stages 199 files.
constexpr int kFileSlots = 256;
// Folders made for one batch, from the first missing one down.
constexpr int kFolderSlots = 16;
// Tries this many names for a temporary file before giving up.
constexpr int kNameAttempts = 100;
constexpr int kFree = -1;
// The signals that remove the registered files before they end the process.
constexpr std::array<int, 3> kCleanupSignals = {SIGINT, SIGTERM, SIGHUP};

struct FileSlot {
    volatile sig_atomic_t folder = kFree;  // the folder's descriptor while in use
    char name[64] = {};
};
struct FolderSlot {
    volatile sig_atomic_t used = 0;
    char path[PATH_MAX] = {};
};

FileSlot g_files[kFileSlots];
FolderSlot g_folders[kFolderSlots];
// Numbers the temporary names of the process, so that no two collide.
int g_next_name = 0;

extern "C" void remove_registered_and_end(int signo) {
    for (int i = kFileSlots; i-- > 0;) {
        if (g_files[i].folder != kFree) unlinkat(g_files[i].folder, g_files[i].name, 0);
    }
    for (int i = kFolderSlots; i-- > 0;) {
        if (g_folders[i].used != 0) rmdir(g_folders[i].path);
    }
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    sigaction(signo, &fallback, nullptr);
    raise(signo);  // delivered by its default action once the handler returns
}

void install_handler() {
    for (int signo : kCleanupSignals) {
        struct sigaction current {};
        if (sigaction(signo, nullptr, &current) == 0 && current.sa_handler == SIG_IGN) continue;  // stays ignored
        if (current.sa_handler == remove_registered_and_end) continue;
        struct sigaction action {};
        action.sa_handler = remove_registered_and_end;
        sigemptyset(&action.sa_mask);
        for (int other : kCleanupSignals) sigaddset(&action.sa_mask, other);
        sigaction(signo, &action, nullptr);
    }
}

// Blocks the cleanup signals for its lifetime.
class SignalsHeld {
public:
    SignalsHeld() {
        sigset_t blocked;
        sigemptyset(&blocked);
        for (int signo : kCleanupSignals) sigaddset(&blocked, signo);
        sigprocmask(SIG_BLOCK, &blocked, &previous_);
    }
    ~SignalsHeld() { sigprocmask(SIG_SETMASK, &previous_, nullptr); }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    sigset_t previous_{};
};

int free_file_slot() {
    for (int i = 0; i < kFileSlots; ++i) {
        if (g_files[i].folder == kFree) return i;
    }
    return kFree;
}

int free_folder_slot() {
    for (int i = 0; i < kFolderSlots; ++i) {
        if (g_folders[i].used == 0) return i;
    }
    return kFree;
}

}  // namespace

int create_temporary(int folder, int& slot) {
    install_handler();
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const SignalsHeld held;
        slot = free_file_slot();
        if (slot == kFree) {
            errno = EMFILE;
            return -1;
        }
        FileSlot& s = g_files[slot];
        std::snprintf(s.name, sizeof s.name, ".echo-track-plot-%ld-%d", static_cast<long>(getpid()), g_next_name++);
        // Mode 0666 less the umask, as for any file the user creates.
        const int fd = openat(folder, s.name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            s.folder = folder;
            return fd;
        }
        if (errno != EEXIST) return -1;
    }
    return -1;  // errno is EEXIST
}

int rename_temporary(int slot, const char* name) {
    const SignalsHeld held;
    FileSlot& s = g_files[slot];
    if (renameat(s.folder, s.name, s.folder, name) != 0) return errno;
    s.folder = kFree;
    return 0;
}

void remove_temporary(int slot) {
    const SignalsHeld held;
    FileSlot& s = g_files[slot];
    unlinkat(s.folder, s.name, 0);
    s.folder = kFree;
}

int make_folder(const char* path, int& slot) {
    install_handler();
    const SignalsHeld held;
    slot = free_folder_slot();
    if (slot == kFree) return EMFILE;
    if (std::strlen(path) >= sizeof g_folders[slot].path) return ENAMETOOLONG;
    if (mkdir(path, 0777) != 0) return errno;
    std::strcpy(g_folders[slot].path, path);
    g_folders[slot].used = 1;
    return 0;
}

void remove_folder(int slot) {
    const SignalsHeld held;
    rmdir(g_folders[slot].path);
    g_folders[slot].used = 0;
}

void keep_folder(int slot) {
    const SignalsHeld held;
    g_folders[slot].used = 0;
}

}  // namespace echo_track::page::on_signal
