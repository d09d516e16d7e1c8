#include "grading/judgement.hpp"

#include <algorithm>
#include <cmath>

#include "grading/passing_simulation.hpp"
#include "grading/student_value.hpp"
#include "sheets/key_text.hpp"
#include "sheets/plotting_scale.hpp"
#include "traffic/recommendation.hpp"
#include "traffic/vec2.hpp"

namespace echo_track::grading {
namespace {

using sheets::KeyItem;
using sheets::Measure;

constexpr double kMinutesPerDay = 1440.0;

// How far apart two figures of the measure are: angles and clock times the
// shorter way round.
double apart(Measure measure, double a, double b) {
    switch (measure) {
        case Measure::Bearing:
        case Measure::TrueCourse:
        case Measure::RedGreen: return std::fabs(traffic::signed_turn(a, b));
        case Measure::Clock: {
            const double d = std::fmod(std::fabs(a - b), kMinutesPerDay);
            return std::min(d, kMinutesPerDay - d);
        }
        default: return std::fabs(a - b);
    }
}

// The student's figure for the other half of a course-and-speed answer, or
// the present one when that half is not asked or not readable.
double other_half(const std::map<std::string, std::string>& answers, const std::string& name, Measure measure, double present) {
    const auto found = answers.find(name);
    if (found == answers.end()) return present;
    const StudentValue v = read_student_value(found->second, measure);
    return v.number ? *v.number : present;
}

// A new course and speed: right when it clears every ship and the rules allow it.
bool manoeuvre_right(const sheets::SheetExercise& x, const traffic::CourseAndSpeed& steered, std::string& note) {
    const traffic::TrafficSolution& s = x.solution;
    if (!clears_in_simulation(s, steered, x.exercise.required_cpa_nm)) {
        note = "some ship then passes closer than the required CPA";
        return false;
    }
    if (!traffic::rules_allow(s.targets, s.rules, x.exercise.own, steered)) {
        note = "a turn the rules ask the own ship to avoid";
        return false;
    }
    return true;
}

ItemGrade grade_item(const sheets::SheetExercise& x, const KeyItem& item, const std::map<std::string, std::string>& answers,
                     const Tolerances& tolerances) {
    ItemGrade grade{item, "", sheets::key_value_text(item), Mark::Unanswered, ""};
    const auto found = answers.find(item.name);
    if (found == answers.end()) return grade;
    grade.written = found->second;
    const StudentValue v = read_student_value(found->second, item.measure);
    if (!v.problem.empty()) {
        grade.mark = v.problem == kNotAnswered ? Mark::Unanswered : Mark::NotReadable;
        if (grade.mark == Mark::NotReadable) grade.note = v.problem;
        return grade;
    }
    bool right = false;
    const traffic::CourseAndSpeed own = x.exercise.own;
    switch (item.measure) {
        case Measure::YesNo:
        case Measure::Encounter: right = v.word == item.word; break;
        case Measure::NewCourse:
            right = manoeuvre_right(x, {*v.number, other_half(answers, "new_speed", Measure::NewSpeed, own.speed_kt)}, grade.note);
            break;
        case Measure::NewSpeed:
            right = manoeuvre_right(x, {other_half(answers, "new_course", Measure::NewCourse, own.course), *v.number}, grade.note);
            break;
        default: right = apart(item.measure, *v.number, item.value) <= *tolerance_of(x, item, tolerances); break;
    }
    grade.mark = right ? Mark::Right : Mark::Wrong;
    return grade;
}

}  // namespace

std::optional<double> tolerance_of(const sheets::SheetExercise& x, const KeyItem& item, const Tolerances& tolerances) {
    switch (item.measure) {
        case Measure::Bearing: return tolerances.bearing_deg;
        case Measure::TrueCourse: {
            const bool slow = item.ship && x.solution.targets[*item.ship].true_speed_kt < tolerances.slow_target_kt;
            return slow ? tolerances.slow_course_deg : tolerances.bearing_deg;
        }
        case Measure::Distance: {
            const sheets::PlotScale scale = sheets::plot_scale_for(x.exercise, x.solution);
            return std::max(tolerances.distance_nm, tolerances.distance_mm * scale.nm_per_mm());
        }
        case Measure::Speed: return tolerances.speed_kt;
        case Measure::Minutes:
        case Measure::Clock: return tolerances.time_min;
        case Measure::RedGreen: return tolerances.aspect_deg;
        default: return std::nullopt;
    }
}

ExerciseGrade grade_exercise(const sheets::SheetExercise& x, const std::map<std::string, std::string>& answers,
                             const Tolerances& tolerances) {
    ExerciseGrade grade;
    for (const KeyItem& item : sheets::key_items(x)) {
        grade.items.push_back(grade_item(x, item, answers, tolerances));
        grade.right += grade.items.back().mark == Mark::Right ? 1 : 0;
        ++grade.out_of;
    }
    return grade;
}

}  // namespace echo_track::grading
