#pragma once
// Layout of the items of a list-directed output record.

#include <string>

namespace console {

// Appends a double as a list-directed item: blank, sign position, the value in
// "%.9G" form with a decimal point always present ("  53.", "  0.5", " -12.25",
// "  1.E+10"); zero of either sign is "  0.".
void append_list_real(std::string& out, double value);

// Appends an integer as a list-directed item: a blank, then "-" if negative,
// then the digits (" 7", " -15").
void append_list_integer(std::string& out, int value);

// Number of decimal digits of an integer, without its sign: what the wrap rule
// counts for an integer item.
int integer_digit_count(int value);

}  // namespace console
