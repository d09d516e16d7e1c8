#pragma once
// Two readings of where ships stand to each other, as navigators use them.
//
// The sector is where the target bears from the own heading, sorted as the
// collision rules sort it: forward of the beam (less than 90 degrees off
// the bow, either side), abaft the beam (90 to 112.5 degrees, both
// included), or more than 22.5 degrees abaft the beam (beyond 112.5: where
// an overtaking ship comes from, and where only the stern light shows).
//
// The aspect is the other way round: where the own ship bears from the
// target, relative to the target's plotted course (its course made good,
// which current and leeway make differ from its heading), 0 to 180 degrees,
// red when the own ship is on the target's port side, green on its
// starboard side; ahead and astern only exactly on its course line.

#include <optional>

#include "traffic/vec2.hpp"

namespace echo_track::traffic {

enum class Sector { ForwardOfBeam, AbaftBeam, MoreThan22_5AbaftBeam };

inline constexpr double kBeamDeg = 90.0;
inline constexpr double kAbaftBeamDeg = 112.5;  // 22.5 degrees abaft the beam

// The sector of a bearing relative to the own heading (clockwise, any value).
Sector sector_of(double relative_bearing);

enum class AspectSide { Red, Green, Ahead, Astern };

struct Aspect {
    double degrees = 0.0;  // 0..180
    AspectSide side = AspectSide::Ahead;
};

// The aspect of a target at `position` (nm from the own ship) making
// `true_velocity`; none for a target that does not move (no course) or one
// at the own ship (no bearing).
std::optional<Aspect> aspect_of(Vec2 position, Vec2 true_velocity);

}  // namespace echo_track::traffic
