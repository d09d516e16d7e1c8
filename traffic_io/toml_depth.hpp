#pragma once
// How deep a TOML text nests, found before it is parsed: the parser builds a
// table for each part of a dotted key or table header and recurses into each
// array and inline table, so a text of tens of thousands of levels would run
// it out of stack. A traffic exercise needs four levels.

#include <cstddef>
#include <optional>
#include <string_view>

namespace echo_track::traffic_io {

// The levels of a text are those of the tree it is parsed into: each part of
// a key or table header is a level below the table it is in, an inline table
// is the level of its key, and the elements of an array (a [[table]] header's
// too) are one level below the array.
inline constexpr int kMostLevels = 10;

// A place in a text: line and column from 1, the column counted in characters.
struct TextPlace {
    std::size_t line = 1;
    std::size_t column = 1;
};

// Where the text first goes deeper than kMostLevels levels, if it does. The
// scan follows TOML's comments and four kinds of string, so that nothing in
// them counts; wherever a malformed text leaves it unsure, it counts more
// levels rather than fewer.
std::optional<TextPlace> first_too_deep(std::string_view text);

}  // namespace echo_track::traffic_io
