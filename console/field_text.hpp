#pragma once
// Numbers as short texts for pictures, reports and files: a formatted
// record's field without the blanks that right-align it, so that every
// figure shows the digits the console report prints.

#include <string>

namespace console {

// A whole number: "53", "-7".
std::string whole_text(int value);

// A value with `decimals` decimals, as the Fw.d field writes it: 2.5 with 1
// gives "2.5", 0.25 with 2 "0.25".
std::string decimal_text(double value, int decimals);

// A whole number of degrees the way plotting sheets write it: "053°";
// 360 stays "360°", and values outside 0..999 are written plainly.
std::string degrees_text(int value);

// A clock time hh:mm with a two-digit minute: 13 and 6 give "13:06"; a
// negative minute (a time typed beyond the clock) is written plainly.
std::string clock_text(int hour, int minute);

// `value` with zeros in front to `digits` digits: 7 with 2 gives "07".
std::string zero_padded(int value, int digits);

}  // namespace console
