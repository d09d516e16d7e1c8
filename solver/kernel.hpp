#pragma once
// The plane geometry of the relative-motion plot: compass angles, points at a
// bearing and distance, straight lines, the closest point of approach, the
// line-circle intersection and the rounding of printed figures.
//
// Frame: nautical miles, own ship at the origin, x along bearing 000 (north),
// y along bearing 090 (east); a point at bearing B and distance R is
// (R cos B, R sin B). Angles are degrees true, clockwise from north.
//
// Every routine keeps the legacy arithmetic step for step (operation order,
// the 1e-39 divisor guard, 360 staying 360, halves rounded up), because a
// single last-bit difference can flip a printed figure at a .5 boundary.

namespace echo_track {

// A point of the plot, or a displacement, in nautical miles.
struct Point {
    double x = 0.0;  // northing
    double y = 0.0;  // easting
};

// A true bearing (0..360) and a distance, as seen from some reference point.
struct Polar {
    double rwp = 0.0;  // bearing, degrees true
    double r = 0.0;    // distance, nautical miles
};

// The straight line y = a*x + b in the plot frame.
struct Line {
    double a = 0.0;  // slope
    double b = 0.0;  // intercept
};

// Where a line meets a circle: h1 has the larger x (the more northerly
// point). `ier` is 1 when the line misses; both points are then (0, 0).
struct Intersections {
    Point h1;
    Point h2;
    int ier = 0;
};

// A divisor smaller than this in magnitude is replaced by it.
inline constexpr double kDivisorGuard = 1e-39;

// Brings an angle into 0..360 by whole turns; exactly 360 (and any larger
// multiple of 360) ends at 360. NaN passes through, an infinity becomes NaN,
// and a magnitude of 1e6 or more is first reduced by fmod so that no input
// can keep it stepping.
void wnorm(double& peil);

// The point at true bearing `rwp9` and distance `r9` from the origin. The
// bearing is not normalised; a negative distance gives the opposite point.
Point pepos(double rwp9, double r9);

// Bearing (0..360) and distance of a point seen from the origin. The origin
// itself gives bearing 0, distance 0.
Polar pospe(Point p9);

// Moves the segment p8 -> p9 so that it starts at p0 and returns its new end.
// p0 is rewritten as p8 plus the shift, the way the legacy code has it.
Point shift2(Point p8, Point p9, Point& p0);

// The straight line through two points. An east-west line (no northing
// between the points) gets the slope dy * 1e39; two equal points give a = 0.
Line gerad(Point p1, Point p2);

// Bearing (0..360) from point 1 to point 2; two equal points give 90.
double peilg(Point p1, Point p2);

// For the track through p1 in direction `peil`, seen from p0: the bearing
// from p0 to the nearest point of the whole track line, and its distance.
Polar cpa(Point p0, Point p1, double peil);

// The intersections of the line with the circle of radius `r` about `centre`.
// A tangent (discriminant exactly 0) counts as meeting: two equal points.
Intersections xgk(Line line, Point centre, double r);

// Where the straight line through p1 and p2 meets the circle of radius `r`
// about `centre`, as `xgk` gives it for the line of `gerad`. A line within about
// a micro-radian of east-west would have a slope near 1e16 there and lose every
// digit, so it is worked with north and east exchanged (x = c*y + d); its
// points come back in the plot frame, h1 then being the more easterly one.
Intersections line_meets_circle(Point p1, Point p2, Point centre, double r);

// The point reached from p1 by going the distance `r1` along bearing `peil1`.
Point vecpkt(Point p1, double peil1, double r1);

// Orders two candidate courses so that `p1` is the one reached from `p0` by
// the smaller turn (either way, at most 180 degrees); on equal turns the order
// stays. All three come back normalised.
void seqmin(double& p0, double& p1, double& p2);

// `xxx` rounded to `idec` decimals, halves up: floor(f*xxx + 0.5)/f with
// f = 10^idec. For the non-negative figures the reports print this is the
// legacy "add 0.5 and drop the fraction"; it never overflows. An `idec`
// below 0 counts as 0.
double round(double xxx, int idec);

}  // namespace echo_track
