#pragma once
// Plane vectors of the traffic picture, and the one frame they live in.
//
// Frame: own ship at the origin; `north` along bearing 000, `east` along
// bearing 090. A vector is a position in nautical miles or a velocity in
// knots. Bearings and courses are degrees true, clockwise from north, so a
// bearing b is the unit vector (cos b, sin b).

#include <cmath>
#include <numbers>

#include "traffic/trig.hpp"

namespace echo_track::traffic {

struct Vec2 {
    double north = 0.0;
    double east = 0.0;
};

inline constexpr Vec2 operator+(Vec2 a, Vec2 b) { return {a.north + b.north, a.east + b.east}; }
inline constexpr Vec2 operator-(Vec2 a, Vec2 b) { return {a.north - b.north, a.east - b.east}; }
inline constexpr Vec2 operator-(Vec2 a) { return {-a.north, -a.east}; }
inline constexpr Vec2 operator*(double k, Vec2 a) { return {k * a.north, k * a.east}; }
inline constexpr double dot(Vec2 a, Vec2 b) { return a.north * b.north + a.east * b.east; }
// Positive when b lies clockwise (to starboard) of a.
inline constexpr double cross(Vec2 a, Vec2 b) { return a.north * b.east - a.east * b.north; }
inline double length(Vec2 a) { return trig::hypot(a.north, a.east); }

inline constexpr double kDegree = std::numbers::pi / 180.0;

// An angle brought into 0 <= angle < 360.
inline double normalized_degrees(double angle) {
    double a = std::fmod(angle, 360.0);
    if (a < 0.0) a += 360.0;
    return a >= 360.0 ? 0.0 : a;  // -1e-17 + 360 rounds to 360
}

// The signed angle from `from` to `to`, clockwise positive, -180 < angle <= 180.
inline double signed_turn(double from, double to) {
    const double d = normalized_degrees(to - from);
    return d > 180.0 ? d - 360.0 : d;
}

// The vector of the given length along a true bearing.
inline Vec2 along(double bearing, double size) {
    const auto [s, c] = trig::sin_cos(bearing * kDegree);
    return {size * c, size * s};
}

// The true bearing of a vector, 0 <= bearing < 360; the zero vector gives 0.
inline double bearing_of(Vec2 a) { return normalized_degrees(trig::atan2(a.east, a.north) / kDegree); }

// `a` turned clockwise by `degrees`.
inline Vec2 turned(Vec2 a, double degrees) {
    const auto [s, c] = trig::sin_cos(degrees * kDegree);
    return {c * a.north - s * a.east, s * a.north + c * a.east};
}

}  // namespace echo_track::traffic
