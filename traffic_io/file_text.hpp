#pragma once
// The text of a file, but never more of it than a limit: a device or a FIFO
// that never ends is read only up to there.

#include <cstddef>
#include <string>

namespace echo_track::traffic_io {

// The first `most` bytes of the file at `path`, or all of them when it holds
// fewer. Throws TrafficFileError ("path: what is wrong") when it cannot be
// opened or read, or is a folder.
std::string read_file_start(const std::string& path, std::size_t most);

}  // namespace echo_track::traffic_io
