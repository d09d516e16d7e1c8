#include "grading/form_grade.hpp"

#include <map>

namespace echo_track::grading {
namespace {

FormGrade refusal(const std::string& source, std::string why) {
    FormGrade g;
    g.source = source;
    g.refused = std::move(why);
    return g;
}

}  // namespace

FormGrade grade_form(const FilledForm& form, const std::string& source, const Tolerances& tolerances,
                     std::optional<std::uint64_t> seed) {
    if (form.generator != generator_text()) {
        return refusal(source, "made by " + form.generator + ", not by " + generator_text() + ": grade it with that version");
    }
    if (seed && form.origin.seed != *seed) {
        return refusal(source, "a form of the sheet of seed " + std::to_string(form.origin.seed) + ", not of seed " +
                                   std::to_string(*seed));
    }
    const std::vector<sheets::SheetExercise> sheet = sheets::generate_sheet(form.origin.seed, form.origin.count, form.origin.kinds);
    const sheets::SheetExercise& x = sheet.at(static_cast<std::size_t>(form.exercise - 1));
    if (exercise_check(x) != form.check) {
        return refusal(source, "its exercise is not exercise " + std::to_string(form.exercise) + " of the sheet of seed " +
                                   std::to_string(form.origin.seed) + ": the lines above [answers] were changed");
    }
    FormGrade g;
    g.source = source;
    g.seed = form.origin.seed;
    g.exercise = form.exercise;
    g.kind = x.kind;
    g.grade = grade_exercise(x, form.answers, tolerances);
    return g;
}

std::vector<FormGrade> grade_files(const std::vector<std::string>& paths, const Tolerances& tolerances,
                                   std::optional<std::uint64_t> seed) {
    std::vector<FormGrade> grades;
    for (const std::string& path : paths) {
        try {
            grades.push_back(grade_form(read_answer_form(path), path, tolerances, seed));
        } catch (const FormError& e) {
            // The reason without the file's name, which the grade names already.
            std::string why = e.what();
            if (why.rfind(path + ":", 0) == 0) why.erase(0, path.size() + 1);
            if (!why.empty() && why.front() == ' ') why.erase(0, 1);
            grades.push_back(refusal(path, why));
        }
    }
    return grades;
}

}  // namespace echo_track::grading
