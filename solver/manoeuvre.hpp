#pragma once
// The evasive manoeuvre: the true course to which own ship A turns, at
// unchanged speed and at the manoeuvre time, so that ship B passes at exactly
// the required distance; one pair of courses for each side of A.

#include <optional>

#include "solver/kernel.hpp"
#include "solver/plot_record.hpp"
#include "solver/plot_solution.hpp"

namespace echo_track {

// The side to which own ship A turns for a row of courses.
enum class Side {
    Starboard,
    Port,
};

// What the manoeuvre comes to.
enum class Outcome {
    TooClose,  // B is already inside the required distance: no course can help
    NoDanger,  // the present CPA already meets the required distance
    Courses,   // own courses are proposed for both tangents
};

// The own courses for one tangent relative course. A's run over the
// observation interval, swung about the foot point, must end on the line
// through B's B-2 position that has the tangent direction.
struct TangentCourses {
    double peilm = 0.0;  // the tangent relative course (peilm1 or peilm2)
    Point help;          // help point 1 mile from the B-2 position along peilm
    Intersections hits;  // the line through the help point and the B-2 position against
                         // A's run circle; hits.ier is ier1 / ier2
    double course1 = 0.0;  // own course of the smaller turn from A's course (peil11 / peil21)
    double course2 = 0.0;  // the other own course (peil12 / peil22)
    double pqil1 = 0.0;    // course1 rounded to whole degrees, as printed
    double pqil2 = 0.0;    // course2 rounded likewise
};

// Everything the manoeuvre computes, in the plot frame of the kernel.
struct Manoeuvre {
    double aka = 0.0;  // own course, normalised into 0..360

    double dtm = 0.0;    // minutes from B-2 to the manoeuvre
    double dm = 0.0;     // B's relative run in dtm
    Point bm;            // B's relative position at the manoeuvre time, (xh, yh)
    double rwpm0 = 0.0;  // bearing of B from A then
    double rm = 0.0;     // distance of B from A then, never below 1e-39
    double rwpm = 0.0;   // direction from B towards A then

    Outcome outcome = Outcome::Courses;

    // Only when B is not too close (scpa <= rm): the tangent courses.
    double phi = 0.0;      // half opening angle of the tangents, degrees
    TangentCourses side1;  // clockwise tangent, peilm = rwpm + phi
    TangentCourses side2;  // anticlockwise tangent, peilm = rwpm - phi

    double zp = 0.0;  // rwpm0 rounded to whole degrees
    int izp = 0;      // zp as printed
    double zd = 0.0;  // rm rounded to one decimal, as printed

    double delk = 0.0;            // from A's course to B's relative course, 0..360
    bool same_direction = false;  // delk <= 90 or delk > 270
    Side txt1 = Side::Starboard;  // side of side1's courses
    Side txt2 = Side::Port;       // side of side2's courses

    int itmah = 0;  // manoeuvre hour as printed
    int itmam = 0;  // manoeuvre minute as printed

    double seitp = 0.0;                 // relative bearing of B at B-2, 0..360
    bool no_turn_to_starboard = false;  // B abaft the starboard beam: 90 < seitp < 180
    bool overtaking = false;            // 112.5 < seitp < 247.5
};

// Solves the manoeuvre for the record's required CPA `scpa` at its manoeuvre
// time, continuing the plot solution of the same record. There is none when
// both observations were taken at the same time.
std::optional<Manoeuvre> solve_manoeuvre(const PlotRecord& record, const PlotSolution& plot);

}  // namespace echo_track
