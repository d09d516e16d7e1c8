#pragma once
// A page being laid out, as the one-ship sheet and the traffic board both
// build theirs: shapes in painting order, and labels kept back for a layer
// above every line and marker, each placed clear of what is there already.

#include <string>
#include <utility>
#include <vector>

#include "page/drawing.hpp"
#include "page/label_placer.hpp"

namespace echo_track::plot {

class Canvas {
public:
    void paint(page::Role role, page::CircleShape c) { shapes_.push_back(page::Shape{role, c}); }
    void paint(page::Role role, page::SegmentShape s) { shapes_.push_back(page::Shape{role, s}); }
    void paint(page::Role role, page::ArcShape a) { shapes_.push_back(page::Shape{role, a}); }
    void paint(page::Role role, page::TextShape t) { shapes_.push_back(page::Shape{role, std::move(t)}); }

    // A text painted where it is, which later labels keep off.
    void paint_fixed(page::Role role, page::TextShape t) {
        placer_.keep_clear(page::text_box(t));
        paint(role, std::move(t));
    }

    // A spot that later labels keep off.
    void keep_clear(page::PagePoint p, double radius) { placer_.keep_clear(p, radius); }

    // A label beside `at`, towards `bearing` if there is room, for the layer above.
    void label(page::Role role, page::PagePoint at, double bearing, std::string text, page::Ink ink, double size) {
        labels_.push_back(page::Shape{role, placer_.place(at, bearing, std::move(text), ink, size)});
    }

    // The labels so far, painted now above everything before them.
    void lay_labels() {
        for (page::Shape& l : labels_) shapes_.push_back(std::move(l));
        labels_.clear();
    }

    // Room for this many shapes, so that a large page grows without copies.
    void reserve(std::size_t shapes) { shapes_.reserve(shapes); }

    std::vector<page::Shape>& shapes() { return shapes_; }
    std::vector<page::Shape> take_shapes() { return std::move(shapes_); }

private:
    std::vector<page::Shape> shapes_;
    std::vector<page::Shape> labels_;
    page::LabelPlacer placer_;
};

}  // namespace echo_track::plot
