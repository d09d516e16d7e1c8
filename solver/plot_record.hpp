#pragma once
// The data shared by the dialog and the solver: the one exercise record that
// carries each exercise's values as the next one's defaults, and the angle
// constants. It includes nothing of ours, so that both `app` and `solver`
// may use it without any include running upward.

namespace echo_track {

// Process-wide angle constants. They are computed once, in this order, from
// the double nearest to pi; every conversion between degrees and radians uses
// these exact doubles.
struct AngleConstants {
    double pi = 3.141592653589793;
    double degrad = (3.141592653589793 + 3.141592653589793) / 360.0;  // radians per degree
    double raddeg = 360.0 / (3.141592653589793 + 3.141592653589793);  // degrees per radian
    double pi2 = 3.141592653589793 + 3.141592653589793;
};

inline constexpr AngleConstants kAngles{};

// One exercise: own ship A's course and speed, the two radar observations of
// ship B, the required CPA and the delay of the manoeuvre. Every quantity is a
// double, whole-number ones included. Angles in degrees true, speeds in knots,
// distances in nautical miles, times as hours and minutes.
struct PlotRecord {
    double aka = 300.0;   // own true course KA
    double va = 5.0;      // own speed VA
    double th1 = 13.0;    // hour of observation B-1
    double th2 = 13.0;    // hour of observation B-2
    double tm1 = 0.0;     // minute of observation B-1
    double tm2 = 6.0;     // minute of observation B-2
    double tmh = 0.0;     // hour of the manoeuvre (set by the dialog)
    double tmm = 0.0;     // minute of the manoeuvre (set by the dialog)
    double rwp1 = 350.0;  // true bearing of B at B-1
    double rwp2 = 350.0;  // true bearing of B at B-2
    double r1 = static_cast<double>(3.7f);  // distance of B at B-1: 3.700000047683716, as first typed in single precision
    double r2 = 2.5;      // distance of B at B-2
    double scpa = 1.5;    // minimal CPA to maintain
    double wait = 0.0;    // minutes from B-2 to the manoeuvre
};

}  // namespace echo_track
