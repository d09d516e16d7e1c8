#pragma once
// Seeded exercises of each kind, with values as at sea and in the textbooks:
// whole-degree bearings, ranges to a tenth, observations 6, 10 or 12 minutes
// apart. An exercise is drawn, solved by the traffic solver, and kept only
// when it meets its kind's criteria (and, for one ship, when the dialog sees
// the same situation), when the rules call for acting now on a ship in
// danger (none needed for one passing clear), and when its velocity
// triangles fit on the plotting sheet; otherwise it is drawn again.

#include <array>
#include <cstdint>
#include <vector>

#include "sheets/dice.hpp"
#include "sheets/exercise_kind.hpp"
#include "traffic/exercise.hpp"
#include "traffic/traffic_solution.hpp"

namespace echo_track::sheets {

// The values an exercise may take.
inline constexpr int kOwnSpeedLeastKt = 5;
inline constexpr int kOwnSpeedMostKt = 20;
inline constexpr double kRangeLeastNm = 2.0;  // at either observation
inline constexpr double kRangeMostNm = 12.0;
inline constexpr std::array<int, 3> kIntervalsMin = {6, 10, 12};
inline constexpr double kRequiredLeastNm = 0.5;
inline constexpr double kRequiredMostNm = 2.0;
inline constexpr int kDelayMostMin = 6;
inline constexpr int kLeastShips = 2;  // of a several-ships exercise
inline constexpr int kMostShips = 4;
// No target of a sheet is faster: an overtaking ship at 30 knots is no ship
// the class will meet.
inline constexpr double kMostTargetSpeedKt = 25.0;
// A manoeuvre at a range: B closes to 3 to 6 miles, in half miles, some 4
// to 12 minutes after the last sighting.
inline constexpr int kStatedRangeLeastHalves = 6;
inline constexpr int kStatedRangeMostHalves = 12;
inline constexpr int kRangeDelayLeastMin = 4;
inline constexpr int kRangeDelayMostMin = 12;

struct SheetExercise {
    Kind kind = Kind::HeadOn;
    traffic::TrafficExercise exercise;
    traffic::TrafficSolution solution;
};

// One exercise of `kind`.
SheetExercise generate_exercise(Kind kind, Dice& dice);

// `count` exercises from one seed, their kinds taken from `kinds` in turn.
std::vector<SheetExercise> generate_sheet(std::uint64_t seed, int count, const std::vector<Kind>& kinds);

}  // namespace echo_track::sheets
