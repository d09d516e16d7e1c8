// The default exercise drawn by the built tool into each format: every file
// must be a valid picture of its kind, and the PNG must show own ship A at
// the centre of the plot.

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "app/typed_exercise.hpp"
#include "plot/layout.hpp"
#include "page/cairo_painter.hpp"
#include "page/picture_format.hpp"
#include "solver/manoeuvre.hpp"
#include "solver/plot_solution.hpp"
#include "tests/tools/tool_run.hpp"

namespace echo_track::page {
namespace {

using namespace echo_track::plot;


using tools::testing::read_whole;
using tools::testing::run_tool;
using tools::testing::ScratchFolder;

// The name of the first element after the XML declaration, comments,
// processing instructions and a document type.
std::string root_element(const std::string& xml) {
    std::size_t at = 0;
    for (;;) {
        at = xml.find('<', at);
        if (at == std::string::npos) return "";
        if (xml.compare(at, 4, "<!--") == 0) {
            at = xml.find("-->", at);
        } else if (xml.compare(at, 2, "<?") == 0 || xml.compare(at, 2, "<!") == 0) {
            at = xml.find('>', at);
        } else {
            const std::size_t end = xml.find_first_of(" \t\r\n/>", at + 1);
            return xml.substr(at + 1, end - at - 1);
        }
        if (at == std::string::npos) return "";
    }
}

std::uint32_t big_endian(const std::string& bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return v;
}

Drawing default_drawing() {
    const PlotRecord r = exercise_record(default_exercise());
    const PlotSolution s = solve_plot(r);
    return layout_plot(r, s, solve_manoeuvre(r, s));
}

class Render : public ::testing::Test {
protected:
    std::string draw(const std::string& name) {
        const auto file = pictures.path() / name;
        const auto run = run_tool({"--output", file.string()}, logs.path());
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(pictures.names(), std::vector<std::string>{name}) << "only the picture, no temporary file";
        return read_whole(file);
    }
    ScratchFolder pictures;
    ScratchFolder logs;
};

TEST_F(Render, SvgHasAnSvgRoot) {
    const std::string svg = draw("default.svg");
    EXPECT_EQ(root_element(svg), "svg");
}

TEST_F(Render, PdfStartsWithItsHeader) {
    const std::string pdf = draw("default.pdf");
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
}

TEST_F(Render, PngHasItsSignatureSizeAndOwnShipAtTheCentre) {
    const std::string png = draw("default.PNG");  // the extension in any letter case
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(png.substr(12, 4), "IHDR");
    const Drawing d = default_drawing();
    EXPECT_EQ(big_endian(png, 16), static_cast<std::uint32_t>(d.width) * kPngPixelsPerUnit);
    EXPECT_EQ(big_endian(png, 20), static_cast<std::uint32_t>(d.height) * kPngPixelsPerUnit);

    cairo_surface_t* image = cairo_image_surface_create_from_png((pictures.path() / "default.PNG").c_str());
    ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
    cairo_surface_flush(image);
    const int x = static_cast<int>(d.centre.x) * kPngPixelsPerUnit;
    const int y = static_cast<int>(d.centre.y) * kPngPixelsPerUnit;
    const unsigned char* data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    std::uint32_t pixel = 0;
    std::memcpy(&pixel, data + y * stride + 4 * x, sizeof pixel);  // native-endian 0xAARRGGBB
    cairo_surface_destroy(image);
    const Rgb own = ink_colour(Ink::OwnShip);
    EXPECT_EQ((pixel >> 16) & 0xFF, own.r);
    EXPECT_EQ((pixel >> 8) & 0xFF, own.g);
    EXPECT_EQ(pixel & 0xFF, own.b);
}

TEST(Format, TakenFromTheExtension) {
    EXPECT_EQ(format_for("a/b/plot.svg"), Format::Svg);
    EXPECT_EQ(format_for("plot.Png"), Format::Png);
    EXPECT_EQ(format_for("x.y.pdf"), Format::Pdf);
    EXPECT_EQ(format_for("plot.jpg"), std::nullopt);
    EXPECT_EQ(format_for("png"), std::nullopt);
    EXPECT_EQ(format_for("dir.png/plot"), std::nullopt);
}

}  // namespace
}  // namespace echo_track::page
