#pragma once
// The Exercises view's side of the bridge: the sheets' generator and the
// grading, as JSON. A sheet is named as echo-track-sheets names it: the seed
// (decimal digits), the kinds used in turn ("head-on,several"; "all" or
// empty for all eight) and the count; exercise N of a sheet is the same for
// any count of N or more.
//
//   sheet:    { "title", "exercises": [ { "number", "kind", "title",
//               "worksheet": SVG, "answers": SVG } ] }
//   exercise: { "number", "kind", "title", "worksheet": SVG,
//               "questions": [ { "number", "text", "items": [ { "name",
//               "hint" } ] } ] }
//   grade:    { "right", "out_of", "items": [ { "name", "question",
//               "written", "key", "mark": "right" | "wrong" | "unanswered" |
//               "not readable", "note" } ], "answers": SVG of the key's
//               page, "board": SVG of the solved board }

#include <string>

namespace echo_track::web {

std::string sheet_answer(const std::string& seed, const std::string& kinds, int count);

// `count`: how many exercises the sheet has, for the page's footer.
std::string exercise_answer(const std::string& seed, const std::string& kinds, int number, int count);

// `answers`: one line per answer, its key in the form, a tab, the text as written.
std::string grade_answer(const std::string& seed, const std::string& kinds, int number, int count, const std::string& answers);

}  // namespace echo_track::web
