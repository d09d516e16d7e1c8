#pragma once
// A traffic exercise written as the TOML file that the reader takes back
// (traffic_io/traffic_file.hpp): the same values, for people to read and edit.

#include <string>
#include <string_view>

#include "traffic/exercise.hpp"

namespace echo_track::traffic_io {

// The file's text: `comment` first, each of its lines as a TOML comment
// ("# ..."; an empty line as "#"), then the exercise. Courses, bearings and
// ranges are written in their shortest form that reads back to the same
// number; clock times as "hh:mm".
std::string traffic_file_text(const traffic::TrafficExercise& exercise, std::string_view comment = {});

}  // namespace echo_track::traffic_io
