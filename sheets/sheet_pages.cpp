#include "sheets/sheet_pages.hpp"

#include <algorithm>
#include <cctype>
#include <string>

#include "console/field_text.hpp"
#include "sheets/answer_board.hpp"
#include "sheets/dialog_answers.hpp"
#include "sheets/exercise_text.hpp"
#include "sheets/key_text.hpp"
#include "sheets/page_kit.hpp"
#include "sheets/plotting_scale.hpp"
#include "sheets/plotting_sheet.hpp"

namespace echo_track::sheets {
namespace {

using page::HAlign;
using page::PagePoint;

constexpr TextStyle kTitle{14.0, true};
constexpr TextStyle kHeading{9.5, true};
constexpr TextStyle kBody{9.5};
constexpr TextStyle kQuestion{8.5};
constexpr TextStyle kSmall{7.5};
constexpr TextStyle kKey{7.0};
constexpr TextStyle kConsole{6.6, false, true};

constexpr double kTableTop = 58.0;
constexpr double kTableRow = 12.5;
constexpr std::array<double, 7> kTableColumns = {0.0, 62.0, 132.0, 202.0, 272.0, 342.0, 412.0};
// Three sightings a ship: closer columns.
constexpr std::array<double, 10> kWideTableColumns = {0.0, 34.0, 80.0, 138.0, 188.0, 234.0, 292.0, 342.0, 388.0, 446.0};
// The rose stands at the same place on the worksheet and on the answer page.
constexpr double kRoseCentreY = 374.0;
constexpr double kScaleCaptionY = 624.0;
constexpr double kScalesY = 640.0;
constexpr int kMilesScaleRings = 3;
constexpr double kLogScaleLeft = 230.0;
constexpr double kQuestionsTop = 660.0;
constexpr std::size_t kQuestionWidth = 112;  // characters of a question's line at its size

constexpr double kKeyTop = 46.0;
constexpr double kKeyRow = 11.0;
constexpr std::array<double, 12> kKeyColumns = {0, 30, 72, 110, 150, 190, 232, 264, 306, 346, 396, 424};
constexpr double kKeyLinesTop = 628.0;

constexpr double kColumnsTop = 96.0;
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

// The words of the text, as blanks (and line ends) part them.
std::vector<std::string> words_of(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : text) {
        if (std::isspace(static_cast<unsigned char>(c)) == 0) {
            word += c;
        } else if (!word.empty()) {
            words.push_back(std::move(word));
            word.clear();
        }
    }
    if (!word.empty()) words.push_back(std::move(word));
    return words;
}

// The text broken at blanks into lines of at most `width` characters, the
// lines after the first indented.
std::vector<std::string> wrapped(const std::string& text, std::size_t width) {
    std::vector<std::string> lines{""};
    for (const std::string& word : words_of(text)) {
        if (!lines.back().empty() && lines.back().size() + 1 + word.size() > width) lines.push_back("    ");
        if (!lines.back().empty() && lines.back().back() != ' ') lines.back() += ' ';
        lines.back() += word;
    }
    return lines;
}

void table(page::Drawing& page, const std::vector<std::vector<std::string>>& rows, const double* columns, double top,
           double row_height, const TextStyle& head, const TextStyle& body) {
    double y = top;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            TextStyle style = r == 0 ? head : body;
            // Each ship's name in its ink on the board.
            if (r > 0 && c == 0) style.ink = page::kTargetInks[(r - 1) % std::size(page::kTargetInks)];
            add_text(page, {columns[c], y}, rows[r][c], style);
        }
        y += row_height;
    }
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }
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

void scales(const plot::RingPlan& plan, page::Drawing& page) {
    TextStyle caption = kSmall;
    caption.ink = page::Ink::GridText;
    draw_miles_scale(plan, kMilesScaleRings, {0.0, kScalesY}, page);
    draw_log_scale({kLogScaleLeft, kScalesY}, page.width - kLogScaleLeft, page);
    add_text(page, {0.0, kScaleCaptionY}, "Miles on the scale of the rings", caption);
    add_text(page, {kLogScaleLeft, kScaleCaptionY},
             "Time, speed, distance: the span from the minutes to 60 equals the span from the miles to the knots", caption);
}

}  // namespace

