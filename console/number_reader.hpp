#pragma once
// The list-directed number grammar, applied to one internal record (the typed
// 8-character field followed by its end-of-record mark).

#include <string_view>

namespace console {

enum class NumberOutcome {
    Value,            // a number was read into the variable
    Null,             // comma, slash or "n*" null value: the variable keeps its value
    EndOfRecord,      // only blanks, tabs and the end-of-record mark: "list in"
    InvalidNumber,    // no digits where a number should start
    ExponentField,    // exponent letter or sign without digits, or exponent too large
    BadRepeatCount,   // "*5", "0*5", "-2*5"
};

// Reads one double from `record` (the end-of-record mark is implied after its
// last character). On Value, `value` holds the nearest double to the digits
// read; on every other outcome `value` is left unchanged.
NumberOutcome read_list_number(std::string_view record, double& value);

}  // namespace console
