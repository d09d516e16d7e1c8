#pragma once
// Writing whole files or none of them, or a picture to standard output.

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace echo_track::page {

// The file could not be written; the message names it and says why.
class OutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What a symbolic link at a file's name stands for. Follow: the file it
// points to is replaced and the link stays, as the shell's > would have it.
// Replace: the link itself is replaced, and nothing outside its folder is
// touched, as for the files a tool keeps in a folder of its own.
enum class LinkRule { Follow, Replace };

// Files written all or none. Each file is staged: written in full to a new
// file beside its name. Commit then renames each over its name, so that a
// reader sees either the old file or the whole new one. A file replaced
// keeps its permission bits; a file that the user may not write (read-only,
// for anyone but root) is refused as the shell refuses it; a folder is
// refused. With LinkRule::Follow a FIFO or a device takes its bytes directly
// at commit, before any rename. Any failure throws OutputError; the batch
// then, or when it is destroyed uncommitted, removes every staged file and
// every folder it made. An interrupt, termination or hang-up removes them
// too and then ends the process by that signal.
class FileBatch {
public:
    FileBatch();
    ~FileBatch();
    FileBatch(const FileBatch&) = delete;
    FileBatch& operator=(const FileBatch&) = delete;

    // Makes the folder `path`, and every missing folder above it.
    void make_folder(const std::string& path);

    void stage(const std::string& path, std::string_view bytes, LinkRule links = LinkRule::Follow);

    // Writes the FIFOs and devices, then renames every staged file over its
    // name; the batch is empty afterwards.
    void commit();

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

// One file written whole or not at all, a link followed (a batch of one).
void write_whole_file(const std::string& path, std::string_view bytes);

// Writes `bytes` to standard output; OutputError when that fails.
void write_standard_output(std::string_view bytes);

}  // namespace echo_track::page
