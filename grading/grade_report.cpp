#include "grading/grade_report.hpp"

#include <nlohmann/json.hpp>

#include "console/field_text.hpp"
#include "console/safe_text.hpp"

namespace echo_track::grading {
namespace {

std::string mark_text(Mark mark) {
    switch (mark) {
        case Mark::Right: return "right";
        case Mark::Wrong: return "wrong";
        case Mark::Unanswered: return "not answered";
        case Mark::NotReadable: return "not readable";
    }
    return "wrong";
}

// Padded to `width` characters (the degree sign is two bytes), one blank at least.
std::string padded(std::string text, std::size_t width) {
    std::size_t characters = 0;
    for (const char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return text + std::string(characters < width ? width - characters : 1, ' ');
}

std::string score_text(int right, int out_of) {
    const std::string share = out_of > 0 ? console::whole_text(static_cast<int>(100.0 * right / out_of + 0.5)) + " %" : "-";
    return console::whole_text(right) + " of " + console::whole_text(out_of) + " right (" + share + ")";
}

void form_lines(const FormGrade& g, std::string& text) {
    if (g.refused) {
        text += console::shown_safely(g.source) + ": refused: " + console::shown_safely(*g.refused) + "\n";
        return;
    }
    text += console::shown_safely(g.source) + ": exercise " + console::whole_text(g.exercise) + " of seed " +
            std::to_string(g.seed) + ", " + std::string(sheets::kind_name(g.kind)) + "\n";
    text += "  q  " + padded("answer", 22) + padded("written", 14) + padded("key", 20) + "mark\n";
    for (const ItemGrade& item : g.grade.items) {
        const std::string written = item.written.empty() ? "-" : console::shown_safely(item.written);
        text += "  " + padded(console::whole_text(item.item.question), 3) + padded(item.item.name, 22) + padded(written, 14) +
                padded(item.key, 20) + mark_text(item.mark) + (item.note.empty() ? "" : ": " + item.note) + "\n";
    }
    text += "  score " + score_text(g.grade.right, g.grade.out_of) + "\n\n";
}

}  // namespace

std::string grade_text(const std::vector<FormGrade>& grades) {
    std::string text;
    int right = 0;
    int out_of = 0;
    for (const FormGrade& g : grades) {
        form_lines(g, text);
        right += g.grade.right;
        out_of += g.grade.out_of;
    }
    return text + "All forms graded: " + score_text(right, out_of) + "\n";
}

std::string grade_json(const std::vector<FormGrade>& grades) {
    nlohmann::ordered_json forms = nlohmann::ordered_json::array();
    int right = 0;
    int out_of = 0;
    for (const FormGrade& g : grades) {
        nlohmann::ordered_json form;
        form["file"] = g.source;
        if (g.refused) {
            form["refused"] = *g.refused;
            forms.push_back(form);
            continue;
        }
        form["refused"] = nullptr;
        form["seed"] = std::to_string(g.seed);
        form["exercise"] = g.exercise;
        form["kind"] = std::string(sheets::kind_name(g.kind));
        form["right"] = g.grade.right;
        form["out_of"] = g.grade.out_of;
        nlohmann::ordered_json answers = nlohmann::ordered_json::array();
        for (const ItemGrade& item : g.grade.items) {
            answers.push_back({{"question", item.item.question},
                               {"name", item.item.name},
                               {"written", item.written.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(item.written)},
                               {"key", item.key},
                               {"mark", mark_text(item.mark)},
                               {"right", item.mark == Mark::Right},
                               {"note", item.note.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(item.note)}});
        }
        form["answers"] = answers;
        forms.push_back(form);
        right += g.grade.right;
        out_of += g.grade.out_of;
    }
    nlohmann::ordered_json all{{"forms", forms}, {"right", right}, {"out_of", out_of}};
    // Invalid UTF-8 from a student's file is replaced rather than thrown on.
    return all.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace echo_track::grading
