#include "page/picture_format.hpp"

#include <algorithm>
#include <cctype>
#include <string>

namespace echo_track::page {

std::optional<Format> format_for(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.rfind('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return std::nullopt;
    std::string extension(path.substr(dot + 1));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == "svg") return Format::Svg;
    if (extension == "png") return Format::Png;
    if (extension == "pdf") return Format::Pdf;
    return std::nullopt;
}

}  // namespace echo_track::page
