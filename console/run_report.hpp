#pragma once
// The run-time error reports that end a run when a read fails, as standard
// error shows them. One place for the texts: the console writes them and the
// fuzz checks recognise them.

#include <string>
#include <string_view>

namespace console {

// The layout of a read from standard input, named in the report's
// "last format" line: the 8-character field read, or the wait for a line.
inline constexpr std::string_view kFieldFormat = "(a)";
inline constexpr std::string_view kLineWaitFormat = "list io";

// The four-line report of a read from standard input that met the end of
// the input; `context` says where ("fmt", "read start").
std::string end_of_file_report(std::string_view context, std::string_view format);

// The three-line report of the number read from the typed field: "list in"
// is a field without a number (an end of file), every other context word
// ("invalid number", "exponent field", "bad repetition count") text that is
// not a number.
std::string number_report(std::string_view context);

}  // namespace console
