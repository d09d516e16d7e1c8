// Fuzz target: typed bytes through the field read, the number read and the
// line wait of the console layer.
//
// Input layout: byte 0 sets how many bytes one read of the input returns (so
// that lines arrive split anywhere), byte 1 picks which reads are line waits,
// the rest is what the user typed. The target checks the console against a
// plain model of the rules: which line each read takes, which 8 characters
// the field holds, where the end of input is met and which report that gives;
// and that a plainly written decimal number reads as the nearest double.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "console/console.hpp"
#include "console/number_reader.hpp"
#include "console/string_streams.hpp"
#include "fuzz/console_slot.hpp"
#include "fuzz/fuzz_input.hpp"
#include "fuzz/run_report.hpp"

namespace {

using fuzz::require;

// How the typed lines should be taken, one read at a time.
class LineModel {
public:
    explicit LineModel(std::string_view typed) : typed_(typed) {}

    // The field the next field read should give, or the report that ends it.
    struct FieldRead {
        console::Field field{};
        std::optional<std::string> report;
    };
    FieldRead field_read() {
        FieldRead r;
        r.field.fill(' ');
        if (end_met_) {
            r.report = fuzz::end_of_file_report("read start", console::kFieldFormat);
            return r;
        }
        for (std::size_t i = 0; i < r.field.size(); ++i) {
            if (pos_ == typed_.size()) {
                r.report = fuzz::end_of_file_report("fmt", console::kFieldFormat);
                return r;
            }
            char c = typed_[pos_++];
            if (c == '\n') return r;
            r.field[i] = c;
        }
        skip_rest_of_line();
        return r;
    }

    // The report that should end the next line wait, if any.
    std::optional<std::string> line_wait() {
        if (end_met_) return fuzz::end_of_file_report("read start", console::kLineWaitFormat);
        skip_rest_of_line();
        return std::nullopt;
    }

private:
    void skip_rest_of_line() {
        std::size_t nl = typed_.find('\n', pos_);
        if (nl == std::string_view::npos) {
            end_met_ = true;
            pos_ = typed_.size();
        } else {
            pos_ = nl + 1;
        }
    }

    std::string_view typed_;
    std::size_t pos_ = 0;
    bool end_met_ = false;
};

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_sign(char c) { return c == '+' || c == '-'; }
bool is_exponent_letter(char c) { return c == 'e' || c == 'E' || c == 'd' || c == 'D'; }

std::size_t skip_digits(std::string_view s, std::size_t i) {
    while (i < s.size() && is_digit(s[i])) ++i;
    return i;
}

// The value of a field that holds one plainly written decimal number (sign,
// digits, point, digits, exponent by letter or by bare sign), as the C library
// converts it; nothing for every other field, which the model does not judge.
std::optional<double> plain_number(std::string_view field) {
    std::size_t i = field.find_first_not_of(" \t");
    if (i == std::string_view::npos) return std::nullopt;
    std::size_t start = i;
    if (is_sign(field[i])) ++i;
    std::size_t int_end = skip_digits(field, i);
    std::size_t digit_count = int_end - i;
    i = int_end;
    if (i < field.size() && field[i] == '.') {
        std::size_t frac_end = skip_digits(field, i + 1);
        digit_count += frac_end - (i + 1);
        i = frac_end;
    }
    if (digit_count == 0) return std::nullopt;
    std::string text(field.substr(start, i - start));
    if (i < field.size() && (is_exponent_letter(field[i]) || is_sign(field[i]))) {
        std::size_t e = is_exponent_letter(field[i]) ? i + 1 : i;
        std::string exponent = "e";
        if (e < field.size() && is_sign(field[e])) exponent.push_back(field[e++]);
        std::size_t exp_end = skip_digits(field, e);
        if (exp_end == e) return std::nullopt;  // an exponent without digits is an error
        exponent.append(field.substr(e, exp_end - e));
        text += exponent;
        i = exp_end;
    }
    if (i < field.size()) {
        char next = field[i];
        if (is_digit(next) || is_sign(next) || is_exponent_letter(next) || next == '.' || next == '*')
            return std::nullopt;
    }
    return std::strtod(text.c_str(), nullptr);
}

constexpr double kUntouched = -7777.25;  // a value no field of these tests can hold by chance

// One field read plus number read; returns false when the run has ended.
bool check_field_and_number(console::Console& con, const console::StringSink& err, LineModel& model) {
    LineModel::FieldRead want = model.field_read();
    console::Field field;
    try {
        field = con.read_field();
    } catch (const console::RunEnded& ended) {
        require(ended.how == console::Ending::ErrorReport);
        require(want.report.has_value() && err.text == *want.report);
        return false;
    }
    require(!want.report.has_value());
    require(field == want.field);

    double value = kUntouched;
    std::string_view text(field.data(), field.size());
    // A field of blanks and tabs alone runs past its end: "list in".
    const bool blank = text.find_first_not_of(" \t") == std::string_view::npos;
    try {
        con.read_number(field, value);
    } catch (const console::RunEnded& ended) {
        require(ended.how == console::Ending::ErrorReport);
        require(fuzz::is_number_report(err.text));
        require(blank == (err.text == fuzz::number_report("list in")));
        require(value == kUntouched);
        require(!plain_number(text).has_value());
        return false;
    }
    require(!blank);
    if (std::optional<double> plain = plain_number(text)) require(value == *plain);
    return true;
}

// One line wait; returns false when the run has ended.
bool check_line_wait(console::Console& con, const console::StringSink& err, LineModel& model) {
    std::optional<std::string> want = model.line_wait();
    try {
        con.wait_line();
    } catch (const console::RunEnded& ended) {
        require(ended.how == console::Ending::ErrorReport);
        require(want.has_value() && err.text == *want);
        return false;
    }
    require(!want.has_value());
    return true;
}

// The number grammar alone, on a record of any length: it must not fault, and
// it may change the variable only when it reports a value.
void check_grammar(std::string_view record) {
    double value = kUntouched;
    console::NumberOutcome outcome = console::read_list_number(record, value);
    if (outcome != console::NumberOutcome::Value) require(value == kUntouched);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::size_t chunk = fuzz::read_chunk(data[0]);
    const unsigned waits = data[1];
    const std::string_view typed(reinterpret_cast<const char*>(data) + 2, size - 2);

    check_grammar(typed);

    fuzz::with_console(typed, chunk, [&](fuzz::InProcessRun& run) {
        LineModel model(typed);
        // Every read consumes at least one byte or ends the run, so this ends.
        for (unsigned n = 0;; ++n) {
            bool wait = (waits >> (n % 8)) & 1u;
            bool going = wait ? check_line_wait(run.con, run.err, model) : check_field_and_number(run.con, run.err, model);
            if (!going) break;
            require(run.err.text.empty());
        }
        run.con.flush();
        require(run.out.text.empty());  // reading never writes
    });
    return 0;
}
