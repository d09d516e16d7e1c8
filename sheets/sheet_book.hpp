#pragma once
// The whole sheet as one PDF document: the worksheets first, one page per
// exercise, then the answer pages in the same order.

#include <cstdint>
#include <string>
#include <vector>

#include "plot/page.hpp"
#include "sheets/generator.hpp"

namespace echo_track::sheets {

std::vector<plot::Drawing> sheet_pages(const std::vector<SheetExercise>& sheet, std::uint64_t seed);

// The PDF bytes, A4, with fixed dates.
std::string sheet_pdf(const std::vector<SheetExercise>& sheet, std::uint64_t seed);

}  // namespace echo_track::sheets
