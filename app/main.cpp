// ECHO-TRACK: collision avoidance by relative-motion plotting of radar observations.

#include "app/main_program.hpp"
#include "console/process_console.hpp"

int main() {
    static console::ProcessConsole process;  // static: lives past main's frame for the signal handlers
    echo_track::MAIN__(process.console());
}
