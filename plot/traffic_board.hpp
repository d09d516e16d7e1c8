#pragma once
// The traffic board: the relative plot of every target at once, north up,
// own ship at the centre, drawn as page primitives.
//
// Every target in its own colour, named in the legend; the required-CPA
// circle; each relative track with time ticks every 6 minutes and its CPA
// marked with the TCPA; the own speed circle at the centre with the clearing
// and blocked course sectors as arcs; the chosen or trial manoeuvre with the
// new relative tracks.

#include <optional>

#include "page/drawing.hpp"
#include "traffic/exercise.hpp"
#include "traffic/traffic_solution.hpp"

namespace echo_track::plot {

page::Drawing layout_traffic_board(const traffic::TrafficExercise& exercise, const traffic::TrafficSolution& solution);

// The fastest trial speed a vector on the board gives, as a traffic file allows.
inline constexpr double kMostTrialSpeedKt = 99.0;

// Where the board draws the own ship's vectors: from the centre, the present
// course and speed's `length` page units long, a manoeuvre's in proportion
// to its speed.
struct OwnVectorScale {
    page::PagePoint centre;
    double length = 0.0;
};
OwnVectorScale own_vector_scale(const traffic::TrafficExercise& exercise, const traffic::TrafficSolution& solution);

// A manoeuvre as the own ship's vector on the board gives it: its course to
// the whole degree (none for a vector of no length) and its speed to the
// tenth of a knot (none when the own ship is stopped, whose vectors the
// board draws at one length whatever their speed).
struct BoardVector {
    std::optional<double> course;
    std::optional<double> speed_kt;
};

// The manoeuvre whose vector, drawn on the board of the exercise from the
// own ship at its centre, ends at `tip` (page units of the board); a vector
// longer than the board draws one, 1.5 times the present speed's, gives the
// speed of that one.
BoardVector manoeuvre_vector_at(const traffic::TrafficExercise& exercise, const traffic::TrafficSolution& solution,
                                page::PagePoint tip);

}  // namespace echo_track::plot
