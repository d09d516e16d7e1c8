// What a message shows of text it did not write: every character that moves
// the terminal or reorders the text written as an escape, malformed UTF-8
// byte by byte, and all else as it was.

#include "console/safe_text.hpp"

#include <gtest/gtest.h>

#include <string>

namespace console {
namespace {

struct Shown {
    std::string text;
    std::string shown;
    std::size_t characters;
};

TEST(SafeText, EscapesControlsAndMalformedBytesOnly) {
    const Shown cases[] = {
        {"Alpha 1", "Alpha 1", 7},
        {"\x1b[2J", "\\u001B[2J", 4},                       // clears the screen
        {std::string("a\0b", 3), "a\\u0000b", 3},
        {"row\nforged", "row\\u000Aforged", 10},
        {"\t\x7f", "\\u0009\\u007F", 2},
        {"\xc2\x85\xc2\x9f\xc2\xa0", "\\u0085\\u009F\xc2\xa0", 3},  // C1 controls; the no-break space stays
        {"\xe2\x80\xaa\xe2\x80\xae\xe2\x81\xa6\xe2\x81\xa9", "\\u202A\\u202E\\u2066\\u2069", 4},
        {"\xe2\x80\xa9\xe2\x80\xaf", "\xe2\x80\xa9\xe2\x80\xaf", 2},  // U+2029 and U+202F beside the range
        {"\xc3\x86r\xc3\xb8 \xc2\xb0", "\xc3\x86r\xc3\xb8 \xc2\xb0", 5},
        {"\xff\xc3", "\\xFF\\xC3", 2},                      // no character, and one cut short
        {"\xc0\xaf", "\\xC0\\xAF", 2},                      // an overlong slash
        {"\xed\xa0\x80", "\\xED\\xA0\\x80", 3},             // a surrogate
        {"\xf4\x90\x80\x80", "\\xF4\\x90\\x80\\x80", 4},    // past U+10FFFF
    };
    for (const Shown& c : cases) {
        EXPECT_EQ(shown_safely(c.text), c.shown) << c.shown;
        EXPECT_EQ(utf8_length(c.text), c.characters) << c.shown;
    }
}

}  // namespace
}  // namespace console
