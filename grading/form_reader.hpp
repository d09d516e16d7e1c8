#pragma once
// A filled answer form read back: what made its sheet, and the student's
// answers by key, as written. Whatever the file holds, it is read or refused
// with its place and what was expected; it never takes the grader down.

#include <cstddef>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>

#include "grading/answer_form.hpp"

namespace echo_track::grading {

// A form that cannot be graded: "answers-03.toml:4:8: seed: expected ...".
class FormError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Larger than any form of a sheet by far.
inline constexpr std::size_t kMostFormBytes = 1 << 20;

struct FilledForm {
    std::string generator;
    SheetOrigin origin;
    int exercise = 1;  // from 1
    std::string check;
    // Each answer as the student wrote it: a string as it stands, a number
    // written without quotes as its text.
    std::map<std::string, std::string> answers;
};

// Reads the form's text; throws FormError, naming `source`, when it is no
// answer form: not TOML, a field above [answers] missing or not as written
// out, an exercise beyond the sheet's count.
FilledForm parse_answer_form(std::string_view text, const std::string& source);

// The same for a file; also refused when it cannot be read or is too large.
FilledForm read_answer_form(const std::string& path);

}  // namespace echo_track::grading
