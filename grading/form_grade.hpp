#pragma once
// One filled form graded: its sheet made again from the seed and options it
// carries, its exercise found and known for the same by its check, and every
// answer judged. A form of another generator version, of another seed than
// the one asked for, or whose exercise is not the one its sheet makes now is
// refused, with the reason.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "grading/form_reader.hpp"
#include "grading/judgement.hpp"

namespace echo_track::grading {

struct FormGrade {
    std::string source;          // the file
    std::optional<std::string> refused;  // why it was not graded
    std::uint64_t seed = 0;
    int exercise = 0;
    sheets::Kind kind = sheets::Kind::HeadOn;
    ExerciseGrade grade;
};

// `seed`: the seed every form must carry, when the instructor names one.
FormGrade grade_form(const FilledForm& form, const std::string& source, const Tolerances& tolerances,
                     std::optional<std::uint64_t> seed);

// Reads and grades each file in turn; a file that is no form is refused.
std::vector<FormGrade> grade_files(const std::vector<std::string>& paths, const Tolerances& tolerances,
                                   std::optional<std::uint64_t> seed);

}  // namespace echo_track::grading