page::PagePoint rose_centre(const page::Drawing& page) { return {page.width / 2.0, kRoseCentreY}; }

page::Drawing worksheet_page(const SheetExercise& x, const SheetPlace& place) {
    page::Drawing page = blank_page();
    heading(page, "Exercise " + console::whole_text(place.number), place);
    TextFlow given(page, 0.0, 20.0);
    given.line(own_ship_text(x.exercise), kBody);
    given.line(manoeuvre_text(x, false), kBody);
    given.line(scale_text(x), kSmall);
    const std::vector<std::vector<std::string>> rows = sightings_table(x.exercise);
    const double* columns = rows.front().size() > kTableColumns.size() ? kWideTableColumns.data() : kTableColumns.data();
    table(page, rows, columns, kTableTop, kTableRow, kHeading, kBody);
    if (const std::optional<std::string> note = sightings_note(x.exercise)) {
        TextFlow under(page, 0.0, kTableTop + kTableRow * static_cast<double>(rows.size()) + 2.0);
        for (std::string& part : wrapped(*note, 140)) under.line(std::move(part), kSmall);
    }

    const plot::RingPlan plan = plotting_rose(x, rose_centre(page));
    plot::add_degree_rose(plan, page);
    scales(plan, page);

    TextFlow asked(page, 0.0, kQuestionsTop);
    for (const std::string& q : questions(x)) {
        for (std::string& line : wrapped(q, kQuestionWidth)) asked.line(std::move(line), kQuestion);
    }
    return page;
}

page::Drawing answer_page(const SheetExercise& x, const SheetPlace& place) {
    page::Drawing page = blank_page();
    heading(page, "Exercise " + console::whole_text(place.number) + ", key: " + std::string(kind_title(x.kind)), place);
    TextFlow given(page, 0.0, 20.0);
    given.line(own_ship_text(x.exercise) + ". " + manoeuvre_text(x, true), kSmall);
    given.line(scale_text(x), kSmall);
    TextStyle head = kKey;
    head.bold = true;
    table(page, per_ship_key(x), kKeyColumns.data(), kKeyTop, kKeyRow, head, kKey);

    add_answer_board(x, plotting_rose(x, rose_centre(page)), page);

    TextFlow below(page, 0.0, kKeyLinesTop);
    for (const std::string& line : exercise_key_lines(x)) {
        for (std::string& part : wrapped(line, kQuestionWidth)) below.line(std::move(part), kBody);
    }
    if (const std::optional<std::string> plotted = true_bearings_text(x.exercise)) below.line(*plotted, kBody);
    below.gap(3.0);
    for (std::string& part : wrapped("The key is the traffic solver's, at the manoeuvre time, to the figure plotted; "
                                     "the board lies over the worksheet's plot at the same scale. Solid: the plot and the "
                                     "triangle at the vector time (W to O the own run, W to A the ship's true run, O to A its "
                                     "relative run); dashed: after the key's manoeuvre.",
                                     140)) {
        below.line(std::move(part), kSmall);
    }
    return page;
}

page::Drawing programs_page(const SheetExercise& x, const SheetPlace& place) {
    page::Drawing page = blank_page();
    heading(page, "Exercise " + console::whole_text(place.number) + ", the programs: " + std::string(kind_title(x.kind)), place);
    TextFlow given(page, 0.0, 22.0);
    given.line(own_ship_text(x.exercise) + ". " + manoeuvre_text(x, true), kSmall);
    if (single_ship(x.kind)) {
        for (const std::string& note : dialog_input_notes(x.exercise)) {
            for (std::string& part : wrapped(note, 120)) given.line(std::move(part), kSmall);
        }
        if (const auto note = dialog_and_solver_note(x.exercise, x.solution)) {
            for (std::string& part : wrapped(*note, 120)) given.line(std::move(part), kSmall);
        }
    }
    const double top = std::max(kColumnsTop, given.y() + 10.0);
    TextFlow left(page, 0.0, top);
    TextFlow right(page, kRightColumn, top);
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
