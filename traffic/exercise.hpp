#pragma once
// A traffic exercise as the officer has it: the own ship, every target seen
// twice on the radar, the required CPA, the time of the manoeuvre and,
// perhaps, a trial manoeuvre to try.

#include <optional>
#include <string>
#include <vector>

#include "traffic/clock.hpp"

namespace echo_track::traffic {

// One radar observation: the clock time, the true bearing (degrees) and the
// range (nautical miles) of the target from the own ship.
struct Sighting {
    ClockTime time;
    double bearing = 0.0;
    double range_nm = 0.0;
};

// A target seen twice. Which sighting is the later one follows from the
// clock, taken the shorter way round; that one is the target's latest
// position.
struct Target {
    std::string name;
    Sighting first;
    Sighting second;
};

// A course (degrees true) and a speed (knots).
struct CourseAndSpeed {
    double course = 0.0;
    double speed_kt = 0.0;
};

// When the own ship manoeuvres: at a clock time, or a number of minutes
// after the latest observation of all the targets.
struct ManoeuvreTime {
    std::optional<ClockTime> at;
    int delay_min = 0;
};

struct TrafficExercise {
    CourseAndSpeed own;
    std::vector<Target> targets;
    double required_cpa_nm = 1.0;
    ManoeuvreTime manoeuvre;
    std::optional<CourseAndSpeed> trial;  // a new course and speed from the manoeuvre time
};

}  // namespace echo_track::traffic
