#pragma once
// Text from a file or the command line read as UTF-8 characters, and the
// characters that must not reach a terminal or a table unseen: those that
// move the cursor, clear the screen or reorder the text around them.

#include <cstddef>
#include <string>
#include <string_view>

namespace console {

// One character of UTF-8 text: its code point and how many bytes it takes.
// A byte that starts no well-formed character is read on its own, as not valid.
struct Utf8Character {
    char32_t code = 0;
    std::size_t bytes = 1;
    bool valid = true;
};

// The character that starts at byte `at` of `text` (at < text.size()).
Utf8Character utf8_character_at(std::string_view text, std::size_t at);

// The number of characters of `text`, a malformed byte counting as one.
std::size_t utf8_length(std::string_view text);

// The C0 controls U+0000 to U+001F, DEL and the C1 controls U+007F to U+009F,
// and the bidirectional embeddings, overrides and isolates U+202A to U+202E
// and U+2066 to U+2069.
bool is_control_character(char32_t code);

// `text` with every control character written as \uXXXX and every malformed
// byte as \xNN: what a message may show of text it did not write itself.
std::string shown_safely(std::string_view text);

}  // namespace console
