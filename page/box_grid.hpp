#pragma once
// Boxes filed by the square cells of the page they reach into, so that the
// question "does this box cover any of them?" looks only at the boxes near
// it: the answer is the same as when every box is looked at, in a time that
// does not grow with the boxes elsewhere on the page.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "page/box.hpp"

namespace echo_track::page {

class BoxGrid {
public:
    void add(const Box& box);

    // Whether `box` overlaps (page/box.hpp) any box added.
    bool overlaps_any(const Box& box) const;

    std::size_t size() const { return boxes_.size(); }

private:
    // The cells a box reaches into, both ends included.
    struct Cells {
        std::int32_t left, top, right, bottom;
    };
    // None for a box too large for the cells, or off any page.
    static std::optional<Cells> cells_of(const Box& box);
    static std::uint64_t key(std::int32_t x, std::int32_t y);
    bool overlaps_one_of(const std::vector<std::uint32_t>& indices, const Box& box) const;

    std::vector<Box> boxes_;
    std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> cells_;
    std::vector<std::uint32_t> loose_;  // boxes in no cell: looked at for every question
};

}  // namespace echo_track::page
