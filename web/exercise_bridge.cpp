#include "web/exercise_bridge.hpp"

#include <algorithm>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <vector>

#include "grading/judgement.hpp"
#include "page/svg_writer.hpp"
#include "plot/traffic_board.hpp"
#include "sheets/answer_key.hpp"
#include "sheets/exercise_kind.hpp"
#include "sheets/generator.hpp"
#include "sheets/key_text.hpp"
#include "sheets/sheet_pages.hpp"
#include "sheets/sheet_book.hpp"
#include "web/json_writer.hpp"

namespace echo_track::web {
namespace {

constexpr int kMostExercises = 40;

struct SheetName {
    std::uint64_t seed = 1;
    std::vector<sheets::Kind> kinds;
};

SheetName sheet_named(const std::string& seed, const std::string& kinds) {
    SheetName name;
    if (seed.empty() || seed.size() > 20 || seed.find_first_not_of("0123456789") != std::string::npos) {
        throw std::invalid_argument("seed: expected a whole number from 0 to 18446744073709551615 in decimal digits");
    }
    std::uint64_t value = 0;
    for (const char c : seed) {
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (value > (UINT64_MAX - digit) / 10) throw std::invalid_argument("seed: more than 18446744073709551615");
        value = value * 10 + digit;
    }
    name.seed = value;
    if (kinds.empty() || kinds == "all") {
        name.kinds.assign(sheets::kAllKinds.begin(), sheets::kAllKinds.end());
        return name;
    }
    for (std::size_t at = 0; at <= kinds.size();) {
        const std::size_t comma = std::min(kinds.find(',', at), kinds.size());
        const std::string one = kinds.substr(at, comma - at);
        const std::optional<sheets::Kind> kind = sheets::kind_named(one);
        if (!kind) throw std::invalid_argument("kinds: unknown kind '" + one + "'");
        name.kinds.push_back(*kind);
        at = comma + 1;
    }
    return name;
}

int checked_count(int count, const char* what) {
    if (count < 1 || count > kMostExercises) {
        throw std::invalid_argument(std::string(what) + ": expected a whole number from 1 to " + std::to_string(kMostExercises));
    }
    return count;
}

// The sheet made last, kept for the calls about one of its exercises.
struct Made {
    std::uint64_t seed = 0;
    std::vector<sheets::Kind> kinds;
    std::vector<sheets::SheetExercise> exercises;
};
Made g_made;

// The first `count` exercises of the sheet.
const std::vector<sheets::SheetExercise>& made(const SheetName& name, int count) {
    if (g_made.seed != name.seed || g_made.kinds != name.kinds || g_made.exercises.size() < static_cast<std::size_t>(count)) {
        g_made = Made{name.seed, name.kinds, sheets::generate_sheet(name.seed, count, name.kinds)};
    }
    return g_made.exercises;
}

sheets::SheetPlace place(const SheetName& name, int number, int count) { return sheets::SheetPlace{number, count, name.seed}; }

void heading(JsonWriter& json, const sheets::SheetExercise& x, int number) {
    json.key("number").value(number).key("kind").value(sheets::kind_name(x.kind)).key("title").value(sheets::kind_title(x.kind));
}

const char* mark_name(grading::Mark mark) {
    switch (mark) {
        case grading::Mark::Right: return "right";
        case grading::Mark::Wrong: return "wrong";
        case grading::Mark::Unanswered: return "unanswered";
        case grading::Mark::NotReadable: return "not readable";
    }
    return "wrong";
}

// "key<TAB>text" lines.
std::map<std::string, std::string> answer_lines(const std::string& text) {
    std::map<std::string, std::string> answers;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string line = text.substr(at, end - at);
        const std::size_t tab = line.find('\t');
        if (tab != std::string::npos) answers[line.substr(0, tab)] = line.substr(tab + 1);
        at = end + 1;
    }
    return answers;
}

}  // namespace

std::string sheet_answer(const std::string& seed, const std::string& kinds, int count) {
    const SheetName name = sheet_named(seed, kinds);
    const std::vector<sheets::SheetExercise>& sheet = made(name, checked_count(count, "count"));
    JsonWriter json;
    json.begin_object().key("title").value(sheets::sheet_title(name.seed)).key("exercises").begin_array();
    for (int i = 0; i < count; ++i) {
        const sheets::SheetExercise& x = sheet[static_cast<std::size_t>(i)];
        json.begin_object();
        heading(json, x, i + 1);
        json.key("worksheet").value(page::svg_page(sheets::worksheet_page(x, place(name, i + 1, count))));
        json.key("answers").value(page::svg_page(sheets::answer_page(x, place(name, i + 1, count))));
        json.end_object();
    }
    json.end_array().end_object();
    return json.text();
}

std::string exercise_answer(const std::string& seed, const std::string& kinds, int number, int count) {
    const SheetName name = sheet_named(seed, kinds);
    const sheets::SheetExercise& x = made(name, checked_count(number, "exercise"))[static_cast<std::size_t>(number - 1)];
    JsonWriter json;
    json.begin_object();
    heading(json, x, number);
    json.key("worksheet").value(page::svg_page(sheets::worksheet_page(x, place(name, number, std::max(number, count)))));
    json.key("questions").begin_array();
    for (const sheets::Question& q : sheets::questions_of(x)) {
        json.begin_object().key("number").value(q.number).key("text").value(q.text).key("items").begin_array();
        for (const sheets::KeyItem& item : q.items) {
            json.begin_object().key("name").value(item.name).key("hint").value(sheets::form_hint(item.measure)).end_object();
        }
        json.end_array().end_object();
    }
    json.end_array().end_object();
    return json.text();
}

std::string grade_answer(const std::string& seed, const std::string& kinds, int number, int count, const std::string& answers) {
    const SheetName name = sheet_named(seed, kinds);
    const sheets::SheetExercise& x = made(name, checked_count(number, "exercise"))[static_cast<std::size_t>(number - 1)];
    const grading::ExerciseGrade grade = grading::grade_exercise(x, answer_lines(answers), grading::Tolerances{});
    JsonWriter json;
    json.begin_object().key("right").value(grade.right).key("out_of").value(grade.out_of).key("items").begin_array();
    for (const grading::ItemGrade& g : grade.items) {
        json.begin_object().key("name").value(g.item.name).key("question").value(g.item.question);
        json.key("written").value(g.written).key("key").value(g.key).key("mark").value(mark_name(g.mark));
        json.key("note").value(g.note).end_object();
    }
    json.end_array();
    json.key("answers").value(page::svg_page(sheets::answer_page(x, place(name, number, std::max(number, count)))));
    json.key("board").value(page::svg_page(plot::layout_traffic_board(x.exercise, x.solution)));
    json.end_object();
    return json.text();
}

}  // namespace echo_track::web
