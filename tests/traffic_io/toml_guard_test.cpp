// The nesting found before parsing is the nesting the parser builds: for
// random TOML documents of every depth, with dotted and quoted keys, table
// headers, inline tables, arrays over several lines, comments and strings
// full of brackets, dots, quotes and characters that are not ASCII, the scan
// refuses exactly those whose parsed tree goes deeper than the limit. And
// characters that are not ASCII are refused only where TOML wants none.

#include <gtest/gtest.h>

#include <toml++/toml.h>

#include <algorithm>
#include <random>
#include <string>

#include "traffic_io/toml_guard.hpp"

namespace echo_track::traffic_io {
namespace {

// The level of the deepest node below `node`, which stands at `level`; the
// elements of an array are a level below it, even when there are none.
int deepest(const toml::node& node, int level) {
    int most = level;
    if (const toml::table* t = node.as_table()) {
        for (auto&& [key, value] : *t) most = std::max(most, deepest(value, level + 1));
    } else if (const toml::array* a = node.as_array()) {
        most = level + 1;
        for (const toml::node& value : *a) most = std::max(most, deepest(value, level + 1));
    }
    return most;
}

class DocumentDraw {
public:
    explicit DocumentDraw(unsigned seed) : random_(seed) {}

    // A document whose deepest node lies `depth` levels below the root.
    std::string document(int depth) {
        std::string text = "# [a.b.c] = { x = [ \" 060\u00b0\n" + key(1) + " = " + scalar() + "\n";
        const bool array = depth >= 2 && pick(2) == 0;
        const int header = pick(depth - (array ? 1 : 0) + 1);  // parts of the header; 0 for none
        if (header > 0) text += (array ? "[[" : "[") + key(header) + (array ? "]]" : "]") + "  # ]]\n";
        const int rest = depth - header - (header > 0 && array ? 1 : 0);
        if (rest > 0) {
            const int parts = 1 + pick(rest);
            text += key(parts) + " = " + value(rest - parts) + "\n";
        }
        return text + "\n# the end: ]]\n";
    }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    // A key part no other has, bare or quoted with what looks like structure.
    std::string part() {
        const std::string name = "k" + std::to_string(++parts_);
        switch (pick(3)) {
            case 0: return "\"" + name + ".[{#\\\"\"";
            case 1: return "'" + name + " ]}.'";
            default: return name;
        }
    }

    std::string key(int parts) {
        std::string k = part();
        for (int i = 1; i < parts; ++i) k += (pick(2) ? "." : " . ") + part();
        return k;
    }

    std::string scalar() {
        static const char* const kScalars[] = {
            "1.5", "-3", "true", "1979-05-27T07:32:00.5Z", "inf", "0x1F", "\"a]b}c.d#e\\\"f[\"", "'g[h{i.j'",
            "\"\u00c6r\u00f8 060\u00b0\"", "\"\"\"a \\\n   b\u00b0\"\"\"", "'''\u00b0\n'''", "'''lit\n[[m.n]]\n'''''", "\"\""};
        return kScalars[pick(static_cast<int>(std::size(kScalars)))];
    }

    // A value whose deepest node lies `depth` levels below its own.
    std::string value(int depth) {
        if (depth == 0) return scalar();
        if (depth == 1 && pick(4) == 0) return "[]";
        if (pick(2) == 0) {
            const std::string gap = pick(2) ? ", " : ",  # ] } \"\n  ";
            return "[ " + scalar() + gap + value(depth - 1) + gap + scalar() + " ]";
        }
        const int parts = 1 + pick(depth);
        return "{ " + key(1) + " = " + scalar() + ", " + key(parts) + " = " + value(depth - parts) + " }";
    }

    std::mt19937 random_;
    int parts_ = 0;
};

TEST(TomlGuard, RefusesExactlyTheDocumentsTooDeepToParse) {
    DocumentDraw draw(22);
    int refused = 0;
    for (int n = 0; n < 3000; ++n) {
        const int depth = 1 + n % (kMostLevels + 4);
        const std::string text = draw.document(depth);
        SCOPED_TRACE(text);
        toml::table root;
        try {
            root = toml::parse(text);
        } catch (const toml::parse_error& e) {
            FAIL() << e.description();
        }
        const int levels = deepest(root, 0);
        ASSERT_EQ(levels, depth);
        const auto fault = first_guard_fault(text);
        const bool too_deep = fault.has_value();
        if (too_deep) {
            EXPECT_NE(fault->what.find("levels deep"), std::string::npos) << fault->what;
        }
        EXPECT_EQ(too_deep, levels > kMostLevels);
        refused += too_deep;
    }
    EXPECT_GT(refused, 500);
}

struct Place {
    const char* text;
    std::size_t line;  // 0: read, not refused
    std::size_t column;
};

TEST(TomlGuard, RefusesCharactersNotAsciiOnlyWhereTomlWantsNone) {
    const Place cases[] = {
        {"bearing = 060\u00b0\n", 1, 14},                      // the degree sign after a number
        {"k\u00c6 = 1\n", 1, 2},                               // in a bare key
        {"x = 1\n\u3001 = 2\n", 2, 1},
        {"[t.\"\u00c6\"\u00b0]\n", 1, 7},                         // in a table header
        {"x = 0\"\u00c6\"\n", 1, 7},                             // a quote within a number starts no string
        {"x = \"\"\"a\\\u00b0\"\"\"\n", 1, 10},             // right after a backslash
        {"x = \"\"\"a\\  \n \n  \u00c6\"\"\"\n", 3, 3},       // past a line-ending backslash
        {"\xef\xbb\xbfx = \"\u00c6r\u00f8\" # 060\u00b0\n", 0, 0}, // a byte order mark, a string, a comment
        {"x = '\\\u00b0'\ny = \"\"\"\\\\\u00b0\"\"\"\n", 0, 0},  // a literal string; an escaped backslash
        {"x = \"\\\u00b0\"\n", 0, 0},                          // a single-line string is the parser's to refuse
    };
    for (const Place& c : cases) {
        const auto fault = first_guard_fault(c.text);
        EXPECT_EQ(fault.has_value(), c.line != 0) << c.text;
        if (!fault || c.line == 0) continue;
        EXPECT_EQ(fault->place.line, c.line) << c.text;
        EXPECT_EQ(fault->place.column, c.column) << c.text;
        EXPECT_NE(fault->what.find("not ASCII"), std::string::npos) << fault->what;
    }
}

}  // namespace
}  // namespace echo_track::traffic_io
