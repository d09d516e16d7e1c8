#include "console/safe_text.hpp"

namespace console {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

bool is_continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The bytes a character takes by its lead byte, and the bits it brings; 0
// bytes for a byte that cannot lead.
struct Lead {
    std::size_t bytes;
    char32_t bits;
};
Lead lead_of(unsigned char byte) {
    if (byte < 0x80) return {1, byte};
    if (byte >= 0xC2 && byte <= 0xDF) return {2, static_cast<char32_t>(byte & 0x1F)};
    if (byte >= 0xE0 && byte <= 0xEF) return {3, static_cast<char32_t>(byte & 0x0F)};
    if (byte >= 0xF0 && byte <= 0xF4) return {4, static_cast<char32_t>(byte & 0x07)};
    return {0, 0};
}

// The least code point of a character of each length: longer forms are malformed.
constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};

void put_escape(std::string& out, char prefix, unsigned value, int digits) {
    out += '\\';
    out += prefix;
    for (int d = digits - 1; d >= 0; --d) out += kHex[(value >> (4 * d)) & 15];
}

}  // namespace

Utf8Character utf8_character_at(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const Lead lead = lead_of(byte(at));
    if (lead.bytes == 0 || at + lead.bytes > text.size()) return {byte(at), 1, false};
    char32_t code = lead.bits;
    for (std::size_t i = 1; i < lead.bytes; ++i) {
        if (!is_continuation(byte(at + i))) return {byte(at), 1, false};
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (code < kLeast[lead.bytes] || code > 0x10FFFF || surrogate) return {byte(at), 1, false};
    return {code, lead.bytes, true};
}

std::size_t utf8_length(std::string_view text) {
    std::size_t characters = 0;
    for (std::size_t at = 0; at < text.size(); at += utf8_character_at(text, at).bytes) ++characters;
    return characters;
}

bool is_control_character(char32_t code) {
    return code <= 0x1F || (code >= 0x7F && code <= 0x9F) || (code >= 0x202A && code <= 0x202E) ||
           (code >= 0x2066 && code <= 0x2069);
}

std::string shown_safely(std::string_view text) {
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        const Utf8Character c = utf8_character_at(text, at);
        if (!c.valid) {
            put_escape(out, 'x', static_cast<unsigned char>(text[at]), 2);
        } else if (is_control_character(c.code)) {
            put_escape(out, 'u', static_cast<unsigned>(c.code), 4);
        } else {
            out.append(text.substr(at, c.bytes));
        }
        at += c.bytes;
    }
    return out;
}

}  // namespace console
