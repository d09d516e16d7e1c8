#include "page/box_grid.hpp"

#include <cmath>

namespace echo_track::page {
namespace {

// A cell's side in page units: about a label's height, a few characters wide.
constexpr double kCell = 16.0;
// A box filed in more cells than this is kept loose instead.
constexpr std::int64_t kMostCells = 256;
// Farther out than this (page units) a box is on no page.
constexpr double kFar = 1e9;

bool on_a_page(double v) { return std::isfinite(v) && std::fabs(v) < kFar; }

std::int32_t cell(double v) { return static_cast<std::int32_t>(std::floor(v / kCell)); }

}  // namespace

std::optional<BoxGrid::Cells> BoxGrid::cells_of(const Box& box) {
    if (!on_a_page(box.left) || !on_a_page(box.top) || !on_a_page(box.right) || !on_a_page(box.bottom)) return std::nullopt;
    const Cells c{cell(box.left), cell(box.top), cell(box.right), cell(box.bottom)};
    const std::int64_t count = (std::int64_t{c.right} - c.left + 1) * (std::int64_t{c.bottom} - c.top + 1);
    if (c.right < c.left || c.bottom < c.top || count > kMostCells) return std::nullopt;
    return c;
}

std::uint64_t BoxGrid::key(std::int32_t x, std::int32_t y) {
    return (std::uint64_t{static_cast<std::uint32_t>(x)} << 32) | static_cast<std::uint32_t>(y);
}

void BoxGrid::add(const Box& box) {
    const auto index = static_cast<std::uint32_t>(boxes_.size());
    boxes_.push_back(box);
    const std::optional<Cells> c = cells_of(box);
    if (!c) {
        loose_.push_back(index);
        return;
    }
    for (std::int32_t x = c->left; x <= c->right; ++x) {
        for (std::int32_t y = c->top; y <= c->bottom; ++y) cells_[key(x, y)].push_back(index);
    }
}

bool BoxGrid::overlaps_one_of(const std::vector<std::uint32_t>& indices, const Box& box) const {
    for (const std::uint32_t i : indices) {
        if (overlap(box, boxes_[i])) return true;
    }
    return false;
}

bool BoxGrid::overlaps_any(const Box& box) const {
    const std::optional<Cells> c = cells_of(box);
    if (!c) {
        for (const Box& other : boxes_) {
            if (overlap(box, other)) return true;
        }
        return false;
    }
    if (overlaps_one_of(loose_, box)) return true;
    // Two boxes that overlap share a cell: each is filed in every cell it reaches.
    for (std::int32_t x = c->left; x <= c->right; ++x) {
        for (std::int32_t y = c->top; y <= c->bottom; ++y) {
            const auto found = cells_.find(key(x, y));
            if (found != cells_.end() && overlaps_one_of(found->second, box)) return true;
        }
    }
    return false;
}

}  // namespace echo_track::page
