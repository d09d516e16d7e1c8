#pragma once
// The manoeuvre map drawn beside the traffic board: the plane of own
// velocity from the manoeuvre time, north up, the own ship's present speed
// at the outer ring. Green where every ship passes clear, red where some
// ship does not, hatched where the course clears but the rules ask the own
// ship to avoid it; each ship's obstacle edges in its colour; the present
// velocity, the recommended manoeuvre and the trial as arrows.

#include <optional>

#include "plot/canvas.hpp"
#include "traffic/exercise.hpp"
#include "traffic/traffic_solution.hpp"

namespace echo_track::plot {

// The own velocities the map marks besides the present one.
struct InsetMarks {
    std::optional<traffic::CourseAndSpeed> recommended;
    std::optional<traffic::CourseAndSpeed> trial;
};

// The speed at the map's outer ring: the present speed, or for a ship
// stopped, what a ship can make (so that the map still shows what clears).
double map_top_speed(const traffic::TrafficExercise& exercise);

// The rings' radius on the page and how many bands of speed the colours are
// laid in, for the tests to read the inset back.
inline constexpr double kInsetRadius = 140.0;
inline constexpr int kInsetBands = 28;

// Lays the inset out with its top left corner at `top_left` in a column of
// `width` page units; returns its height. `centre` is set to the point of
// zero velocity.
double add_manoeuvre_inset(Canvas& canvas, page::PagePoint top_left, double width, const traffic::TrafficExercise& exercise,
                           const traffic::TrafficSolution& solution, const InsetMarks& marks, page::PagePoint& centre);

}  // namespace echo_track::plot
