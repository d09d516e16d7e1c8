#pragma once
// The kinds of exercise on a sheet, each the situation a navigator would
// name, and the measurable criteria that make an exercise one of them. All
// criteria are read at the manoeuvre time from the traffic solver's figures.

#include <array>
#include <optional>
#include <string_view>

#include "traffic/exercise.hpp"
#include "traffic/traffic_solution.hpp"

namespace echo_track::sheets {

enum class Kind {
    HeadOn,                 // B within 10 degrees of the bow, true courses within 15 of reciprocal, danger
    CrossingFromStarboard,  // B 10 to 112.5 degrees on the starboard bow, courses crossing, danger
    CrossingFromPort,       // the same on the port side
    BOvertaking,            // B more than 22.5 degrees abaft the beam, closing, danger
    OwnOvertaking,          // B ahead, slower, on the same general course, danger
    PassingClear,           // B closing, CPA at or beyond the required
    TooClose,               // B already inside the required CPA
    SeveralShips,           // two to four ships, at least one in danger
};

inline constexpr std::array<Kind, 8> kAllKinds = {
    Kind::HeadOn,      Kind::CrossingFromStarboard, Kind::CrossingFromPort, Kind::BOvertaking,
    Kind::OwnOvertaking, Kind::PassingClear,        Kind::TooClose,         Kind::SeveralShips,
};

// The name on the command line ("head-on", "crossing-starboard", ...).
std::string_view kind_name(Kind kind);

// The kind with that command-line name; none for any other text.
std::optional<Kind> kind_named(std::string_view name);

// The heading of the answer page ("Head-on", "Crossing from starboard", ...).
std::string_view kind_title(Kind kind);

// Only one ship B in the exercise.
inline bool single_ship(Kind kind) { return kind != Kind::SeveralShips; }

// Limits of the criteria, degrees.
inline constexpr double kHeadOnBow = 10.0;        // B within this of the own bow
inline constexpr double kReciprocal = 15.0;       // true courses within this of reciprocal
inline constexpr double kCrossingAft = 112.5;     // crossing: B not further aft than this
inline constexpr double kCrossingCourses = 15.0;  // crossing: courses at least this far from equal or reciprocal
inline constexpr double kAheadSector = 22.5;      // overtaking B: B within this of the bow
inline constexpr double kSameGeneralCourse = 22.5;

// The exercise meets the criteria of its kind.
bool meets_kind(Kind kind, const traffic::TrafficExercise& exercise, const traffic::TrafficSolution& solution);

}  // namespace echo_track::sheets
