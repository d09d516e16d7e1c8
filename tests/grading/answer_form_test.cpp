// The answer form written with the sheet and read back: filled with the key
// it grades in full; a form of another generator, of another seed or with
// its exercise changed is refused; answers that are no strings are judged
// per question; and no text, however mangled, does more than refuse.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "grading/form_grade.hpp"
#include "sheets/key_text.hpp"

namespace echo_track::grading {
namespace {

const std::vector<sheets::Kind> kKinds(sheets::kAllKinds.begin(), sheets::kAllKinds.end());
const SheetOrigin kOrigin{7, static_cast<int>(kKinds.size()), kKinds};

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

// The form of the exercise with every answer the key's.
std::string filled_form(const std::vector<sheets::SheetExercise>& sheet, int number) {
    const sheets::SheetExercise& x = sheet[static_cast<std::size_t>(number - 1)];
    std::string text = answer_form_text(x, kOrigin, number);
    for (const sheets::KeyItem& item : sheets::key_items(x)) {
        text = replaced(text, item.name + " = \"\"", item.name + " = \"" + sheets::key_value_text(item) + "\"");
    }
    return text;
}

FormGrade graded(const std::string& text, std::optional<std::uint64_t> seed = std::nullopt) {
    try {
        return grade_form(parse_answer_form(text, "answers.toml"), "answers.toml", Tolerances{}, seed);
    } catch (const FormError& e) {
        FormGrade g;
        g.refused = e.what();
        return g;
    }
}

TEST(AnswerForms, FilledWithTheKeyEveryFormGradesInFull) {
    const auto sheet = sheets::generate_sheet(kOrigin.seed, kOrigin.count, kKinds);
    const std::vector<sheets::SheetFile> forms = answer_forms(sheet, kOrigin);
    ASSERT_EQ(forms.size(), sheet.size());
    EXPECT_EQ(forms[2].name, "answers-03.toml");
    for (int n = 1; n <= kOrigin.count; ++n) {
        const FormGrade empty = graded(forms[static_cast<std::size_t>(n - 1)].bytes, 7);
        ASSERT_FALSE(empty.refused) << *empty.refused;
        EXPECT_EQ(empty.grade.right, 0);
        const FormGrade full = graded(filled_form(sheet, n), 7);
        ASSERT_FALSE(full.refused) << *full.refused;
        EXPECT_EQ(full.exercise, n);
        EXPECT_EQ(full.grade.right, full.grade.out_of);
        EXPECT_EQ(full.grade.out_of, empty.grade.out_of);
    }
}

struct Refusal {
    const char* from;
    const char* to;
};

TEST(AnswerForms, FormsOfAnotherSheetOrChangedAboveTheAnswersAreRefused) {
    const auto sheet = sheets::generate_sheet(kOrigin.seed, kOrigin.count, kKinds);
    const std::string form = filled_form(sheet, 2);
    const Refusal cases[] = {
        {"generator = \"echo-track-sheets ", "generator = \"echo-track-sheets 0.9 "},
        {"seed = \"7\"", "seed = \"8\""},
        {"seed = \"7\"", "seed = 7"},
        {"seed = \"7\"", "seed = \"99999999999999999999999\""},
        {"exercise = 2", "exercise = 3"},
        {"exercise = 2", "exercise = 9"},
        {"exercise = 2", "exercise = \"2\""},
        {"count = 11", "count = 0"},
        {"kinds = [", "kinds = [\"rowing\", "},
        {"check = \"", "check = \"0"},
        {"\n[answers]\n", "\n[answer]\n"},
        {"generator", "[generator"},
    };
    for (const Refusal& c : cases) EXPECT_TRUE(graded(replaced(form, c.from, c.to)).refused) << c.to;
    EXPECT_TRUE(graded(form, 8).refused);
    EXPECT_FALSE(graded(form, 7).refused);
}

TEST(AnswerForms, AnswersThatAreNoStringsAreJudgedPerQuestion) {
    const auto sheet = sheets::generate_sheet(kOrigin.seed, kOrigin.count, kKinds);
    std::string form = filled_form(sheet, 1);
    const sheets::KeyItem first = sheets::key_items(sheet[0]).front();
    const std::string line = first.name + " = \"" + sheets::key_value_text(first) + "\"";
    for (const char* value : {"true", "[1, 2]", "{ a = 1 }", "nan", "1979-05-27"}) {
        const FormGrade g = graded(replaced(form, line, first.name + " = " + value));
        ASSERT_FALSE(g.refused) << value << ": " << *g.refused;
        EXPECT_EQ(g.grade.items.front().mark, Mark::NotReadable) << value;
        EXPECT_EQ(g.grade.right, g.grade.out_of - 1) << value;
    }
    // A number without quotes is read as written.
    const FormGrade bare = graded(replaced(form, line, first.name + " = " + std::to_string(std::lround(first.value))));
    EXPECT_EQ(bare.grade.items.front().mark, Mark::Right);
}

TEST(AnswerForms, NoMangledFormDoesMoreThanRefuse) {
    const auto sheet = sheets::generate_sheet(kOrigin.seed, kOrigin.count, kKinds);
    const std::string form = filled_form(sheet, 5);
    std::mt19937 engine(26);
    for (int i = 0; i < 1500; ++i) {
        std::string text = form;
        for (int k = 0; k < 1 + i % 4; ++k) {
            const std::size_t at = engine() % text.size();
            text[at] = static_cast<char>(engine() % 256);
        }
        if (i % 7 == 0) text.resize(engine() % text.size());
        EXPECT_NO_THROW(graded(text)) << i;
    }
}

}  // namespace
}  // namespace echo_track::grading
