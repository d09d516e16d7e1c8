#pragma once
// What a fuzzed run may leave on standard error: nothing, or exactly one of the
// run-time error reports of the console layer. Anything else (a torn report, a
// report after an orderly stop, a report of an unknown kind) is a fault.

#include <array>
#include <string>
#include <string_view>

namespace fuzz {

// The report of a read from standard input that met the end of the input.
inline std::string end_of_file_report(std::string_view context, std::string_view format) {
    std::string report;
    report.append(context).append(": end of file\n");
    report.append("apparent state: unit 5 (unnamed)\n");
    report.append("last format: ").append(format).append("\n");
    report.append("lately reading sequential formatted external IO\n");
    return report;
}

// The report of the number read from the typed field (an internal record).
inline std::string number_report(std::string_view context) {
    std::string report;
    report.append(context);
    report.append(context == "list in" ? ": end of file\n" : ": incomprehensible list input\n");
    report.append("apparent state: internal I/O\n");
    report.append("lately reading sequential formatted internal IO\n");
    return report;
}

inline bool is_number_report(std::string_view err) {
    constexpr std::array<std::string_view, 4> contexts{"list in", "invalid number", "exponent field",
                                                       "bad repetition count"};
    for (std::string_view context : contexts)
        if (err == number_report(context)) return true;
    return false;
}

inline bool is_known_report(std::string_view err) {
    return is_number_report(err) || err == end_of_file_report("fmt", "(a)") ||
           err == end_of_file_report("read start", "(a)") || err == end_of_file_report("read start", "list io");
}

}  // namespace fuzz
