// echo-track-sheets: seeded radar plotting exercises for instructors, as an
// A4 PDF of worksheets and answer pages, and on request as exercise files.

#include <CLI/CLI.hpp>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "page/cairo_painter.hpp"
#include "page/output_file.hpp"
#include "sheets/exercise_files.hpp"
#include "sheets/exercise_kind.hpp"
#include "sheets/generator.hpp"
#include "sheets/sheet_book.hpp"
#include "tools/command_line_edge.hpp"
#include "version/version.hpp"

namespace {

namespace page = echo_track::page;
namespace sheets = echo_track::sheets;
namespace tools = echo_track::tools;

constexpr int kMostExercises = 99;

constexpr const char* kProgram = "echo-track-sheets";

int usage_error(const std::string& message) { return tools::refuse(kProgram, message); }

std::string all_kind_names() {
    std::string names;
    for (const sheets::Kind kind : sheets::kAllKinds) names += (names.empty() ? "" : ",") + std::string(sheets::kind_name(kind));
    return names;
}

void write_exercise_files(const std::string& folder, const std::vector<sheets::SheetExercise>& sheet) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) throw page::OutputError("cannot make the folder " + folder + ": " + error.message());
    for (const sheets::SheetFile& file : sheets::exercise_files(sheet)) {
        page::write_whole_file((std::filesystem::path(folder) / file.name).string(), file.bytes);
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::uint64_t seed = 1;
    int count = 8;
    std::vector<std::string> kind_names;
    std::string output;
    std::string folder;

    CLI::App app{"Makes radar plotting exercises from a seed: an A4 PDF with one worksheet page per\n"
                 "exercise (plotting sheet, the exercise, the questions), then one answer page per\n"
                 "exercise. The same seed and options give the same files.",
                 kProgram};
    app.add_option("--seed", seed, "seed of the exercises: the same seed gives the same sheet")
        ->type_name("N")->capture_default_str();
    app.add_option("--count", count, "number of exercises, 1 to 99")
        ->type_name("K")->capture_default_str()->check(CLI::Range(1, kMostExercises));
    app.add_option("--kinds", kind_names, "kinds of exercise, used in turn: " + all_kind_names() + " (default: all)")
        ->type_name("LIST")->delimiter(',');
    app.add_option("--output,-o", output, "the PDF to write")->type_name("FILE")->required();
    app.add_option("--exercises", folder, "also write each exercise as DIR/exercise-NN.toml, and a one-ship "
                                          "exercise as DIR/exercise-NN.session for echo-track")
        ->type_name("DIR");
    app.set_version_flag("--version", echo_track::version_text(kProgram));

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return tools::answer_early_end(kProgram, app, e);
    }
    std::vector<sheets::Kind> kinds;
    for (const std::string& name : kind_names) {
        const auto kind = sheets::kind_named(name);
        if (!kind) return usage_error("--kinds: unknown kind " + name + " (known: " + all_kind_names() + ")");
        kinds.push_back(*kind);
    }
    if (kinds.empty()) kinds.assign(sheets::kAllKinds.begin(), sheets::kAllKinds.end());

    const std::vector<sheets::SheetExercise> sheet = sheets::generate_sheet(seed, count, kinds);
    try {
        const std::string pdf = page::paint_pdf_pages(sheets::sheet_pages(sheet, seed), page::Paper::A4, sheets::sheet_title(seed));
        if (!folder.empty()) write_exercise_files(folder, sheet);
        page::write_whole_file(output, pdf);
    } catch (const page::OutputError& e) {
        return usage_error(e.what());
    } catch (const page::RenderError& e) {
        return tools::complain(kProgram, e.what(), tools::kFailedStatus);
    }
    return 0;
}
