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
std::string manoeuvre_text(const SheetExercise& x);

// The sightings table: a heading row, then one row per ship (name, then time,
// true bearing and range of each observation).
std::vector<std::vector<std::string>> sightings_table(const traffic::TrafficExercise& exercise);

// The questions of the worksheet, numbered (sheets/answer_key.hpp).
std::vector<std::string> questions(const SheetExercise& x);

// The traffic solver's figures for every ship, a few lines each.
std::vector<std::string> target_figures(const SheetExercise& x);

// The manoeuvre: the smallest alterations to either side, each with how
// close the nearest ship then passes, and the speed alternative.
std::vector<std::string> manoeuvre_figures(const SheetExercise& x);

}  // namespace echo_track::sheets
