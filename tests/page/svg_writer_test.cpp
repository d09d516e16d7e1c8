// The page as SVG text: one element per primitive, in painting order, tagged
// with its role, standing where the layout put it, and every label real text.

#include "page/svg_writer.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "app/typed_exercise.hpp"
#include "console/field_text.hpp"
#include "page/compass.hpp"
#include "plot/layout.hpp"
#include "solver/manoeuvre.hpp"
#include "solver/plot_solution.hpp"

namespace echo_track::page {
namespace {

using namespace echo_track::plot;


std::string attribute(const std::string& element, const std::string& name) {
    const std::string key = " " + name + "=\"";
    const std::size_t at = element.find(key);
    if (at == std::string::npos) return "";
    const std::size_t start = at + key.size();
    return element.substr(start, element.find('"', start) - start);
}

double number(const std::string& element, const std::string& name) {
    return std::strtod(attribute(element, name).c_str(), nullptr);
}

std::string unescaped(std::string text) {
    for (const auto& [from, to] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}}) {
        for (std::size_t at; (at = text.find(from)) != std::string::npos;) text.replace(at, std::string(from).size(), to);
    }
    return text;
}

TEST(SvgPage, EveryPrimitiveIsOneElementWhereTheLayoutPutIt) {
    TypedExercise collision = default_exercise();
    TypedExercise no_danger = default_exercise();
    no_danger.bearing2 = 340.0;
    TypedExercise simultaneous = default_exercise();
    simultaneous.time2 = simultaneous.time1;
    for (const TypedExercise& typed : {collision, no_danger, simultaneous}) {
        const PlotRecord record = exercise_record(typed);
        const PlotSolution solution = solve_plot(record);
        const Drawing drawing = layout_plot(record, solution, solve_manoeuvre(record, solution));
        std::istringstream svg(svg_page(drawing));
        std::vector<std::string> lines;
        for (std::string line; std::getline(svg, line);) lines.push_back(line);
        ASSERT_EQ(lines.size(), drawing.shapes.size() + 4);  // declaration, root, paper ... end
        EXPECT_EQ(number(lines[1], "height"), drawing.height);
        EXPECT_EQ(lines.back(), "</svg>");

        for (std::size_t i = 0; i < drawing.shapes.size(); ++i) {
            const std::string& element = lines[i + 3];
            const Shape& shape = drawing.shapes[i];
            ASSERT_FALSE(attribute(element, "class").empty()) << element;
            std::visit(
                [&](const auto& form) {
                    using T = std::decay_t<decltype(form)>;
                    if constexpr (std::is_same_v<T, CircleShape>) {
                        EXPECT_NEAR(number(element, "cx"), form.centre.x, 0.005) << element;
                        EXPECT_NEAR(number(element, "cy"), form.centre.y, 0.005) << element;
                        EXPECT_NEAR(number(element, "r"), form.radius, 0.005) << element;
                    } else if constexpr (std::is_same_v<T, SegmentShape>) {
                        EXPECT_NEAR(number(element, "x1"), form.from.x, 0.005) << element;
                        EXPECT_NEAR(number(element, "y1"), form.from.y, 0.005) << element;
                        // An arrow's tip is the first point of its head.
                        const std::string tip = form.arrow ? attribute(element, "points") : "";
                        if (form.arrow) EXPECT_NEAR(std::strtod(tip.c_str(), nullptr), form.to.x, 0.005) << element;
                        else EXPECT_NEAR(number(element, "x2"), form.to.x, 0.005) << element;
                    } else if constexpr (std::is_same_v<T, ArcShape>) {
                        const PagePoint start = toward(form.centre, form.from, form.radius);
                        EXPECT_NE(attribute(element, "d").find("M" + console::decimal_text(start.x, 2) + " "), std::string::npos) << element;
                    } else {
                        const std::size_t open = element.find('>') + 1;
                        EXPECT_EQ(unescaped(element.substr(open, element.rfind("</text>") - open)), form.text);
                        EXPECT_NEAR(number(element, "x"), form.at.x, 0.005) << element;
                    }
                },
                shape.form);
        }
    }
}

// A label's text is character data of a well-formed document whatever it
// holds: markup as entities, and what XML does not admit (C0 controls but
// tab and line ends, U+FFFE, U+FFFF, malformed bytes) as U+FFFD.
TEST(SvgPage, TextIsAlwaysWellFormedCharacterData) {
    const std::string replacement = "\xEF\xBF\xBD";
    const std::pair<std::string, std::string> cases[] = {
        {"B <&> \"x\"", "B &lt;&amp;&gt; &quot;x&quot;"},
        {"a\x01" "b\x1b[2J", "a" + replacement + "b" + replacement + "[2J"},
        {"\t\xc3\x86\xef\xbf\xbe\xef\xbf\xbf", "\t\xc3\x86" + replacement + replacement},
        {"\xff\xc3", replacement + replacement},
    };
    for (const auto& [text, written] : cases) {
        Drawing d;
        d.width = d.height = 100.0;
        d.shapes.push_back(Shape{Role::Title, TextShape{PagePoint{1.0, 2.0}, text, Ink::Text, 9.0, false, HAlign::Left, VAlign::Bottom}});
        const std::string svg = svg_page(d);
        EXPECT_NE(svg.find(">" + written + "</text>"), std::string::npos) << svg;
    }
}

}  // namespace
}  // namespace echo_track::page
