#pragma once
// The grades as the instructor and the student read them: per form every
// question's answer as written, the key's figure and right or wrong, the
// score of the form, and the score of all; and the same as JSON for a class
// list (a figure not given is null).

#include <string>
#include <vector>

#include "grading/form_grade.hpp"

namespace echo_track::grading {

std::string grade_text(const std::vector<FormGrade>& grades);

std::string grade_json(const std::vector<FormGrade>& grades);

}  // namespace echo_track::grading
