#pragma once
// echo-track's command line. Without arguments the program is the dialog;
// these are the only arguments it answers instead.

#include <span>

#include "console/byte_stream.hpp"

namespace echo_track {

// Answers the arguments after the program name (at least one): `--help`
// writes the usage to `out`, `--version` the version line, both status 0;
// anything else writes the usage to `err` and gives status 2.
int answer_arguments(std::span<const char* const> args, console::ByteSink& out, console::ByteSink& err);

}  // namespace echo_track
