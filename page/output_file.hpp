#pragma once
// Writing a whole picture file or none of it, or the picture to standard output.

#include <stdexcept>
#include <string>
#include <string_view>

namespace echo_track::page {

// The file could not be written; the message names it and says why.
class OutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes `bytes` to a new file beside `path` and renames it to `path`, so that
// a reader sees either the old file or the whole new one. A symbolic link is
// followed: its target is replaced and the link stays. A file replaced keeps
// its permission bits. A FIFO or a device is written directly. On any
// failure the new file is removed again and OutputError is thrown; an
// interrupt, termination or hang-up removes it too and then ends the process
// by that signal.
void write_whole_file(const std::string& path, std::string_view bytes);

// Writes `bytes` to standard output; OutputError when that fails.
void write_standard_output(std::string_view bytes);

}  // namespace echo_track::page
