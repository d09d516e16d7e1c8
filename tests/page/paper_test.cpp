// PDF pages: the paper the tool is asked for, the drawing placed inside its
// margins; SVG and PNG stay the drawing's own size whatever the paper.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "plot/layout.hpp"
#include "page/paper.hpp"
#include "page/cairo_painter.hpp"
#include "tests/tools/tool_run.hpp"

namespace echo_track::page {
namespace {

using namespace echo_track::plot;


using tools::testing::read_whole;
using tools::testing::run_tool;
using tools::testing::ScratchFolder;

constexpr double kA4Width = 595.2756;  // 210 mm in points
constexpr double kA4Height = 841.8898;

struct PageCase {
    const char* name;
    std::vector<std::string> args;
    double width;
    double height;
};

void PrintTo(const PageCase& c, std::ostream* os) { *os << c.name; }

class PdfPage : public ::testing::TestWithParam<PageCase> {};

TEST_P(PdfPage, HasThePaperSize) {
    ScratchFolder folder;
    std::vector<std::string> args = GetParam().args;
    args.insert(args.end(), {"--output", (folder.path() / "p.pdf").string()});
    const auto run = run_tool(args, folder.path());
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string pdf = read_whole(folder.path() / "p.pdf");
    const std::size_t at = pdf.find("/MediaBox [");
    ASSERT_NE(at, std::string::npos);
    double x0 = -1, y0 = -1, width = 0, height = 0;
    ASSERT_EQ(std::sscanf(pdf.c_str() + at, "/MediaBox [ %lf %lf %lf %lf ]", &x0, &y0, &width, &height), 4);
    EXPECT_EQ(x0, 0.0);
    EXPECT_EQ(y0, 0.0);
    EXPECT_NEAR(width, GetParam().width, 0.01);
    EXPECT_NEAR(height, GetParam().height, 0.01);
    EXPECT_EQ(pdf.find("/MediaBox [", at + 1), std::string::npos) << "one page only";
}

INSTANTIATE_TEST_SUITE_P(Paper, PdfPage,
                         ::testing::Values(PageCase{"default_a4", {}, kA4Width, kA4Height},
                                           PageCase{"a4_named", {"--page", "A4"}, kA4Width, kA4Height},
                                           PageCase{"letter", {"--page", "letter"}, 612.0, 792.0}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(Picture, PngKeepsItsSizeOnAnyPaper) {
    ScratchFolder folder;
    const auto file = folder.path() / "p.png";
    ASSERT_EQ(run_tool({"--page", "letter", "--output", file.string()}, folder.path()).status, 0);
    const std::string png = read_whole(file);
    ASSERT_GT(png.size(), 24u);
    const auto be32 = [&](std::size_t i) {
        return (static_cast<unsigned char>(png[i]) << 24) | (static_cast<unsigned char>(png[i + 1]) << 16) |
               (static_cast<unsigned char>(png[i + 2]) << 8) | static_cast<unsigned char>(png[i + 3]);
    };
    EXPECT_EQ(be32(16), static_cast<int>(kPageWidth) * kPngPixelsPerUnit);
    EXPECT_EQ(be32(20), static_cast<int>(kPageHeight) * kPngPixelsPerUnit);
}

// Largest fit inside the margins, shape kept, centred: for a tall, a wide and
// the plot's own drawing on each paper.
TEST(Placement, FitsInsideTheMarginsCentredAndAsLargeAsItCan) {
    for (const Paper paper : {Paper::A4, Paper::Letter}) {
        const PaperSize sheet = paper_size(paper);
        for (const auto& [w, h] : {std::pair{kPageWidth, kPageHeight}, std::pair{100.0, 1000.0}, std::pair{2000.0, 50.0}}) {
            Drawing d;
            d.width = w;
            d.height = h;
            const Placement p = place_on(d, sheet);
            const double right = p.left + p.scale * w;
            const double bottom = p.top + p.scale * h;
            EXPECT_GE(p.left, kPaperMargin - 1e-9);
            EXPECT_GE(p.top, kPaperMargin - 1e-9);
            EXPECT_LE(right, sheet.width - kPaperMargin + 1e-9);
            EXPECT_LE(bottom, sheet.height - kPaperMargin + 1e-9);
            EXPECT_NEAR(p.left, sheet.width - right, 1e-9);
            EXPECT_NEAR(p.top, sheet.height - bottom, 1e-9);
            EXPECT_NEAR(std::min(p.left, p.top), kPaperMargin, 1e-9) << "touches the margins on one axis";
        }
    }
}

TEST(Paper, NamedInAnyLetterCase) {
    EXPECT_EQ(paper_named("a4"), Paper::A4);
    EXPECT_EQ(paper_named("Letter"), Paper::Letter);
    EXPECT_EQ(paper_named("LETTER"), Paper::Letter);
    EXPECT_EQ(paper_named("a5"), std::nullopt);
    EXPECT_EQ(paper_named(""), std::nullopt);
}

}  // namespace
}  // namespace echo_track::page
