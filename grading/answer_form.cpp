#include "grading/answer_form.hpp"

#include <cstdio>

#include "console/field_text.hpp"
#include "sheets/key_text.hpp"
#include "version/version.hpp"

namespace echo_track::grading {
namespace {

// FNV-1a, 64 bits: a short check that changes with every byte of the text.
std::uint64_t fnv1a(std::string_view text) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

std::string hex(std::uint64_t value) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text(16, '0');
    for (std::size_t i = 16; i-- > 0; value >>= 4) text[i] = kDigits[value & 0xF];
    return text;
}

std::string kinds_array(const std::vector<sheets::Kind>& kinds) {
    std::string text = "[";
    for (const sheets::Kind kind : kinds) text += (text.size() > 1 ? ", \"" : "\"") + std::string(sheets::kind_name(kind)) + "\"";
    return text + "]";
}

}  // namespace

std::string form_name(int number) { return std::string(kFormPrefix) + console::zero_padded(number, 2) + ".toml"; }

std::string generator_text() { return version_text("echo-track-sheets"); }

std::string exercise_check(const sheets::SheetExercise& x) { return hex(fnv1a(sheets::exercise_toml(x, 0))); }

std::string answer_form_text(const sheets::SheetExercise& x, const SheetOrigin& origin, int number) {
    std::string text = "# Answer form of exercise " + console::whole_text(number) + " of the echo-track-sheets sheet of seed " +
                       std::to_string(origin.seed) + ".\n"
                       "# Write each answer between its quotes: \"253\", \"1.4\", \"13:42\", \"red 30\", \"yes\".\n"
                       "# Leave the lines above [answers] as they are; then: echo-track-grade " + form_name(number) + "\n\n";
    text += "generator = \"" + generator_text() + "\"\n";
    text += "seed = \"" + std::to_string(origin.seed) + "\"\n";
    text += "count = " + console::whole_text(origin.count) + "\n";
    text += "kinds = " + kinds_array(origin.kinds) + "\n";
    text += "exercise = " + console::whole_text(number) + "\n";
    text += "check = \"" + exercise_check(x) + "\"\n\n[answers]\n";
    for (const sheets::Question& q : sheets::questions_of(x)) {
        text += "\n# " + console::whole_text(q.number) + ". " + q.text + "\n";
        for (const sheets::KeyItem& item : q.items) {
            std::string line = item.name + " = \"\"";
            line.resize(std::max<std::size_t>(line.size() + 2, 28), ' ');
            text += line + "# " + sheets::form_hint(item.measure) + "\n";
        }
    }
    return text;
}

std::vector<sheets::SheetFile> answer_forms(const std::vector<sheets::SheetExercise>& sheet, const SheetOrigin& origin) {
    std::vector<sheets::SheetFile> forms;
    for (std::size_t i = 0; i < sheet.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        forms.push_back({form_name(number), answer_form_text(sheet[i], origin, number)});
    }
    return forms;
}

}  // namespace echo_track::grading
