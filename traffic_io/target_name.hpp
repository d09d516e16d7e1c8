#pragma once
// What a target's name may hold: it is printed in a table row of the report,
// on a terminal and in the board's labels, so it holds no character that
// moves the cursor, starts a new row or reorders the text around it, and it
// is short enough for a label.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace echo_track::traffic_io {

inline constexpr std::size_t kMostNameCharacters = 40;

// Why `name` cannot name a target (a control character, U+0000 to U+001F,
// U+007F to U+009F, U+202A to U+202E or U+2066 to U+2069; more than
// kMostNameCharacters characters), or none when it can.
std::optional<std::string> name_fault(std::string_view name);

}  // namespace echo_track::traffic_io
