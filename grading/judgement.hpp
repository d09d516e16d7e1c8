#pragma once
// Each answer of a form judged against the key, with the tolerances of hand
// plotting: a figure is right within its tolerance of the key's; a new
// course or speed is right when, steered from the manoeuvre time, it gives
// every ship at least the required CPA (by grading/passing_simulation.hpp)
// and turns to a side the rules allow: a larger alteration than the key's
// is good seamanship, not an error.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "sheets/answer_key.hpp"

namespace echo_track::grading {

// What hand plotting is good to; each settable.
struct Tolerances {
    double bearing_deg = 3.0;      // bearings and courses
    double distance_nm = 0.2;      // distances: the larger of this
    double distance_mm = 1.0;      //   and this on the sheet's scale
    double speed_kt = 0.5;
    double time_min = 4.0;         // spans of time and clock times
    double aspect_deg = 5.0;
    double slow_target_kt = 3.0;   // a target slower than this has a course hard to plot:
    double slow_course_deg = 10.0; //   its true course is judged within this
};

enum class Mark { Right, Wrong, Unanswered, NotReadable };

struct ItemGrade {
    sheets::KeyItem item;
    std::string written;     // the student's text, as written
    std::string key;         // the key's figure, as the answer page gives it
    Mark mark = Mark::Wrong;
    std::string note;        // why it is not right, where there is more to say
};

struct ExerciseGrade {
    std::vector<ItemGrade> items;
    int right = 0;
    int out_of = 0;
};

// Every item of the exercise's key judged against `answers` (by the form's
// keys); an item without an answer is unanswered.
ExerciseGrade grade_exercise(const sheets::SheetExercise& x, const std::map<std::string, std::string>& answers,
                             const Tolerances& tolerances);

// The tolerance the key's figure of `item` is judged within (none for the
// items judged otherwise: yes or no, the encounter, a new course or speed).
std::optional<double> tolerance_of(const sheets::SheetExercise& x, const sheets::KeyItem& item, const Tolerances& tolerances);

}  // namespace echo_track::grading
