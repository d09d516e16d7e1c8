#include "traffic/target_sector.hpp"

#include <cmath>

#include "traffic/passage.hpp"
#include "traffic/trig.hpp"

namespace echo_track::traffic {

Sector sector_of(double relative_bearing) {
    const double off_the_bow = std::fabs(signed_turn(0.0, relative_bearing));  // 0..180, either side
    if (off_the_bow < kBeamDeg) return Sector::ForwardOfBeam;
    return off_the_bow <= kAbaftBeamDeg ? Sector::AbaftBeam : Sector::MoreThan22_5AbaftBeam;
}

std::optional<Aspect> aspect_of(Vec2 position, Vec2 true_velocity) {
    if (!has_course(length(true_velocity)) || !has_bearing(length(position))) return std::nullopt;
    // In the target's frame: the own ship at -position, its course along the velocity.
    const Vec2 to_own = -position;
    const double across = cross(true_velocity, to_own);  // positive: the own ship to starboard of its course
    const double along_course = dot(true_velocity, to_own);
    Aspect a;
    a.degrees = trig::atan2(std::fabs(across), along_course) / kDegree;
    if (across > 0.0) {
        a.side = AspectSide::Green;
    } else if (across < 0.0) {
        a.side = AspectSide::Red;
    } else {
        a.side = along_course > 0.0 ? AspectSide::Ahead : AspectSide::Astern;
    }
    return a;
}

}  // namespace echo_track::traffic
