#include "console/number_reader.hpp"

#include <charconv>
#include <cstring>
#include <limits>

#include "console/number_text.hpp"

namespace console {

namespace {

constexpr int kEndOfRecord = '\n';  // the mark after the record's last character
constexpr int kEnd = -1;            // past the mark: the record is used up
constexpr std::size_t kMaxSignificant = 40;
constexpr long long kMaxExponent = 99999999;

// Walks the internal record, then its end-of-record mark, then its end.
class Cursor {
public:
    explicit Cursor(std::string_view record) : record_(record) {}
    int get() {
        if (pos_ < record_.size()) return static_cast<unsigned char>(record_[pos_++]);
        if (pos_++ == record_.size()) return kEndOfRecord;
        return kEnd;
    }
    void unget() { --pos_; }

private:
    std::string_view record_;
    std::size_t pos_ = 0;
};

bool is_digit(int c) { return c >= '0' && c <= '9'; }
bool is_sign(int c) { return c == '+' || c == '-'; }
bool is_exponent_letter(int c) { return c == 'd' || c == 'e' || c == 'D' || c == 'E'; }

// The significant digits of a number, at most kMaxSignificant of them.
class Digits {
public:
    bool empty() const { return size_ == 0; }
    bool full() const { return size_ == kMaxSignificant; }
    char back() const { return text_[size_ - 1]; }
    void push_back(char c) { text_[size_++] = c; }
    void pop_back() { --size_; }

    // digits x 10^exponent, to the nearest double; the digits have no leading
    // or trailing zeros and are not empty.
    double nearest_double(long long exponent) const {
        char text[kMaxSignificant + 24];
        std::memcpy(text, text_, size_);
        char* end = text + size_;
        *end++ = 'e';
        end = std::to_chars(end, text + sizeof text, exponent).ptr;
        double value = 0.0;
        switch (decimal_to_double(std::string_view(text, static_cast<std::size_t>(end - text)), value)) {
            // Beyond the range of a double: overflow to infinity, underflow to zero.
            case DecimalValue::Overflow: return std::numeric_limits<double>::infinity();
            case DecimalValue::Underflow: return 0.0;
            case DecimalValue::InRange: break;
        }
        return value;
    }

private:
    char text_[kMaxSignificant];
    std::size_t size_ = 0;
};

// One number: an optional repeat count "n*", sign, digits, point, digits, and
// an exponent given by a letter or by a bare sign after the digits.
NumberOutcome read_number_text(Cursor& in, double& value) {
    bool repeat_seen = false;
    for (;;) {
        Digits digits;
        long long exponent = 0;
        int zeros_seen = 0;
        bool negative = false;
        int ch = in.get();
        if (is_sign(ch)) {
            negative = ch == '-';
            ch = in.get();
        }
        while (ch == '0') {
            ++zeros_seen;
            ch = in.get();
        }
        while (is_digit(ch)) {
            if (!digits.full()) digits.push_back(static_cast<char>(ch));
            else ++exponent;
            ch = in.get();
        }
        if (ch == '*' && !repeat_seen) {
            if (digits.empty() || exponent != 0 || negative) return NumberOutcome::BadRepeatCount;
            repeat_seen = true;  // the count itself does not matter for one value
            continue;
        }
        if (ch == '.') {
            ch = in.get();
            if (digits.empty()) {
                while (ch == '0') {
                    ++zeros_seen;
                    --exponent;
                    ch = in.get();
                }
            }
            while (is_digit(ch)) {
                if (!digits.full()) {
                    digits.push_back(static_cast<char>(ch));
                    --exponent;
                }
                ch = in.get();
            }
        }
        bool have_number = zeros_seen > 0 || !digits.empty();
        bool exponent_sign = is_sign(ch);
        if (exponent_sign || (have_number && is_exponent_letter(ch))) {
            if (!exponent_sign) ch = in.get();
            bool negative_exponent = false;
            if (is_sign(ch)) {
                negative_exponent = ch == '-';
                ch = in.get();
            }
            if (!is_digit(ch)) return NumberOutcome::ExponentField;
            long long e = ch - '0';
            while (is_digit(ch = in.get())) {
                e = 10 * e + (ch - '0');
                if (e > kMaxExponent) return NumberOutcome::ExponentField;
            }
            exponent += negative_exponent ? -e : e;
        }
        if (have_number) {
            double magnitude = 0.0;  // "-0" reads as plus zero, as the digits hold no sign
            if (!digits.empty()) {
                while (digits.back() == '0') {
                    digits.pop_back();
                    ++exponent;
                }
                magnitude = digits.nearest_double(exponent);
                if (negative) magnitude = -magnitude;
            }
            value = magnitude;
            return NumberOutcome::Value;
        }
        // No digits: a separator or a repeat count standing alone is a null value.
        if (ch == ',' || ch == '/') return NumberOutcome::Null;
        if (repeat_seen && (ch == ' ' || ch == '\t' || ch == kEndOfRecord)) return NumberOutcome::Null;
        return NumberOutcome::InvalidNumber;
    }
}

}  // namespace

NumberOutcome read_list_number(std::string_view record, double& value) {
    Cursor in(record);
    for (;;) {
        switch (in.get()) {
            case kEnd:
                return NumberOutcome::EndOfRecord;
            case ' ':
            case '\t':
            case kEndOfRecord:
                continue;
            case '/':
            case ',':
                return NumberOutcome::Null;
            default:
                in.unget();
                return read_number_text(in, value);
        }
    }
}

}  // namespace console
