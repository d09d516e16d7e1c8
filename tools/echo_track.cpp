// ECHO-TRACK: collision avoidance by relative-motion plotting of radar observations.

#include <cstring>
#include <span>
#include <string>

#include "app/command_line.hpp"
#include "app/main_program.hpp"
#include "console/process_console.hpp"

int main(int argc, char** argv) {
    if (argc > 1) {  // without arguments: the dialog
        console::FdSink out(1), err(2);
        const int status = echo_track::answer_arguments(std::span<const char* const>(argv + 1, argv + argc), out, err);
        if (out.error() == 0) return status;
        // A usage or version that did not reach standard output is no success.
        err.write(std::string("echo-track: cannot write standard output: ") + std::strerror(out.error()) + "\n");
        return 1;
    }
    static console::ProcessConsole process;  // static: lives past main's frame for the signal handlers
    echo_track::MAIN__(process.console());
}
