#pragma once
// The traffic board: the relative plot of every target at once, north up,
// own ship at the centre, drawn as page primitives.
//
// Every target in its own colour, named in the legend; the required-CPA
// circle; each relative track with time ticks every 6 minutes and its CPA
// marked with the TCPA; the own speed circle at the centre with the clearing
// and blocked course sectors as arcs; the chosen or trial manoeuvre with the
// new relative tracks.

#include "page/drawing.hpp"
#include "traffic/exercise.hpp"
#include "traffic/traffic_solution.hpp"

namespace echo_track::plot {

page::Drawing layout_traffic_board(const traffic::TrafficExercise& exercise, const traffic::TrafficSolution& solution);

}  // namespace echo_track::plot
