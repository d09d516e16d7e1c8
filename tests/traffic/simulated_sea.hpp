#pragma once
// A small simulated sea for the traffic tests: the own ship and each target
// moved along straight tracks with plain velocity vectors, sighted on the
// radar, and watched for their closest approach and for crossing the own
// heading line.

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>

#include "traffic/exercise.hpp"
#include "traffic/vec2.hpp"

namespace echo_track::traffic::testing {

// A target on the simulated sea: its true velocity (knots) and its position
// relative to the own ship at the manoeuvre time (nm).
struct SeaTarget {
    Vec2 velocity;
    Vec2 at_manoeuvre;
};

// World positions, with the own ship at the world origin at the manoeuvre
// time; `minutes` counted from then.
inline Vec2 own_at(Vec2 own_velocity, double minutes) { return (minutes / 60.0) * own_velocity; }
inline Vec2 target_at(const SeaTarget& t, double minutes) { return t.at_manoeuvre + (minutes / 60.0) * t.velocity; }

// The target as seen from the own ship making `own_velocity`.
inline Vec2 seen_at(const SeaTarget& t, Vec2 own_velocity, double minutes) {
    return target_at(t, minutes) - own_at(own_velocity, minutes);
}

// The target as the radar sees it at `minutes` from the manoeuvre time,
// while the own ship holds `own_velocity` throughout.
inline Sighting sight(const SeaTarget& t, Vec2 own_velocity, double minutes, ClockTime clock) {
    const Vec2 seen = seen_at(t, own_velocity, minutes);
    return Sighting{clock, bearing_of(seen), length(seen)};
}

// The zero of a quantity that changes at a steady rate in time (the closing
// rate, the offset from the heading line), found from the simulated values a
// minute apart and refined once from there.
inline double steady_zero(const std::function<double(double)>& f) {
    double m = 0.0;
    for (int step = 0; step < 2; ++step) {
        const double rate = f(m + 1.0) - f(m);
        if (rate == 0.0) return m;
        m -= f(m) / rate;
    }
    return m;
}

// The simulated closest approach of the whole track, the own ship making
// `own_velocity`: the time where the range stops falling (the relative
// position becomes square to the simulated run of one minute), and the range
// then.
struct Approach {
    double minutes = 0.0;
    double range_nm = 0.0;
};
inline Approach closest_approach(const SeaTarget& t, Vec2 own_velocity) {
    const auto relative = [&](double m) { return seen_at(t, own_velocity, m); };
    const auto closing_rate = [&](double m) { return dot(relative(m), relative(m + 1.0) - relative(m)); };
    const double when = steady_zero(closing_rate);
    return Approach{when, length(relative(when))};
}

// The least range from the manoeuvre time on.
inline double least_range_ahead(const SeaTarget& t, Vec2 own_velocity) {
    const Approach a = closest_approach(t, own_velocity);
    return a.minutes > 0.0 ? a.range_nm : length(t.at_manoeuvre);
}

// The least range from the manoeuvre time on, found by plain simulation:
// both ships moved along their velocities (the own ship making
// `own_velocity`), the range watched over `horizon_h` hours and its least
// value found by golden-section search (the range along straight tracks
// falls, then rises), the range now included. The ships are moved in the
// own ship's frame, by the difference of their velocities, so that a slow
// passage a long time ahead keeps its precision.
inline double least_range_simulated(const SeaTarget& t, Vec2 own_velocity, double horizon_h) {
    const Vec2 relative = t.velocity - own_velocity;
    const auto range = [&](double hours) { return length(t.at_manoeuvre + hours * relative); };
    const double golden = (std::sqrt(5.0) - 1.0) / 2.0;
    double a = 0.0;
    double b = horizon_h;
    double c = b - golden * (b - a);
    double d = a + golden * (b - a);
    double fc = range(c);
    double fd = range(d);
    for (int step = 0; step < 300 && b - a > 1e-15 * horizon_h; ++step) {
        if (fc < fd) {
            b = d, d = c, fd = fc;
            c = b - golden * (b - a);
            fc = range(c);
        } else {
            a = c, c = d, fc = fd;
            d = a + golden * (b - a);
            fd = range(d);
        }
    }
    return std::min({range(0.0), fc, fd, range(a), range(b)});
}

inline double uniform(std::mt19937_64& rng, double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); }

}  // namespace echo_track::traffic::testing
