#include "tools/traffic_command.hpp"

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <string_view>

#include "page/cairo_painter.hpp"
#include "page/output_file.hpp"
#include "page/paper.hpp"
#include "page/picture.hpp"
#include "plot/traffic_board.hpp"
#include "tools/command_line_edge.hpp"
#include "traffic/traffic_solution.hpp"
#include "traffic_io/traffic_file.hpp"
#include "traffic_io/traffic_json.hpp"
#include "traffic_io/traffic_report.hpp"
#include "traffic_io/traffic_text.hpp"
#include "version/version.hpp"

namespace echo_track::tools {
namespace {

bool ends_with(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// The board as the bytes of its picture, or why cairo could not paint it.
struct Board {
    std::string picture;
    std::string failure;
};
Board draw_board(const traffic::TrafficExercise& exercise, const traffic::TrafficSolution& solution, page::Format format,
                 page::Paper paper) {
    try {
        return Board{page::encode_picture(plot::layout_traffic_board(exercise, solution), format, paper), ""};
    } catch (const page::RenderError& e) {
        return Board{"", e.what()};
    }
}

}  // namespace

bool names_traffic_file(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (ends_with(argv[i], ".toml") && std::string_view(argv[i]).rfind('-', 0) != 0) return true;
    }
    return false;
}

int run_traffic_command(std::string_view program_name, int argc, char** argv) {
    const std::string program(program_name);
    const auto refuse = [&](const std::string& message) { return tools::refuse(program, message); };
    std::string file;
    std::string output;
    bool json = false;
    CLI::App app{"Solves a traffic exercise file (TOML): CPA and TCPA of every target, the own courses that\n"
                 "clear them all, the smallest alterations to either side, the speed alternative and the\n"
                 "trial manoeuvre. Prints the report, or JSON; -o draws the board.",
                 program};
    app.add_option("file", file, "traffic exercise file, .toml")->type_name("FILE.toml")->required();
    app.add_flag("--json", json, "print the report as JSON (described by docs/traffic-report.schema.json)");
    app.add_option("--output,-o", output, "also draw the board to this file: .svg, .png or .pdf")->type_name("FILE");
    std::string paper_name = "a4";
    app.add_option("--page", paper_name, "paper of a PDF: a4 or letter (SVG and PNG keep the board's size)")
        ->type_name("PAPER")->capture_default_str();
    app.set_version_flag("--version", version_text(program));
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return answer_early_end(program, app, e);
    }
    std::optional<page::Format> format;
    if (app.count("--output") > 0) {
        if (output.empty()) return refuse("--output: the file name is empty");
        format = page::format_for(output);
        if (!format) return refuse("--output: " + output + " does not end in .svg, .png or .pdf");
    }
    const std::optional<page::Paper> paper = page::paper_named(paper_name);
    if (!paper) return refuse("--page: " + paper_name + " is neither a4 nor letter");

    traffic::TrafficExercise exercise;
    try {
        exercise = traffic_io::read_traffic_file(file);
    } catch (const traffic_io::TrafficFileError& e) {
        return refuse(e.what());
    }
    const traffic::TrafficSolution solution = traffic::solve_traffic(exercise);
    // Figures that cannot be meant are plotted all the same, and said so.
    for (const std::string& warning : traffic_io::traffic_warnings(solution)) write_text(2, program + ": warning: " + warning + "\n");
    // A board cairo cannot paint (too many targets for a PNG) still leaves the
    // report to print; a board file that cannot be written is refused first.
    Board board;
    if (format) board = draw_board(exercise, solution, *format, *paper);
    if (format && board.failure.empty()) {
        try {
            page::write_whole_file(output, board.picture);
        } catch (const page::OutputError& e) {
            return refuse(e.what());
        }
    }
    try {
        page::write_standard_output(json ? traffic_io::traffic_json(exercise, solution) : traffic_io::traffic_report(exercise, solution));
    } catch (const page::OutputError& e) {
        // A report that did not reach its reader is never a success.
        return complain(program, e.what(), kFailedStatus);
    }
    if (!board.failure.empty()) return complain(program, "the board was not drawn: " + board.failure, kFailedStatus);
    return 0;
}

}  // namespace echo_track::tools
