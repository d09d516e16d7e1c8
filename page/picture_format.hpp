#pragma once
// The file formats a picture is written in.

#include <optional>
#include <string_view>

namespace echo_track::page {

enum class Format { Svg, Png, Pdf };

// The format named by a file name's extension (".svg", ".png", ".pdf", in
// any letter case); none for any other name.
std::optional<Format> format_for(std::string_view path);

}  // namespace echo_track::page
