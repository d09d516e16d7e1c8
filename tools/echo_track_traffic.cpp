// echo-track-traffic: a traffic exercise file of several ships solved: the
// report or its JSON on standard output, and the board drawn with -o.

#include "tools/traffic_command.hpp"

int main(int argc, char** argv) { return echo_track::tools::run_traffic_command("echo-track-traffic", argc, argv); }
