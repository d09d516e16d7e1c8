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
    // The taught inputs, each a one-ship danger drawn as a head-on or
    // crossing situation (its encounter_kind):
    RelativeBearings,       // every sighting given from the own heading
    ThreeSightings,         // three sightings at equal intervals on one straight track
    AtARange,               // the manoeuvre when B closes to a whole or half mile
};

// The first eight in the order they came, so that a sheet of them stays the
// same for every seed.
inline constexpr std::array<Kind, 11> kAllKinds = {
    Kind::HeadOn,        Kind::CrossingFromStarboard, Kind::CrossingFromPort, Kind::BOvertaking,
    Kind::OwnOvertaking, Kind::PassingClear,          Kind::TooClose,         Kind::SeveralShips,
    Kind::RelativeBearings, Kind::ThreeSightings,     Kind::AtARange,
};

// The situations a taught-input kind is drawn as.
inline constexpr std::array<Kind, 3> kTaughtSituations = {Kind::HeadOn, Kind::CrossingFromStarboard, Kind::CrossingFromPort};

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

// A taught-input kind: its ship is one of kTaughtSituations, seen in a way
// the kind teaches.
bool taught_input(Kind kind);

// Whether the exercise gives its manoeuvre as a range B closes to.
inline bool manoeuvre_at_range(const traffic::TrafficExercise& exercise) { return exercise.manoeuvre.at_range.has_value(); }

// The stated range of an exercise of that kind is a whole or half mile.
inline constexpr double kRangeStep = 0.5;

// Of kTaughtSituations, the one whose criteria the exercise's only ship
// meets; none when it meets none (or there is not one ship).
std::optional<Kind> encounter_kind(const traffic::TrafficExercise& exercise, const traffic::TrafficSolution& solution);

// The exercise meets the criteria of its kind.
bool meets_kind(Kind kind, const traffic::TrafficExercise& exercise, const traffic::TrafficSolution& solution);

}  // namespace echo_track::sheets
