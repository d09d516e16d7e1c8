// echo-track-plot: one exercise, given as options named after the dialog's
// questions, solved like echo-track solves it and drawn as a plotting sheet
// to an SVG, PNG or PDF file, or to standard output.

#include <CLI/CLI.hpp>

#include <array>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>

#include "app/typed_exercise.hpp"
#include "console/field_text.hpp"
#include "page/cairo_painter.hpp"
#include "page/output_file.hpp"
#include "page/paper.hpp"
#include "page/picture.hpp"
#include "plot/layout.hpp"
#include "solver/manoeuvre.hpp"
#include "solver/plot_solution.hpp"
#include "tools/command_line_edge.hpp"
#include "tools/option_number.hpp"
#include "tools/traffic_command.hpp"
#include "version/version.hpp"

namespace {

namespace page = echo_track::page;
namespace tools = echo_track::tools;
using echo_track::TypedExercise;

constexpr const char* kProgram = "echo-track-plot";

// One exercise option: its name, the unit shown in --help, its question, the
// value it sets, and whether the dialog takes it as a whole number.
struct ExerciseOption {
    const char* name;
    const char* unit;
    const char* question;
    double TypedExercise::*value;
    bool whole;
};

constexpr std::array<ExerciseOption, 10> kOptions = {{
    {"--course-a", "DEG", "own ship A: true course, degrees", &TypedExercise::course, true},
    {"--velocity-a", "KT", "own ship A: speed, knots", &TypedExercise::velocity, false},
    {"--time-b1", "HHMM", "observation B-1: clock time, hhmm (four digits)", &TypedExercise::time1, true},
    {"--bearing-b1", "DEG", "observation B-1: true bearing of B (rwP1), degrees", &TypedExercise::bearing1, true},
    {"--distance-b1", "NM", "observation B-1: distance of B, nautical miles", &TypedExercise::distance1, false},
    {"--time-b2", "HHMM", "observation B-2: clock time, hhmm (four digits)", &TypedExercise::time2, true},
    {"--bearing-b2", "DEG", "observation B-2: true bearing of B (rwP2), degrees", &TypedExercise::bearing2, true},
    {"--distance-b2", "NM", "observation B-2: distance of B, nautical miles", &TypedExercise::distance2, false},
    {"--min-cpa", "NM", "minimal CPA to maintain, nautical miles (more than 0.001)", &TypedExercise::min_cpa, false},
    {"--delay", "MIN", "evasive manoeuvre after this many minutes from B-2", &TypedExercise::delay, true},
}};

int usage_error(const std::string& message) { return tools::refuse(kProgram, message); }

// The exercise values typed as options, read into `typed`; the first that is
// no number, as an error message.
std::optional<std::string> unreadable_value(const std::array<std::optional<std::string>, kOptions.size()>& texts,
                                            TypedExercise& typed) {
    for (std::size_t i = 0; i < kOptions.size(); ++i) {
        if (!texts[i]) continue;
        const std::optional<double> number = tools::option_number(*texts[i]);
        if (!number) return std::string(kOptions[i].name) + ": not a number: '" + *texts[i] + "'";
        typed.*kOptions[i].value = *number;
    }
    return std::nullopt;
}

// The picture's format: --format when given, else the output file's extension.
std::optional<echo_track::page::Format> chosen_format(const std::string& output, const std::string& format_name) {
    if (format_name.empty()) return output == "-" ? std::nullopt : page::format_for(output);
    if (format_name.find_first_of("./") != std::string::npos) return std::nullopt;  // a name, not a path
    return page::format_for("." + format_name);
}

// The first value that cannot be drawn (a number too large for a double,
// such as 1e999), as an error message.
std::optional<std::string> unusable_value(const TypedExercise& typed) {
    for (const ExerciseOption& option : kOptions) {
        if (!std::isfinite(typed.*option.value)) return std::string(option.name) + ": not a finite number";
    }
    if (typed.min_cpa < echo_track::kLeastCpa) {
        return "--min-cpa: must be more than 0.001 nautical miles (the dialog ends there)";
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    namespace plot = echo_track::plot;
    // A traffic exercise file selects the traffic front end (echo-track-traffic,
    // under this program's name, as scripts have it); without one the options
    // draw the one-ship picture as ever.
    if (tools::names_traffic_file(argc, argv)) return tools::run_traffic_command(kProgram, argc, argv);
    TypedExercise typed = echo_track::default_exercise();
    std::array<std::optional<std::string>, kOptions.size()> texts;
    std::string output;
    std::string format_name;

    CLI::App app{"Draws the relative-motion plot of one ECHO-TRACK exercise: north up, own ship A at the\n"
                 "centre, B's plotted positions, relative track and CPA, the velocity triangle and the\n"
                 "evasive manoeuvre. Every exercise value defaults to the default exercise.\n"
                 "\n"
                 "  echo-track-plot [EXERCISE OPTIONS] -o FILE     the one-ship plotting sheet (-o is needed)\n"
                 "  echo-track-plot FILE.toml [--json] [-o FILE]   a traffic exercise of several ships, as\n"
                 "                                                 echo-track-traffic solves it",
                 kProgram};
    for (std::size_t i = 0; i < kOptions.size(); ++i) {
        const ExerciseOption& option = kOptions[i];
        const double value = typed.*option.value;
        const std::string shown = option.whole ? console::whole_text(static_cast<int>(value)) : console::decimal_text(value, 1);
        app.add_option(option.name, texts[i], option.question)->type_name(option.unit)->default_str(shown);
    }
    app.add_option("--output,-o", output, "picture file to write: .svg, .png or .pdf; - for standard output")
        ->type_name("FILE");
    std::string paper_name = "a4";
    app.add_option("--page", paper_name, "paper of a PDF: a4 or letter (SVG and PNG keep the plot's size)")
        ->type_name("PAPER")->capture_default_str();
    app.add_option("--format", format_name, "svg, png or pdf: the picture's format, whatever the file name")
        ->type_name("FORMAT");
    app.set_version_flag("--version", echo_track::version_text(kProgram));

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return tools::answer_early_end(kProgram, app, e);
    }
    if (app.count("--output") == 0) return usage_error("--output is required");
    if (output.empty()) return usage_error("--output: the file name is empty");
    if (const auto problem = unreadable_value(texts, typed)) return usage_error(*problem);
    if (const auto problem = unusable_value(typed)) return usage_error(*problem);
    const std::optional<page::Format> format = chosen_format(output, format_name);
    if (!format && !format_name.empty()) return usage_error("--format: " + format_name + " is not svg, png or pdf");
    if (!format && output == "-") return usage_error("--output -: standard output needs --format svg, png or pdf");
    if (!format) return usage_error("--output: " + output + " does not end in .svg, .png or .pdf");
    const std::optional<page::Paper> paper = page::paper_named(paper_name);
    if (!paper) return usage_error("--page: " + paper_name + " is neither a4 nor letter");

    const echo_track::PlotRecord record = echo_track::exercise_record(typed);
    const echo_track::PlotSolution solution = echo_track::solve_plot(record);
    const std::optional<echo_track::Manoeuvre> manoeuvre = echo_track::solve_manoeuvre(record, solution);
    try {
        const page::Drawing drawing = plot::layout_plot(record, solution, manoeuvre);
        const std::string picture = page::encode_picture(drawing, *format, *paper);
        if (output == "-") {
            page::write_standard_output(picture);
        } else {
            page::write_whole_file(output, picture);
        }
    } catch (const page::OutputError& e) {
        return usage_error(e.what());
    } catch (const page::RenderError& e) {
        return tools::complain(kProgram, e.what(), tools::kFailedStatus);
    }
    return 0;
}
