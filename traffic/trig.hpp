#pragma once
// The trigonometry of the traffic picture, the same to the last bit on every
// build.
//
// The C library's sine or arc tangent is exact to within a unit in the last
// place, but which way that last bit falls differs between libraries (the
// tools' and the browser's), and where a figure sits on a rounding edge the
// last bit decides the printed digit: 149.9° in one, 150.0° in the other.
// These are built from the four operations and the square root alone, which
// IEEE arithmetic gives alike everywhere (the build keeps each operation
// apart: no fused multiply-add), so a traffic file prints the same figures
// wherever it is solved. Each is within about one unit in the last place of
// the true value, as the C library's are.

namespace echo_track::traffic::trig {

double sin(double radians);
double cos(double radians);
// Both at once, the angle brought within a quadrant only once: each the same
// to the last bit as sin and cos alone.
struct SineAndCosine {
    double sin;
    double cos;
};
SineAndCosine sin_cos(double radians);
// The angle of (x, y) from the x axis, -pi..pi, with the C library's signs
// and limits at zeros and infinities (atan2(0, 0) is 0).
double atan2(double y, double x);
double asin(double x);
double acos(double x);
// sqrt(a^2 + b^2) without overflow or underflow on the way.
double hypot(double a, double b);

}  // namespace echo_track::traffic::trig
