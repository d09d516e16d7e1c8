#pragma once
// The traffic front end, echo-track-traffic FILE.toml (and, as ever,
// echo-track-plot FILE.toml): reads a traffic exercise file, prints its
// report (or JSON with --json), and draws the board to the file given with -o.

#include <string_view>

namespace echo_track::tools {

// Whether the command line names a traffic exercise file (an argument
// ending in ".toml"), which makes echo-track-plot run this front end.
bool names_traffic_file(int argc, char** argv);

// Runs the front end as `program` (the name in its messages, --help and
// --version); returns the exit status: 0, 2 for a bad command line, a bad
// exercise file or a board that cannot be written, 1 if cairo fails or the
// report cannot be written to standard output.
int run_traffic_command(std::string_view program, int argc, char** argv);

}  // namespace echo_track::tools
