#include "grading/student_value.hpp"

#include <array>
#include <cctype>
#include <cmath>

namespace echo_track::grading {
namespace {

using sheets::Measure;

// No figure on a sheet comes near this; a longer number is taken as none.
constexpr double kLargest = 1e5;

std::string lower_trimmed(std::string_view text) {
    std::string out;
    for (const char c : text) out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const auto first = out.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return out.substr(first, out.find_last_not_of(" \t") - first + 1);
}

// A decimal number as written by hand: an optional sign, digits, an
// optional point and more digits; then blanks and `text` ends, or what is
// left over goes to `rest`.
std::optional<double> leading_number(std::string_view text, std::string_view& rest) {
    std::size_t i = 0;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    double value = 0.0;
    double scale = 1.0;
    bool digits = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            digits = true;
            if (point) scale /= 10.0;
            value = point ? value + (c - '0') * scale : value * 10.0 + (c - '0');
        } else {
            break;
        }
    }
    if (!digits) return std::nullopt;
    rest = text.substr(i);
    while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
    return negative ? -value : value;
}

// The units a number may carry for a measure.
bool unit_allowed(std::string_view unit, Measure measure) {
    if (unit.empty()) return true;
    switch (measure) {
        case Measure::Bearing:
        case Measure::TrueCourse:
        case Measure::NewCourse: return unit == "\xc2\xb0" || unit == "deg" || unit == "t" || unit == "\xc2\xb0t";
        case Measure::Distance: return unit == "nm" || unit == "sm" || unit == "miles";
        case Measure::Speed:
        case Measure::NewSpeed: return unit == "kt" || unit == "kn" || unit == "knots";
        case Measure::Minutes: return unit == "min" || unit == "m" || unit == "minutes";
        default: return false;
    }
}

StudentValue bad(std::string problem) { return {std::nullopt, "", std::move(problem)}; }

StudentValue plain_number(const std::string& text, Measure measure) {
    std::string_view rest;
    const std::optional<double> n = leading_number(text, rest);
    if (!n || !unit_allowed(rest, measure) || !std::isfinite(*n) || std::fabs(*n) > kLargest) return bad("not a number");
    const bool angle = measure == Measure::Bearing || measure == Measure::TrueCourse || measure == Measure::NewCourse;
    if (angle && (*n < 0.0 || *n > 360.0)) return bad("not a course or bearing from 0 to 360");
    if (!angle && *n < 0.0) return bad("below zero");
    return {n, "", ""};
}

StudentValue clock(const std::string& text) {
    std::string digits;
    for (const char c : text) {
        if (c != ':') digits += c;
    }
    const bool shaped = (text.size() == 5 && text[2] == ':') || (text.size() == 4 && text.find(':') == std::string::npos);
    if (!shaped || digits.size() != 4 || digits.find_first_not_of("0123456789") != std::string::npos) {
        return bad("not a clock time hh:mm");
    }
    const int hours = std::stoi(digits.substr(0, 2));
    const int minutes = std::stoi(digits.substr(2));
    if (hours > 23 || minutes > 59) return bad("not a clock time hh:mm");
    return {hours * 60.0 + minutes, "", ""};
}

StudentValue red_green(const std::string& text) {
    double sign = 0.0;
    std::string_view body = text;
    for (const auto& [word, side] : std::array<std::pair<std::string_view, double>, 4>{
             {{"green", 1.0}, {"red", -1.0}, {"g", 1.0}, {"r", -1.0}}}) {
        if (body.substr(0, word.size()) == word) {
            sign = side;
            body.remove_prefix(word.size());
            break;
        }
    }
    while (!body.empty() && body.front() == ' ') body.remove_prefix(1);
    std::string_view rest;
    const std::optional<double> n = leading_number(body, rest);
    if (!n || !unit_allowed(rest, Measure::Bearing) || *n < 0.0 || *n > 180.0) return bad("not an aspect such as \"red 30\"");
    if (sign == 0.0 && *n != 0.0 && *n != 180.0) return bad("an aspect needs red or green");
    return {sign < 0.0 ? -*n : *n, "", ""};
}

StudentValue yes_no(const std::string& text) {
    if (text == "yes" || text == "y") return {1.0, "yes", ""};
    if (text == "no" || text == "n") return {0.0, "no", ""};
    return bad("not yes or no");
}

StudentValue encounter(std::string text) {
    for (char& c : text) {
        if (c == ' ' || c == '_') c = '-';
    }
    if (const auto from = text.find("-from-"); from != std::string::npos) text = text.substr(0, from) + "-" + text.substr(from + 6);
    for (const char* word : {"head-on", "crossing-starboard", "crossing-port", "overtaking", "overtaken", "none"}) {
        if (text == word) return {std::nullopt, word, ""};
    }
    return bad(std::string("not one of ") + sheets::kEncounterWords);
}

}  // namespace

StudentValue read_student_value(std::string_view written, Measure measure) {
    const std::string text = lower_trimmed(written);
    if (text.empty()) return bad(kNotAnswered);
    switch (measure) {
        case Measure::Clock: return clock(text);
        case Measure::RedGreen: return red_green(text);
        case Measure::YesNo: return yes_no(text);
        case Measure::Encounter: return encounter(text);
        default: return plain_number(text, measure);
    }
}

}  // namespace echo_track::grading
