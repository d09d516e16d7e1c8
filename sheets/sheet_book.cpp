#include "sheets/sheet_book.hpp"

#include "sheets/sheet_pages.hpp"

namespace echo_track::sheets {

std::vector<page::Drawing> sheet_pages(const std::vector<SheetExercise>& sheet, std::uint64_t seed) {
    std::vector<page::Drawing> pages;
    const int count = static_cast<int>(sheet.size());
    for (int i = 0; i < count; ++i) pages.push_back(worksheet_page(sheet[static_cast<std::size_t>(i)], {i + 1, count, seed}));
    for (int i = 0; i < count; ++i) {
        const SheetPlace place{i + 1, count, seed};
        pages.push_back(answer_page(sheet[static_cast<std::size_t>(i)], place));
        pages.push_back(programs_page(sheet[static_cast<std::size_t>(i)], place));
    }
    return pages;
}

std::string sheet_title(std::uint64_t seed) { return "ECHO-TRACK plotting exercises, seed " + std::to_string(seed); }

}  // namespace echo_track::sheets
