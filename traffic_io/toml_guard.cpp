#include "traffic_io/toml_guard.hpp"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace echo_track::traffic_io {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

constexpr const char* kNotAsciiOutside = "a character that is not ASCII outside quotes and comments";

bool is_ascii(char c) { return static_cast<unsigned char>(c) < 0x80; }

// Reads the text once, keeping count of the levels open at each place.
class GuardScan {
public:
    explicit GuardScan(std::string_view text) : text_(text) {}

    std::optional<GuardFault> run() {
        if (ahead(kByteOrderMark)) at_ = kByteOrderMark.size();
        while (at_ < text_.size() && !fault_) step();
        return fault_;
    }

private:
    // An array or inline table a value opened: the levels it adds (the parts
    // of its key, and one for an array's elements) and whether it holds keys.
    struct Open {
        int levels;
        bool table;
    };

    char here() const { return text_[at_]; }
    bool ahead(std::string_view what) const { return text_.substr(at_, what.size()) == what; }

    void advance() {
        if (here() == '\n') {
            ++place_.line;
            place_.column = 1;
        } else if ((static_cast<unsigned char>(here()) & 0xC0) != 0x80) {
            ++place_.column;
        }
        ++at_;
    }
    void advance(std::size_t n) {
        for (std::size_t i = 0; i < n && at_ < text_.size(); ++i) advance();
    }

    int levels_open() const { return header_ + opened_; }

    // The scan ends at the first fault.
    void refuse(std::string what) {
        if (!fault_) fault_ = GuardFault{place_, std::move(what)};
    }

    // One level more at the current place; past the limit the scan ends there.
    void check(int levels) {
        if (levels > kMostLevels) refuse("keys, tables and arrays nest more than " + std::to_string(kMostLevels) + " levels deep");
    }

    // A part of a key begins here (a bare word, a quoted string, or the part
    // after a dot): counted only while a key is read, never in a value.
    void key_part(bool after_dot) {
        if (!in_key_) return;
        if (parts_ == 0 || after_dot) {
            parts_ = after_dot ? std::max(parts_, 1) + 1 : 1;
            check(levels_open() + parts_);
        }
    }

    void step() {
        const char c = here();
        const bool fresh = fresh_line_ && !is_blank(c);
        if (!is_blank(c)) fresh_line_ = false;
        if (!is_ascii(c)) return refuse(kNotAsciiOutside);
        if (c == '#') return skip_comment();
        if (!in_key_ && starts_bare_value(c)) return skip_bare_value();
        if (c == '"' || c == '\'') {
            key_part(false);
            return skip_string(c);
        }
        if (c == '\n') return new_line();
        if (c == '[' && fresh && open_.empty()) return header();
        if (c == '[' || c == '{') return open(c == '{');
        if (c == ']' || c == '}') return close();
        if (c == '=') {
            if (in_key_) key_parts_ = parts_;
            in_key_ = false;
            parts_ = 0;
        } else if (c == ',') {
            parts_ = 0;
            key_parts_ = 0;
            in_key_ = !open_.empty() && open_.back().table;
        } else if (c == '.') {
            key_part(true);
        } else if (!is_blank(c)) {
            key_part(false);
        }
        advance();
    }

    // A number, date, boolean or anything else a value starts without a quote
    // or a bracket: the parser reads it to the next blank, line end, comma,
    // closing bracket or comment, quotes and opening brackets included, and
    // tests every character of it.
    static bool starts_bare_value(char c) {
        return !is_blank(c) && std::string_view("\"'[]{},=\n").find(c) == std::string_view::npos;
    }
    void skip_bare_value() {
        while (at_ < text_.size() && std::string_view(" \t\r\n]},#").find(here()) == std::string_view::npos) {
            if (!is_ascii(here())) return refuse(kNotAsciiOutside);
            advance();
        }
    }

    void skip_comment() {
        while (at_ < text_.size() && here() != '\n') advance();
    }

