#pragma once
// Number texts for the picture, made by the console layer's field editing so
// that the plot shows the digits the report prints.

#include <string>

namespace echo_track::plot {

// A whole number: "53", "-7".
std::string whole_text(int value);

// A whole number of degrees the way plotting sheets write it: "053°";
// 360 stays "360°", and values outside 0..999 are written plainly.
std::string degrees_text(int value);

// A value with `decimals` decimals: 2.5 with 1 gives "2.5", 0.25 with 2 "0.25".
std::string decimal_text(double value, int decimals);

// A distance with no more decimals than it needs (up to 2): 1 gives "1",
// 0.5 gives "0.5", 2.25 gives "2.25".
std::string miles_text(double value);

// A clock time hh:mm with a two-digit minute: 13 and 6 give "13:06".
std::string clock_text(int hour, int minute);

}  // namespace echo_track::plot
