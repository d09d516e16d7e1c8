#pragma once
// The 32-bit integer copies that the reports print (courses, bearings, clock
// hours and minutes).

namespace echo_track {

// `value` with its fraction dropped (toward zero), as a 32-bit integer.
// Out-of-range values saturate to the nearest 32-bit limit and NaN gives 0, so
// that no figure, however wild the input, reaches an undefined conversion.
int to_int32(double value);

}  // namespace echo_track
