#pragma once
// echo-track-plot FILE.toml: the traffic front end. Reads a traffic exercise
// file, prints its report (or JSON with --json), and draws the board to the
// file given with -o.

namespace echo_track::plot {

// Whether the command line names a traffic exercise file (an argument
// ending in ".toml"), which selects this front end.
bool names_traffic_file(int argc, char** argv);

// Runs the front end; returns the exit status: 0, 2 for a bad command line,
// a bad exercise file or a board that cannot be written, 1 if cairo fails
// or the report cannot be written to standard output.
int run_traffic_command(int argc, char** argv);

}  // namespace echo_track::plot
