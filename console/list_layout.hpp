#pragma once
// Layout of the items of a list-directed output record.

#include <cstddef>
#include <string>

namespace console {

// Room that format_list_real and format_list_integer may fill.
inline constexpr std::size_t kListItemRoom = 32;

// Writes a double as a list-directed item into `out` (kListItemRoom chars of
// room) and returns its length: blank, sign position, the value in "%.9G"
// form with a decimal point always present ("  53.", "  0.5", " -12.25",
// "  1.E+10"); zero of either sign is "  0.".
std::size_t format_list_real(char* out, double value);

// Writes an integer as a list-directed item into `out` (kListItemRoom chars
// of room) and returns its length: a blank, then "-" if negative, then the
// digits (" 7", " -15").
std::size_t format_list_integer(char* out, int value);

// The same items appended to a string.
void append_list_real(std::string& out, double value);
void append_list_integer(std::string& out, int value);

// Number of decimal digits of an integer, without its sign: what the wrap rule
// counts for an integer item.
int integer_digit_count(int value);

}  // namespace console
