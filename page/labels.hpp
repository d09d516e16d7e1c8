#pragma once
// Distances the way plotting sheets letter them; the other number texts of
// the pictures are the console layer's field texts (console/field_text.hpp),
// so that a picture shows the digits the report prints.

#include <string>

namespace echo_track::page {

// A distance with no more decimals than it needs (up to 2): 1 gives "1",
// 0.5 gives "0.5", 2.25 gives "2.25".
std::string miles_text(double value);

}  // namespace echo_track::page
