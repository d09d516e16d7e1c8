#pragma once
// The scale of one exercise's plotting sheet, which its answer board shares
// so that a transparent copy of the key lies over the student's plot: the
// range of the outer ring (3, 6, 12 or 24 miles, the smallest that holds
// every sighting and the CPA), six rings, and the plotting interval with the
// vector time, the whole multiple of it over which the own ship's vector is
// long enough to draw with a ruler.

#include <array>

#include "traffic/exercise.hpp"
#include "traffic/traffic_solution.hpp"

namespace echo_track::sheets {

// The outer ring's radius on the page (points), the same on every sheet:
// 172.9 mm across, as large as the A4 page leaves room for.
inline constexpr double kRoseRadius = 245.0;
inline constexpr double kMillimetresPerPoint = 25.4 / 72.0;

inline constexpr std::array<double, 4> kRosesNm = {3.0, 6.0, 12.0, 24.0};
inline constexpr int kRings = 6;

// The own ship's vector is drawn at least this long.
inline constexpr double kLeastOwnVectorMm = 15.0;

struct PlotScale {
    double range_nm = 12.0;   // of the outer ring
    double ring_nm = 2.0;     // between rings
    double interval_min = 6;  // between the sightings a track is plotted from
    double vector_min = 6;    // a whole multiple of the interval
    double mm_per_nm() const { return kRoseRadius * kMillimetresPerPoint / range_nm; }
    double points_per_nm() const { return kRoseRadius / range_nm; }
    // The distance one millimetre on the sheet stands for.
    double nm_per_mm() const { return 1.0 / mm_per_nm(); }
};

// The sheet's scale for the exercise; the interval is its first target's,
// from its first sighting to its second (every ship of a sheet is seen at
// the same times, at equal intervals).
PlotScale plot_scale_for(const traffic::TrafficExercise& exercise, const traffic::TrafficSolution& solution);

// The own ship's vector over the vector time, millimetres on the sheet.
double own_vector_mm(const PlotScale& scale, double own_speed_kt);

// The corners of one target's triangle of velocities at the vector time, as
// the student draws it from the first plotted position O: W (where the
// target would be had the own ship stood still, O less the own run), O, and
// A (O plus the relative run), nm from the own ship.
struct VelocityTriangle {
    traffic::Vec2 w;
    traffic::Vec2 o;
    traffic::Vec2 a;
};
VelocityTriangle velocity_triangle(const traffic::TargetSolution& target, const traffic::CourseAndSpeed& own,
                                   const PlotScale& scale);

// Whether every target's triangle lies within the outer ring, so that it can
// be drawn on the rose.
bool triangles_on_rose(const traffic::TrafficExercise& exercise, const traffic::TrafficSolution& solution);

}  // namespace echo_track::sheets
