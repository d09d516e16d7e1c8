// echo-track-sheets: seeded radar plotting exercises for instructors, as an
// A4 PDF of worksheets and answer pages, and on request as exercise files.

#include <CLI/CLI.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "grading/answer_form.hpp"
#include "page/cairo_painter.hpp"
#include "page/output_file.hpp"
#include "page/picture_format.hpp"
#include "sheets/exercise_files.hpp"
#include "sheets/exercise_kind.hpp"
#include "sheets/generator.hpp"
#include "sheets/sheet_book.hpp"
#include "tools/command_line_edge.hpp"
#include "tools/exercise_folder.hpp"
#include "tools/option_number.hpp"
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

// What the command line asks for, read and checked.
struct Request {
    std::uint64_t seed = 1;
    int count = 8;
    std::vector<sheets::Kind> kinds;
    std::string output;  // a .pdf file, or - for standard output
    std::string folder;  // the exercise files' folder, or none
    std::string forms;   // the answer forms' folder, or none
    bool replace = false;
};

// The options as typed, before they are read.
struct Typed {
    std::string seed = "1";
    std::string count = "8";
    std::vector<std::string> kinds;
    bool folder_given = false;
    bool forms_given = false;
};

// The request of the typed options, or why there is none.
std::optional<std::string> read_request(const Typed& typed, Request& request) {
    const auto seed = tools::option_whole(typed.seed, 0, UINT64_MAX);
    if (!seed) return "--seed: expected a whole number from 0 to 18446744073709551615 in decimal digits, not '" + typed.seed + "'";
    const auto count = tools::option_whole(typed.count, 1, kMostExercises);
    if (!count) return "--count: expected a whole number from 1 to 99 in decimal digits, not '" + typed.count + "'";
    request.seed = *seed;
    request.count = static_cast<int>(*count);
    for (const std::string& name : typed.kinds) {
        const auto kind = sheets::kind_named(name);
        if (!kind) return "--kinds: unknown kind " + name + " (known: " + all_kind_names() + ")";
        request.kinds.push_back(*kind);
    }
    if (request.kinds.empty()) request.kinds.assign(sheets::kAllKinds.begin(), sheets::kAllKinds.end());
    if (request.output != "-" && page::format_for(request.output) != page::Format::Pdf) {
        return "--output: '" + request.output + "' does not end in .pdf (or is -, for standard output)";
    }
    if (typed.folder_given && request.folder.empty()) return "--exercises: the folder name is empty";
    if (typed.forms_given && request.forms.empty()) return "--answer-forms: the folder name is empty";
    return std::nullopt;
}

// One folder the sheet writes into: the option that names it, the files of
// the sheet's own kind an earlier sheet left there, and the new files.
struct SheetFolder {
    const char* option;
    const char* file_kind;  // "an exercise file"
    std::string path;
    std::vector<tools::EarlierFile> earlier;
};

// Why the folder may not take the new sheet: files of an earlier one, unless
// --replace is given, and never a folder named like one of them.
std::optional<std::string> folder_refusal(const SheetFolder& f, bool replace) {
    for (const tools::EarlierFile& file : f.earlier) {
        if (file.folder) return std::string(f.option) + ": " + f.path + "/" + file.name + " is a folder, not " + f.file_kind;
    }
    if (f.earlier.empty() || replace) return std::nullopt;
    return std::string(f.option) + ": " + f.path + " holds the files of an earlier sheet (" + f.earlier.front().name +
           (f.earlier.size() > 1 ? " and " + std::to_string(f.earlier.size() - 1) + " more" : "") +
           "); give --replace to replace them";
}

// Writes the PDF, the exercise files and the answer forms, all of them or
// none; then removes what an earlier sheet left in the folders. 0, or the
// status of the refusal.
int write_sheet(const Request& request, const std::vector<sheets::SheetExercise>& sheet, const std::string& pdf) {
    std::vector<SheetFolder> folders;
    std::vector<std::vector<sheets::SheetFile>> contents;
    if (!request.folder.empty()) {
        folders.push_back({"--exercises", "an exercise file", request.folder, tools::earlier_sheet_files(request.folder, sheets::kExerciseFilePrefix)});
        contents.push_back(sheets::exercise_files(sheet));
    }
    if (!request.forms.empty()) {
        folders.push_back({"--answer-forms", "an answer form", request.forms, tools::earlier_sheet_files(request.forms, echo_track::grading::kFormPrefix)});
        contents.push_back(echo_track::grading::answer_forms(sheet, {request.seed, request.count, request.kinds}));
    }
    page::FileBatch batch;
    for (std::size_t i = 0; i < folders.size(); ++i) {
        if (const auto refusal = folder_refusal(folders[i], request.replace)) return usage_error(*refusal);
        batch.make_folder(folders[i].path);
        for (const sheets::SheetFile& file : contents[i]) {
            batch.stage(folders[i].path + "/" + file.name, file.bytes, page::LinkRule::Replace);
        }
    }
    if (request.output == "-") {
        page::write_standard_output(pdf);
    } else {
        batch.stage(request.output, pdf);
    }
    batch.commit();
    for (const SheetFolder& f : folders) tools::remove_earlier_files(f.path, f.earlier);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Request request;
    Typed typed;

    CLI::App app{"Makes radar plotting exercises from a seed: an A4 PDF with one worksheet page per\n"
                 "exercise (plotting sheet, the exercise, the questions), then one answer page per\n"
                 "exercise. The same seed and options give the same files.",
                 kProgram};
    app.add_option("--seed", typed.seed, "seed of the exercises, a whole number: the same seed gives the same sheet")
        ->type_name("N")->capture_default_str();
    app.add_option("--count", typed.count, "number of exercises, 1 to 99")->type_name("K")->capture_default_str();
    app.add_option("--kinds", typed.kinds, "kinds of exercise, used in turn: " + all_kind_names() + " (default: all)")
        ->type_name("LIST")->delimiter(',');
    app.add_option("--output,-o", request.output, "the PDF to write, .pdf; - for standard output")->type_name("FILE")->required();
    app.add_option("--exercises", request.folder, "also write each exercise as DIR/exercise-NN.toml, and a one-ship "
                                                  "exercise as DIR/exercise-NN.session for echo-track")
        ->type_name("DIR");
    app.add_option("--answer-forms", request.forms, "also write each exercise's answer form as DIR/answers-NN.toml, "
                                                    "for the student to fill in and echo-track-grade to grade")
        ->type_name("DIR");
    app.add_flag("--replace", request.replace, "let --exercises and --answer-forms replace the files of an earlier sheet in their folders");
    app.set_version_flag("--version", echo_track::version_text(kProgram));

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return tools::answer_early_end(kProgram, app, e);
    }
    typed.folder_given = app.count("--exercises") > 0;
    typed.forms_given = app.count("--answer-forms") > 0;
    if (const auto problem = read_request(typed, request)) return usage_error(*problem);

    const std::vector<sheets::SheetExercise> sheet = sheets::generate_sheet(request.seed, request.count, request.kinds);
    try {
        const std::string pdf =
            page::paint_pdf_pages(sheets::sheet_pages(sheet, request.seed), page::Paper::A4, sheets::sheet_title(request.seed));
        return write_sheet(request, sheet, pdf);
    } catch (const page::OutputError& e) {
        return usage_error(e.what());
    } catch (const page::RenderError& e) {
        return tools::complain(kProgram, e.what(), tools::kFailedStatus);
    }
}