    // Past a backslash in a multi-line basic string the parser tests each
    // character for a blank until the first that is none: that one must be
    // ASCII. Refuses there when it is not.
    bool ascii_after_backslash() {
        std::size_t next = at_ + 1;
        while (next < text_.size() && (is_blank(text_[next]) || text_[next] == '\n')) ++next;
        if (next >= text_.size() || is_ascii(text_[next])) return true;
        advance(next - at_);
        refuse("a character that is not ASCII after a backslash in a multi-line string");
        return false;
    }

    // A string of either quote, single-line or in three quotes; a backslash
    // escapes the next character in "basic" strings only.
    void skip_string(char quote) {
        const std::string_view three = quote == '"' ? "\"\"\"" : "'''";
        const bool multi_line = ahead(three);
        advance(multi_line ? 3 : 1);
        while (at_ < text_.size()) {
            if (here() == '\\' && quote == '"') {
                if (multi_line && !ascii_after_backslash()) return;
                advance(2);
            } else if (multi_line && ahead(three)) {
                advance(3);
                for (int extra = 0; extra < 2 && at_ < text_.size() && here() == quote; ++extra) advance();
                return;
            } else if (!multi_line && here() == quote) {
                advance();
                return;
            } else if (!multi_line && here() == '\n') {
                return;  // the parser stops here: the string is not closed
            } else {
                advance();
            }
        }
    }

    // A line end ends a key or value at the top; inside an inline table, where
    // the parser wants none, the next word is taken for a key.
    void new_line() {
        parts_ = 0;
        if (open_.empty()) {
            in_key_ = true;
            key_parts_ = 0;
            fresh_line_ = true;
        } else if (open_.back().table) {
            in_key_ = true;
        }
        advance();
    }

    // [a.b.c] or [[a.b.c]]: the levels of every key below it until the next.
    void header() {
        const bool array = ahead("[[");
        advance(array ? 2 : 1);
        header_ = array ? 1 : 0;  // the array of tables is a level of its own
        in_key_ = true;
        parts_ = 0;
        while (at_ < text_.size() && here() != ']' && here() != '\n' && !fault_) {
            const char c = here();
            if (!is_ascii(c)) return refuse(kNotAsciiOutside);
            if (c == '"' || c == '\'') {
                key_part(false);
                skip_string(c);
                continue;
            }
            if (c == '.') key_part(true);
            else if (!is_blank(c) && c != '[') key_part(false);
            advance();
        }
        header_ += parts_;
        parts_ = 0;
        key_parts_ = 0;
        if (at_ < text_.size() && here() == ']') advance(array && ahead("]]") ? 2 : 1);
    }

    // An inline table stands at the level of its key's last part; an array
    // one level deeper holds its elements.
    void open(bool table) {
        const int levels = (in_key_ ? parts_ : key_parts_) + (table ? 0 : 1);
        open_.push_back(Open{levels, table});
        opened_ += levels;
        check(levels_open());
        in_key_ = table;
        parts_ = 0;
        key_parts_ = 0;
        advance();
    }

    void close() {
        if (!open_.empty()) {
            opened_ -= open_.back().levels;
            open_.pop_back();
        }
        in_key_ = false;
        parts_ = 0;
        key_parts_ = 0;
        advance();
    }

    std::string_view text_;
    std::size_t at_ = 0;
    TextPlace place_;
    std::vector<Open> open_;
    int opened_ = 0;         // the levels of every open array and inline table
    int header_ = 0;         // the levels of the last table header
    int parts_ = 0;          // parts of the key being read
    int key_parts_ = 0;      // parts of the key whose value is being read
    bool in_key_ = true;     // a key is read, not a value
    bool fresh_line_ = true; // nothing but blanks yet on this line, at the top
    std::optional<GuardFault> fault_;
};

}  // namespace

std::optional<GuardFault> first_guard_fault(std::string_view text) { return GuardScan(text).run(); }

}  // namespace echo_track::traffic_io
