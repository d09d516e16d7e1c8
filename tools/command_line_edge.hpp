#pragma once
// What the command-line tools share at their edge: one line on standard error
// that refuses a call, and the answer to --help or --version, which is a
// success only when it reached standard output.

#include <CLI/CLI.hpp>

#include <cstring>
#include <string>
#include <string_view>

#include "console/process_console.hpp"
#include "console/safe_text.hpp"

namespace echo_track::tools {

// Bad options, a file that cannot be read or written.
inline constexpr int kRefusedStatus = 2;
// Cairo failed to draw or encode, or a report could not be written.
inline constexpr int kFailedStatus = 1;

// Writes `text` to the file descriptor; 0, or the errno of the failed write.
inline int write_text(int fd, std::string_view text) {
    console::FdSink sink(fd);
    sink.write(text);
    return sink.error();
}

// "program: message" on standard error, with the given status: one line,
// whatever names and values from the user it quotes (console/safe_text.hpp).
inline int complain(std::string_view program, std::string_view message, int status) {
    write_text(2, std::string(program) + ": " + console::shown_safely(message) + "\n");
    return status;
}

inline int refuse(std::string_view program, std::string_view message) {
    return complain(program, message, kRefusedStatus);
}

// The exit status of a parse that ended early: the help or the version
// printed, or the options refused.
inline int answer_early_end(std::string_view program, const CLI::App& app, const CLI::ParseError& end) {
    if (end.get_exit_code() != static_cast<int>(CLI::ExitCodes::Success)) return refuse(program, end.what());
    const bool version = dynamic_cast<const CLI::CallForVersion*>(&end) != nullptr;
    const int error = write_text(1, version ? std::string(end.what()) + "\n" : app.help());
    if (error == 0) return 0;
    return refuse(program, std::string("cannot write standard output: ") + std::strerror(error));
}

}  // namespace echo_track::tools
