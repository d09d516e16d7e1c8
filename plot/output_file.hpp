#pragma once
// Writing a whole file or none of it.

#include <stdexcept>
#include <string>
#include <string_view>

namespace echo_track::plot {

// The file could not be written; the message names it and says why.
class OutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes `bytes` to a new file beside `path` and renames it to `path`, so that
// a reader sees either the old file or the whole new one. On any failure the
// new file is removed again and OutputError is thrown.
void write_whole_file(const std::string& path, std::string_view bytes);

}  // namespace echo_track::plot
