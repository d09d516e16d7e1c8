#include "plot/traffic_command.hpp"

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <string_view>

#include "plot/output_file.hpp"
#include "plot/paper.hpp"
#include "plot/renderer.hpp"
#include "plot/svg_page.hpp"
#include "plot/tool_edge.hpp"
#include "plot/traffic_board.hpp"
#include "plot/traffic_file.hpp"
#include "plot/traffic_json.hpp"
#include "plot/traffic_report.hpp"
#include "traffic/traffic_solution.hpp"
#include "version/version.hpp"

namespace echo_track::plot {
namespace {

constexpr const char* kProgram = "echo-track-plot";

int refuse(const std::string& message) { return plot::refuse(kProgram, message); }

bool ends_with(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

}  // namespace

bool names_traffic_file(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (ends_with(argv[i], ".toml") && std::string_view(argv[i]).rfind('-', 0) != 0) return true;
    }
    return false;
}

int run_traffic_command(int argc, char** argv) {
    std::string file;
    std::string output;
    bool json = false;
    CLI::App app{"Solves a traffic exercise file (TOML): CPA and TCPA of every target, the own courses that\n"
                 "clear them all, the smallest alterations to either side, the speed alternative and the\n"
                 "trial manoeuvre. Prints the report, or JSON; -o draws the board.",
                 kProgram};
    app.add_option("file", file, "traffic exercise file, .toml")->type_name("FILE.toml")->required();
    app.add_flag("--json", json, "print the report as JSON (described by docs/traffic-report.schema.json)");
    app.add_option("--output,-o", output, "also draw the board to this file: .svg, .png or .pdf")->type_name("FILE");
    std::string page = "a4";
    app.add_option("--page", page, "paper of a PDF: a4 or letter (SVG and PNG keep the board's size)")
        ->type_name("PAPER")->capture_default_str();
    app.set_version_flag("--version", version_text(kProgram));
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return answer_early_end(kProgram, app, e);
    }
    std::optional<Format> format;
    if (!output.empty()) {
        format = format_for(output);
        if (!format) return refuse("--output: " + output + " does not end in .svg, .png or .pdf");
    }
    const std::optional<Paper> paper = paper_named(page);
    if (!paper) return refuse("--page: " + page + " is neither a4 nor letter");

    traffic::TrafficExercise exercise;
    try {
        exercise = read_traffic_file(file);
    } catch (const TrafficFileError& e) {
        return refuse(e.what());
    }
    const traffic::TrafficSolution solution = traffic::solve_traffic(exercise);
    if (format) {
        try {
            const Drawing board = layout_traffic_board(exercise, solution);
            // SVG is written directly, with real text; cairo paints PNG and PDF.
            write_whole_file(output, *format == Format::Svg ? svg_page(board) : render(board, *format, *paper));
        } catch (const OutputError& e) {
            return refuse(e.what());
        } catch (const RenderError& e) {
            return complain(kProgram, e.what(), kFailedStatus);
        }
    }
    try {
        write_standard_output(json ? traffic_json(exercise, solution) : traffic_report(exercise, solution));
    } catch (const OutputError& e) {
        // A report that did not reach its reader is never a success.
        return complain(kProgram, e.what(), kFailedStatus);
    }
    return 0;
}

}  // namespace echo_track::plot
