// Fuzz target: the road of a traffic exercise file, from its bytes to what
// the tools print and draw: read, solved, written as the text report, as
// JSON and as the board in SVG.
//
// The target checks what a user is promised whatever the file holds: it is
// refused with one "file:line:column: what" (or "file: what" for its size),
// or it is read; a read exercise is solved; the report names every target
// and holds no control character but its line ends; the JSON parses and
// holds every target under its name; the board is SVG that XML admits
// character by character, each label a whole text element.

#include <nlohmann/json.hpp>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "console/safe_text.hpp"
#include "fuzz/fuzz_input.hpp"
#include "page/svg_writer.hpp"
#include "plot/traffic_board.hpp"
#include "traffic/traffic_solution.hpp"
#include "traffic_io/traffic_file.hpp"
#include "traffic_io/traffic_json.hpp"
#include "traffic_io/traffic_report.hpp"

namespace {

using fuzz::require;

constexpr std::string_view kSource = "fuzz.toml";

bool is_digits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// "fuzz.toml:line:column: what", or "fuzz.toml: what" for a file too large.
void check_refusal(std::string_view message) {
    require(message.substr(0, kSource.size() + 1) == std::string(kSource) + ":");
    std::string_view rest = message.substr(kSource.size() + 1);
    if (rest.substr(0, 11) == " more than ") return;
    const std::size_t line_end = rest.find(':');
    require(line_end != std::string_view::npos && is_digits(rest.substr(0, line_end)));
    rest.remove_prefix(line_end + 1);
    const std::size_t column_end = rest.find(": ");
    require(column_end != std::string_view::npos && is_digits(rest.substr(0, column_end)));
    require(rest.size() > column_end + 2);
}

// No character that moves the terminal, but the line ends.
void check_printable(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const console::Utf8Character c = console::utf8_character_at(text, at);
        require(c.valid && (c.code == '\n' || !console::is_control_character(c.code)));
        at += c.bytes;
    }
}

void check_report(const echo_track::traffic::TrafficExercise& e, const std::string& report) {
    check_printable(report);
    for (const auto& target : e.targets) require(report.find(target.name) != std::string::npos);
}

void check_json(const echo_track::traffic::TrafficExercise& e, const std::string& text) {
    const nlohmann::json json = nlohmann::json::parse(text, nullptr, false);
    require(!json.is_discarded() && json.contains("targets") && json["targets"].size() == e.targets.size());
    for (std::size_t i = 0; i < e.targets.size(); ++i) require(json["targets"][i]["name"] == e.targets[i].name);
}

// Every character one XML 1.0 admits, and each text element closed.
void check_svg(const std::string& svg) {
    for (std::size_t at = 0; at < svg.size();) {
        const console::Utf8Character c = console::utf8_character_at(svg, at);
        require(c.valid && (c.code == '\n' || (c.code >= 0x20 && c.code != 0xFFFE && c.code != 0xFFFF)));
        at += c.bytes;
    }
    std::size_t opened = 0;
    std::size_t closed = 0;
    for (std::size_t at = 0; (at = svg.find("<text ", at)) != std::string::npos; ++at) ++opened;
    for (std::size_t at = 0; (at = svg.find("</text>", at)) != std::string::npos; ++at) ++closed;
    require(opened == closed);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    namespace traffic = echo_track::traffic;
    namespace traffic_io = echo_track::traffic_io;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    traffic::TrafficExercise exercise;
    try {
        exercise = traffic_io::parse_traffic_exercise(text, std::string(kSource));
    } catch (const traffic_io::TrafficFileError& e) {
        check_refusal(e.what());
        return 0;
    }
    require(!exercise.targets.empty());
    const traffic::TrafficSolution solution = traffic::solve_traffic(exercise);
    require(solution.targets.size() == exercise.targets.size());
    check_report(exercise, traffic_io::traffic_report(exercise, solution));
    check_json(exercise, traffic_io::traffic_json(exercise, solution));
    check_svg(echo_track::page::svg_page(echo_track::plot::layout_traffic_board(exercise, solution)));
    return 0;
}
