#include "sheets/sheet_pages.hpp"

#include <algorithm>
#include <sstream>
#include <string>

#include "console/field_text.hpp"
#include "page/labels.hpp"
#include "plot/traffic_board.hpp"
#include "sheets/dialog_answers.hpp"
#include "sheets/exercise_text.hpp"
#include "sheets/page_kit.hpp"
#include "sheets/plotting_sheet.hpp"

namespace echo_track::sheets {
namespace {

using page::HAlign;
using page::PagePoint;

constexpr TextStyle kTitle{14.0, true};
constexpr TextStyle kHeading{9.5, true};
constexpr TextStyle kBody{9.5};
constexpr TextStyle kSmall{7.5};
constexpr TextStyle kConsole{6.6, false, true};

constexpr double kTableTop = 58.0;
constexpr double kTableRow = 12.5;
constexpr std::array<double, 7> kTableColumns = {0.0, 62.0, 132.0, 202.0, 272.0, 342.0, 412.0};
constexpr double kPlotRadius = 192.0;
constexpr double kPlotCentreY = 350.0;
constexpr double kMilesScaleY = 594.0;
constexpr double kLogScaleY = 632.0;
constexpr double kQuestionsTop = 664.0;

constexpr double kBoardTop = 46.0;
constexpr double kBoardHeight = 396.0;
constexpr double kColumnsTop = 452.0;
constexpr double kRightColumn = 272.0;

std::string place_text(const SheetPlace& place) {
    return "ECHO-TRACK plotting exercises, seed " + std::to_string(place.seed) + ", exercise " +
           console::whole_text(place.number) + " of " + console::whole_text(place.count);
}

void heading(page::Drawing& page, const std::string& title, const SheetPlace& place) {
    add_text(page, {0.0, 0.0}, title, kTitle);
    TextStyle right = kSmall;
    right.halign = HAlign::Right;
    right.ink = page::Ink::GridText;
    add_text(page, {page.width, page.height - 9.0}, place_text(place), right);  // a footer, clear of long titles
}

double farthest_range(const traffic::TrafficExercise& exercise) {
    double farthest = 0.0;
    for (const traffic::Target& t : exercise.targets) {
        for (const traffic::Sighting& seen : t.sightings) farthest = std::max(farthest, seen.range_nm);
    }
    return farthest;
}

void sightings(page::Drawing& page, const traffic::TrafficExercise& exercise) {
    double y = kTableTop;
    bool first = true;
    for (const std::vector<std::string>& row : sightings_table(exercise)) {
        for (std::size_t c = 0; c < row.size(); ++c) add_text(page, {kTableColumns[c], y}, row[c], first ? kHeading : kBody);
        y += kTableRow;
        first = false;
    }
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

// The dialog's answers and report for a one-ship exercise, down a column.
void dialog_column(TextFlow& flow, const SheetExercise& x) {
    const echo_track::TypedExercise typed = typed_exercise(x.exercise);
    flow.line("echo-track: the lines to type", kHeading);
    for (const TypedLine& line : typed_lines(typed)) {
        std::string question = line.question;
        question.resize(std::max<std::size_t>(question.size() + 1, 22), ' ');
        flow.line(question + line.typed, kConsole);
    }
    flow.gap(4.0);
    flow.line("and the report it prints", kHeading);
    for (std::string& line : lines_of(dialog_report(typed))) flow.line(std::move(line), kConsole);
}

void traffic_column(TextFlow& flow, const SheetExercise& x, bool with_targets) {
    flow.line("The traffic solver's figures", kHeading);
    if (with_targets) {
        for (std::string& line : target_figures(x)) flow.line(std::move(line), kSmall);
        flow.gap(4.0);
    }
    for (std::string& line : manoeuvre_figures(x)) flow.line(std::move(line), kSmall);
}

}  // namespace

page::Drawing worksheet_page(const SheetExercise& x, const SheetPlace& place) {
    page::Drawing page = blank_page();
    heading(page, "Exercise " + console::whole_text(place.number), place);
    TextFlow given(page, 0.0, 24.0);
    given.line(own_ship_text(x.exercise), kBody);
    given.line(manoeuvre_text(x), kBody);
    sightings(page, x.exercise);

    const double ring = ring_interval_for(farthest_range(x.exercise));
    const RingPlan plan{{page.width / 2.0, kPlotCentreY}, kPlotRadius, ring, 6};
    plot::add_degree_rose(plan, page);
    const double scale_left = (page.width - kPlotRadius) / 2.0 - 40.0;
    draw_miles_scale(plan, {scale_left, kMilesScaleY}, page);
    draw_log_scale({scale_left, kLogScaleY}, 2.0 * kPlotRadius, page);
    TextStyle caption = kSmall;
    caption.ink = page::Ink::GridText;
    add_text(page, {scale_left, kMilesScaleY - 18.0}, "Miles on the scale of the rings", caption);
    add_text(page, {scale_left, kLogScaleY - 18.0},
             "Time, speed, distance: the span from the minutes to 60 equals the span from the miles to the knots",
             caption);

    TextFlow asked(page, 0.0, kQuestionsTop);
    asked.line("Find", kHeading);
    for (std::string& q : questions(x)) asked.line(std::move(q), kBody);
    return page;
}

page::Drawing answer_page(const SheetExercise& x, const SheetPlace& place) {
    page::Drawing page = blank_page();
    heading(page, "Exercise " + console::whole_text(place.number) + ", answers: " + std::string(kind_title(x.kind)), place);
    TextFlow given(page, 0.0, 22.0);
    given.line(own_ship_text(x.exercise) + ". " + manoeuvre_text(x), kSmall);
    inset(plot::layout_traffic_board(x.exercise, x.solution), {0.0, kBoardTop, page.width, kBoardTop + kBoardHeight}, page);

    TextFlow left(page, 0.0, kColumnsTop);
    TextFlow right(page, kRightColumn, kColumnsTop);
    if (single_ship(x.kind)) {
        dialog_column(left, x);
        traffic_column(right, x, true);
    } else {
        left.line("Every ship at the manoeuvre time", kHeading);
        for (std::string& line : target_figures(x)) left.line(std::move(line), kSmall);
        traffic_column(right, x, false);
    }
    return page;
}

}  // namespace echo_track::sheets
