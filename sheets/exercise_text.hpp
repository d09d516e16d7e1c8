#pragma once
// The words and figures of a sheet: the exercise as the officer is given it,
// the questions asked about it, and the traffic solver's answers.

#include <string>
#include <vector>

#include "sheets/generator.hpp"

namespace echo_track::sheets {

// "Own ship A: course 300°, speed 12 kt".
std::string own_ship_text(const traffic::TrafficExercise& exercise);

// "Required CPA 1.5 nm; manoeuvre 3 min after the last observation, at 13:09".
// A manoeuvre at a range: "manoeuvre when B closes to 4 nm", the time it
// comes added only `with_time` (the worksheet asks for it).
std::string manoeuvre_text(const SheetExercise& x, bool with_time);

// The sightings table: a heading row, then one row per ship (name, then time,
// bearing and range of each observation). The bearings are true, or, where
// the exercise gives them so, relative to the own heading, and headed so.
std::vector<std::vector<std::string>> sightings_table(const traffic::TrafficExercise& exercise);

// The line under the table that says what its bearings are when they are
// not true; none when they are.
std::optional<std::string> sightings_note(const traffic::TrafficExercise& exercise);

// For the key of an exercise whose bearings are relative: each ship's
// sightings as the true bearings plotted; none when they are true.
std::optional<std::string> true_bearings_text(const traffic::TrafficExercise& exercise);

// The questions of the worksheet, numbered (sheets/answer_key.hpp).
std::vector<std::string> questions(const SheetExercise& x);

// The traffic solver's figures for every ship, a few lines each.
std::vector<std::string> target_figures(const SheetExercise& x);

// The manoeuvre: the smallest alterations to either side, each with how
// close the nearest ship then passes, and the speed alternative.
std::vector<std::string> manoeuvre_figures(const SheetExercise& x);

}  // namespace echo_track::sheets
