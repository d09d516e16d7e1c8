// echo-track-grade: the answer forms of an echo-track-sheets sheet graded
// against its key, with the tolerances of hand plotting, as text or JSON.

#include <CLI/CLI.hpp>

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "grading/form_grade.hpp"
#include "grading/grade_report.hpp"
#include "tools/command_line_edge.hpp"
#include "tools/option_number.hpp"
#include "version/version.hpp"

namespace {

namespace grading = echo_track::grading;
namespace tools = echo_track::tools;

constexpr const char* kProgram = "echo-track-grade";

// A tolerance as typed, and where it goes.
struct TypedTolerance {
    const char* option;
    const char* help;
    double grading::Tolerances::*field;
    std::string typed;
};

std::optional<std::string> read_tolerances(std::vector<TypedTolerance>& typed, grading::Tolerances& tolerances) {
    for (TypedTolerance& t : typed) {
        if (t.typed.empty()) continue;
        const auto value = tools::option_number(t.typed);
        if (!value || *value < 0.0) return std::string(t.option) + ": expected a number of 0 or more, not '" + t.typed + "'";
        tolerances.*t.field = *value;
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> files;
    bool json = false;
    std::string seed_typed;
    grading::Tolerances tolerances;
    std::vector<TypedTolerance> typed = {
        {"--bearing-deg", "bearings and courses, degrees (3)", &grading::Tolerances::bearing_deg, ""},
        {"--distance-nm", "distances, nm, or --distance-mm on the sheet if more (0.2)", &grading::Tolerances::distance_nm, ""},
        {"--distance-mm", "distances, millimetres on the sheet's scale (1)", &grading::Tolerances::distance_mm, ""},
        {"--speed-kt", "speeds, knots (0.5)", &grading::Tolerances::speed_kt, ""},
        {"--time-min", "the TCPA and clock times, minutes (4)", &grading::Tolerances::time_min, ""},
        {"--aspect-deg", "the aspect, degrees (5)", &grading::Tolerances::aspect_deg, ""},
        {"--slow-kt", "a target slower than this, knots (3), has its true course judged within --slow-course-deg",
         &grading::Tolerances::slow_target_kt, ""},
        {"--slow-course-deg", "the true course of such a slow target, degrees (10)", &grading::Tolerances::slow_course_deg, ""},
    };

    CLI::App app{"Grades the answer forms that echo-track-sheets --answer-forms writes: per question the\n"
                 "answer as written, the key's figure and right or wrong, a score per form and for all.",
                 kProgram};
    app.add_option("files", files, "filled answer forms, answers-NN.toml")->type_name("FILE")->required();
    app.add_flag("--json", json, "print the grades as JSON, for a class list");
    app.add_option("--seed", seed_typed, "refuse forms of any other sheet's seed")->type_name("N");
    for (TypedTolerance& t : typed) app.add_option(t.option, t.typed, t.help)->type_name("X");
    app.set_version_flag("--version", echo_track::version_text(kProgram));
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return tools::answer_early_end(kProgram, app, e);
    }
    if (const auto problem = read_tolerances(typed, tolerances)) return tools::refuse(kProgram, *problem);
    std::optional<std::uint64_t> seed;
    if (app.count("--seed") > 0) {
        seed = tools::option_whole(seed_typed, 0, UINT64_MAX);
        if (!seed) return tools::refuse(kProgram, "--seed: expected a whole number in decimal digits, not '" + seed_typed + "'");
    }

    const std::vector<grading::FormGrade> grades = grading::grade_files(files, tolerances, seed);
    const std::string report = json ? grading::grade_json(grades) : grading::grade_text(grades);
    if (const int error = tools::write_text(1, report); error != 0) {
        return tools::complain(kProgram, std::string("cannot write standard output: ") + std::strerror(error), tools::kFailedStatus);
    }
    int refused = 0;
    for (const grading::FormGrade& g : grades) {
        if (!g.refused) continue;
        tools::refuse(kProgram, g.source + ": " + *g.refused);
        ++refused;
    }
    return refused > 0 ? tools::kRefusedStatus : 0;
}
