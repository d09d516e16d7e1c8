#include "traffic_io/target_name.hpp"

#include "console/safe_text.hpp"

namespace echo_track::traffic_io {

std::optional<std::string> name_fault(std::string_view name) {
    for (std::size_t at = 0; at < name.size();) {
        const console::Utf8Character c = console::utf8_character_at(name, at);
        if (c.valid && console::is_control_character(c.code)) return "a name holds a control character";
        at += c.bytes;
    }
    if (console::utf8_length(name) > kMostNameCharacters) {
        return "a name is longer than " + std::to_string(kMostNameCharacters) + " characters";
    }
    return std::nullopt;
}

}  // namespace echo_track::traffic_io
