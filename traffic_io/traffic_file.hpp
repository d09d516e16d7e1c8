#pragma once
// Traffic exercise files: TOML written by people, read into an exercise.
//
//   required_cpa_nm = 1.5
//   plot_tolerance_nm = 0.2                              (optional)
//   [own_ship]    course = 300, speed_kt = 5.0
//   [manoeuvre]   time = "13:10"  or  delay_min = 3 (after the latest observation)
//                 or  when_range_nm = 4.0, of = "B" (when B closes to 4 miles)
//   [trial]       course = 340, speed_kt = 5.0          (optional)
//   [[target]]    name = "B", first = { time = "13:00", bearing = 350, range_nm = 3.7 },
//                 second = { time = "13:06", bearing = 350, range_nm = 2.5 }
//                 or  sightings = [ { time, bearing, range_nm }, ... ] in time order
//
// A sighting gives `bearing` (true) or `relative_bearing` (clockwise from
// the own heading, the own course).
// Clock times are strings "hh:mm". Every number must be finite; unknown keys
// are refused, since a misspelt key would otherwise be silently ignored.
//
// A file holds at most kMostFileBytes bytes, nests at most kMostLevels levels
// and holds characters that are not ASCII only where TOML allows them
// (traffic_io/toml_guard.hpp); a name holds no control character and at most
// 40 characters (traffic_io/target_name.hpp).

#include <cstddef>
#include <string>
#include <string_view>

#include "traffic/exercise.hpp"
#include "traffic_io/traffic_file_error.hpp"

namespace echo_track::traffic_io {

// The largest traffic file read: 1 MiB, some 7,000 targets.
inline constexpr std::size_t kMostFileBytes = 1024 * 1024;

// Reads the exercise from the text of a file named `source` (the name is
// only used in error messages).
traffic::TrafficExercise parse_traffic_exercise(std::string_view text, const std::string& source);

// Reads the exercise from the file at `path`.
traffic::TrafficExercise read_traffic_file(const std::string& path);

}  // namespace echo_track::traffic_io
