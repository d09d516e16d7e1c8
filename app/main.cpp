// ECHO-TRACK: collision avoidance by relative-motion plotting of radar observations.

#include <span>

#include "app/command_line.hpp"
#include "app/main_program.hpp"
#include "console/process_console.hpp"

int main(int argc, char** argv) {
    if (argc > 1) {  // without arguments: the dialog
        console::FdSink out(1), err(2);
        return echo_track::answer_arguments(std::span<const char* const>(argv + 1, argv + argc), out, err);
    }
    static console::ProcessConsole process;  // static: lives past main's frame for the signal handlers
    echo_track::MAIN__(process.console());
}
