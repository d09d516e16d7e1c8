#include "page/paper.hpp"

#include <algorithm>
#include <cctype>
#include <string>

namespace echo_track::page {

std::optional<Paper> paper_named(std::string_view name) {
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower == "a4") return Paper::A4;
    if (lower == "letter") return Paper::Letter;
    return std::nullopt;
}

PaperSize paper_size(Paper paper) {
    constexpr double kPointsPerMm = 72.0 / 25.4;
    switch (paper) {
        case Paper::A4: return {210.0 * kPointsPerMm, 297.0 * kPointsPerMm};
        case Paper::Letter: return {8.5 * 72.0, 11.0 * 72.0};
    }
    return {};
}

Placement place_on(const Drawing& drawing, PaperSize sheet) {
    const double scale = std::min((sheet.width - 2.0 * kPaperMargin) / drawing.width,
                                  (sheet.height - 2.0 * kPaperMargin) / drawing.height);
    return {scale, (sheet.width - scale * drawing.width) / 2.0, (sheet.height - scale * drawing.height) / 2.0};
}

}  // namespace echo_track::page
