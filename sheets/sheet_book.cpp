#include "sheets/sheet_book.hpp"

#include "plot/renderer.hpp"
#include "sheets/sheet_pages.hpp"

namespace echo_track::sheets {

std::vector<plot::Drawing> sheet_pages(const std::vector<SheetExercise>& sheet, std::uint64_t seed) {
    std::vector<plot::Drawing> pages;
    const int count = static_cast<int>(sheet.size());
    for (int i = 0; i < count; ++i) pages.push_back(worksheet_page(sheet[static_cast<std::size_t>(i)], {i + 1, count, seed}));
    for (int i = 0; i < count; ++i) pages.push_back(answer_page(sheet[static_cast<std::size_t>(i)], {i + 1, count, seed}));
    return pages;
}

std::string sheet_pdf(const std::vector<SheetExercise>& sheet, std::uint64_t seed) {
    return plot::render_pdf_pages(sheet_pages(sheet, seed), plot::Paper::A4,
                                  "ECHO-TRACK plotting exercises, seed " + std::to_string(seed));
}

}  // namespace echo_track::sheets
