#pragma once
// An answer as the student wrote it, read as the figure its question asks
// for, or the reason it cannot be: blanks around it and a unit after a
// number ("253°", "1.5 nm", "12 kt", "19 min") are allowed; a clock time is
// "hh:mm" or "hhmm"; an aspect "red 30" or "green 30" (also "r30", "G 30",
// or 0 and 180 alone); yes or no; an encounter by its word.

#include <optional>
#include <string>
#include <string_view>

#include "sheets/answer_key.hpp"

namespace echo_track::grading {

struct StudentValue {
    std::optional<double> number;  // every measure but Encounter and YesNo (for YesNo: 1 or 0)
    std::string word;              // Encounter and YesNo, as the key writes it
    std::string problem;           // why the text is no answer; empty when read
};

// The problem of an answer left empty.
inline constexpr const char* kNotAnswered = "not answered";

StudentValue read_student_value(std::string_view text, sheets::Measure measure);

}  // namespace echo_track::grading
