#pragma once
// What a TOML text must not ask of the parser, found before it is parsed.
//
// Depth: the parser builds a table for each part of a dotted key or table
// header and recurses into each array and inline table, so a text of tens of
// thousands of levels would run it out of stack. A traffic exercise needs
// five levels (a key in a sighting of a target's list of sightings).
//
// Characters that are not ASCII where TOML wants none: outside strings and
// comments, and right after a backslash in a multi-line "basic" string (past
// the blanks and line ends a line-ending backslash trims). The parser's test
// for Unicode blanks is undefined for most such characters (any from U+00A1
// to U+0499, the degree sign among them); TOML allows none of them there.

#include <cstddef>
#include <optional>
#include <string>
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

// Where a text first asks too much of the parser, and what.
struct GuardFault {
    TextPlace place;
    std::string what;
};

// The first place where the text goes deeper than kMostLevels levels or
// holds a character that is not ASCII where TOML wants none, if it does. The
// scan follows TOML's comments and four kinds of string, so that nothing in
// them counts; wherever a malformed text leaves it unsure, it counts more
// levels rather than fewer. A byte order mark may open the text.
std::optional<GuardFault> first_guard_fault(std::string_view text);

}  // namespace echo_track::traffic_io
