#pragma once
// What a fuzzed run may leave on standard error: nothing, or exactly one of the
// run-time error reports of the console layer. Anything else (a torn report, a
// report after an orderly stop, a report of an unknown kind) is a fault.

#include <array>
#include <string_view>

#include "console/run_report.hpp"

namespace fuzz {

using console::end_of_file_report;
using console::number_report;

inline bool is_number_report(std::string_view err) {
    constexpr std::array<std::string_view, 4> contexts{"list in", "invalid number", "exponent field",
                                                       "bad repetition count"};
    for (std::string_view context : contexts)
        if (err == number_report(context)) return true;
    return false;
}

inline bool is_known_report(std::string_view err) {
    return is_number_report(err) || err == end_of_file_report("fmt", console::kFieldFormat) ||
           err == end_of_file_report("read start", console::kFieldFormat) ||
           err == end_of_file_report("read start", console::kLineWaitFormat);
}

}  // namespace fuzz
