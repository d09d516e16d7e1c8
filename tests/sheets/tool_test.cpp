// The built echo-track-sheets as an instructor uses it: the same seed gives
// the same bytes, another seed other exercises; the PDF has a worksheet, a
// key and a page of the programs' figures per exercise on A4, and its text
// holds the figures; and
// every session file run through the built echo-track prints exactly the
// report that its answer page shows.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "sheets/exercise_files.hpp"
#include "sheets/exercise_text.hpp"
#include "sheets/generator.hpp"
#include "sheets/key_text.hpp"

namespace echo_track::sheets {
namespace {

namespace fs = std::filesystem;

constexpr int kCount = static_cast<int>(kAllKinds.size());  // every kind once

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Standard output of a shell command; the test fails if it does not end with status 0.
std::string output_of(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return out;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;) out.append(buf, n);
    EXPECT_EQ(pclose(pipe), 0) << command;
    return out;
}

// Runs of blanks and line ends made one blank, as pdftotext may space them.
std::string squeezed(const std::string& text) {
    std::string out;
    for (const char c : text) {
        const bool blank = c == ' ' || c == '\n' || c == '\t';
        if (blank && (out.empty() || out.back() == ' ')) continue;
        out += blank ? ' ' : c;
    }
    return out;
}

std::vector<std::string> lines_of(const std::string& text, char end = '\n') {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line, end);) lines.push_back(line);
    return lines;
}

class SheetsTool : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // In a sanitizer build the leak checker would blame the tool for the
        // font configuration that fontconfig holds until the process ends.
        setenv("LSAN_OPTIONS", "suppressions=" ECHO_TRACK_LSAN_SUPPRESSIONS ":print_suppressions=0", 1);
        folder_ = fs::temp_directory_path() / ("echo-track-sheets-test-" + std::to_string(getpid()));
        fs::create_directories(folder_);
        for (const char* run : {"a", "b"}) make_sheet(1, run);
        make_sheet(2, "c");
    }
    static void TearDownTestSuite() { fs::remove_all(folder_); }

    static void make_sheet(int seed, const std::string& run) {
        const fs::path dir = folder_ / run;
        const std::string command = std::string(ECHO_TRACK_SHEETS_PATH) + " --seed " + std::to_string(seed) +
                                    " --count " + std::to_string(kCount) + " -o " + (dir / "sheets.pdf").string() +
                                    " --exercises " + (dir / "files").string();
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }

    // Every file of a run, by name.
    static std::vector<std::pair<std::string, std::string>> files_of(const std::string& run) {
        std::vector<std::pair<std::string, std::string>> files{{"sheets.pdf", read_file(folder_ / run / "sheets.pdf")}};
        for (const auto& entry : fs::directory_iterator(folder_ / run / "files")) {
            files.emplace_back(entry.path().filename(), read_file(entry.path()));
        }
        std::sort(files.begin(), files.end());
        return files;
    }

    // The text of each page of the PDF.
    static std::vector<std::string> page_texts(const std::string& run) {
        return lines_of(output_of("pdftotext " + (folder_ / run / "sheets.pdf").string() + " -"), '\f');
    }

    static inline fs::path folder_;
};

TEST_F(SheetsTool, SameSeedSameBytesOtherSeedOtherExercises) {
    const auto a = files_of("a");
    EXPECT_EQ(a.size(), 1u + kCount + kCount - 1u);  // the several-ships exercise has no session
    EXPECT_EQ(a, files_of("b"));
    const auto c = files_of("c");
    ASSERT_EQ(c.size(), a.size());
    for (std::size_t i = 0; i < a.size(); ++i) EXPECT_NE(a[i].second, c[i].second) << a[i].first;
}

TEST_F(SheetsTool, PdfHasAWorksheetAndAnAnswerPagePerExerciseOnA4) {
    const std::string info = output_of("pdfinfo " + (folder_ / "a" / "sheets.pdf").string());
    EXPECT_NE(info.find("Pages:           " + std::to_string(3 * kCount) + "\n"), std::string::npos) << info;
    EXPECT_NE(info.find("(A4)"), std::string::npos) << info;

    const std::vector<std::string> pages = page_texts("a");
    ASSERT_GE(pages.size(), 3u * kCount);
    const std::vector<SheetExercise> sheet =
        generate_sheet(1, kCount, std::vector<Kind>(kAllKinds.begin(), kAllKinds.end()));
    for (int i = 0; i < kCount; ++i) {
        const SheetExercise& x = sheet[static_cast<std::size_t>(i)];
        const std::string worksheet = squeezed(pages[static_cast<std::size_t>(i)]);
        const std::string key = squeezed(pages[static_cast<std::size_t>(kCount + 2 * i)]);
        const std::string answers = squeezed(pages[static_cast<std::size_t>(kCount + 2 * i + 1)]);
        for (const std::vector<std::string>& row : per_ship_key(x)) {
            for (const std::string& cell : row) EXPECT_NE(key.find(cell), std::string::npos) << cell;
        }
        for (const std::vector<std::string>& row : sightings_table(x.exercise)) {
            for (const std::string& cell : row) EXPECT_NE(worksheet.find(cell), std::string::npos) << cell;
        }
        for (const std::string& line : questions(x)) EXPECT_NE(worksheet.find(squeezed(line)), std::string::npos) << line;
        for (const auto& figures : {target_figures(x), manoeuvre_figures(x)}) {
            for (const std::string& line : figures) EXPECT_NE(answers.find(squeezed(line)), std::string::npos) << line;
        }
    }
}

TEST_F(SheetsTool, EverySessionPrintsTheReportItsAnswerPageShows) {
    const std::vector<std::string> pages = page_texts("a");
    int sessions = 0;
    for (int n = 1; n <= kCount; ++n) {
        const fs::path session = folder_ / "a" / "files" / (exercise_stem(n) + ".session");
        if (!fs::exists(session)) continue;
        ++sessions;
        const std::string shown = output_of(std::string(ECHO_TRACK_PATH) + " < " + session.string());
        // The report: after "OBSERVATION:" up to the pause.
        const std::size_t from = shown.find(" OBSERVATION:\n");
        const std::size_t to = shown.find("<Hit RETURN to continue...>");
        ASSERT_TRUE(from != std::string::npos && to != std::string::npos) << session;
        const std::string answers = squeezed(pages[static_cast<std::size_t>(kCount + 2 * (n - 1) + 1)]);
        int lines = 0;
        for (const std::string& line : lines_of(shown.substr(from + 14, to - from - 14))) {
            if (squeezed(line).empty() || squeezed(line) == " ") continue;
            ++lines;
            EXPECT_NE(answers.find(squeezed(line)), std::string::npos) << "exercise " << n << ": " << line;
        }
        EXPECT_GE(lines, 9) << session;
    }
    EXPECT_EQ(sessions, kCount - 1);
}

}  // namespace
}  // namespace echo_track::sheets
