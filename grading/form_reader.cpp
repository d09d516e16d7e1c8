#include "grading/form_reader.hpp"

#include <cmath>
#include <fstream>
#include <optional>

#include "console/field_text.hpp"
#include "traffic_io/toml.hpp"
#include "traffic_io/toml_guard.hpp"

namespace echo_track::grading {
namespace {

constexpr int kMostExercises = 99;
constexpr std::int64_t kLargeWhole = 1000000;  // a number written without quotes, beyond any figure

class FormFields {
public:
    FormFields(const toml::table& root, const std::string& source) : root_(root), source_(source) {}

    [[noreturn]] void fail(const toml::source_region& where, const std::string& what) const {
        throw FormError(source_ + ":" + std::to_string(where.begin.line) + ":" + std::to_string(where.begin.column) + ": " + what);
    }
    [[noreturn]] void missing(const std::string& key) const {
        throw FormError(source_ + ": no " + key + " (the lines above [answers] must stay as the sheet wrote them)");
    }

    std::string text(const std::string& key) const {
        const toml::node* node = root_.get(key);
        if (node == nullptr) missing(key);
        const auto value = node->value<std::string>();
        if (!value) fail(node->source(), key + ": expected a string in quotes");
        return *value;
    }

    int whole(const std::string& key, int low, int high) const {
        const toml::node* node = root_.get(key);
        if (node == nullptr) missing(key);
        const auto value = node->value<std::int64_t>();
        if (!value || *value < low || *value > high) {
            fail(node->source(), key + ": expected a whole number from " + console::whole_text(low) + " to " +
                                     console::whole_text(high));
        }
        return static_cast<int>(*value);
    }

    std::uint64_t seed() const {
        const std::string digits = text("seed");
        std::uint64_t value = 0;
        const bool fits = !digits.empty() && digits.size() <= 20 && digits.find_first_not_of("0123456789") == std::string::npos;
        for (const char c : digits) {
            const std::uint64_t digit = static_cast<std::uint64_t>(c - '0');
            if (!fits || value > (UINT64_MAX - digit) / 10) throw FormError(source_ + ": seed: expected the sheet's seed in decimal digits");
            value = value * 10 + digit;
        }
        if (!fits) throw FormError(source_ + ": seed: expected the sheet's seed in decimal digits");
        return value;
    }

    std::vector<sheets::Kind> kinds() const {
        const toml::node* node = root_.get("kinds");
        if (node == nullptr) missing("kinds");
        const toml::array* list = node->as_array();
        if (list == nullptr || list->empty()) fail(node->source(), "kinds: expected the list of the sheet's kinds");
        std::vector<sheets::Kind> kinds;
        for (const toml::node& element : *list) {
            const auto name = element.value<std::string>();
            const auto kind = name ? sheets::kind_named(*name) : std::nullopt;
            if (!kind) fail(element.source(), "kinds: expected a kind's name");
            kinds.push_back(*kind);
        }
        return kinds;
    }

    std::map<std::string, std::string> answers() const {
        const toml::node* node = root_.get("answers");
        if (node == nullptr || !node->is_table()) missing("[answers]");
        std::map<std::string, std::string> found;
        for (const auto& [key, value] : *node->as_table()) {
            if (const auto s = value.value_exact<std::string>()) {
                found[std::string(key.str())] = *s;
            } else if (const auto whole = value.value_exact<std::int64_t>(); whole && *whole > -kLargeWhole && *whole < kLargeWhole) {
                found[std::string(key.str())] = console::whole_text(static_cast<int>(*whole));
            } else if (const auto real = value.value_exact<double>(); real && std::isfinite(*real) && std::fabs(*real) < kLargeWhole) {
                found[std::string(key.str())] = console::decimal_text(*real, 2);
            } else {
                // Judged per question as not readable, like any answer that is no figure.
                found[std::string(key.str())] = "(not a value in quotes)";
            }
        }
        return found;
    }

private:
    const toml::table& root_;
    const std::string& source_;
};

}  // namespace

FilledForm parse_answer_form(std::string_view text, const std::string& source) {
    if (text.size() > kMostFormBytes) throw FormError(source + ": too large for an answer form");
    if (const auto fault = traffic_io::first_guard_fault(text)) {
        throw FormError(source + ":" + std::to_string(fault->place.line) + ":" + std::to_string(fault->place.column) + ": " +
                        fault->what);
    }
    toml::table root;
    try {
        root = toml::parse(text, source);
    } catch (const toml::parse_error& e) {
        throw FormError(source + ":" + std::to_string(e.source().begin.line) + ":" + std::to_string(e.source().begin.column) +
                        ": " + std::string(e.description()));
    }
    const FormFields fields(root, source);
    FilledForm form;
    form.generator = fields.text("generator");
    form.origin.seed = fields.seed();
    form.origin.count = fields.whole("count", 1, kMostExercises);
    form.origin.kinds = fields.kinds();
    form.exercise = fields.whole("exercise", 1, form.origin.count);
    form.check = fields.text("check");
    form.answers = fields.answers();
    return form;
}

FilledForm read_answer_form(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FormError(path + ": cannot be read");
    std::string text(kMostFormBytes + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) throw FormError(path + ": cannot be read");
    text.resize(static_cast<std::size_t>(in.gcount()));
    return parse_answer_form(text, path);
}

}  // namespace echo_track::grading
