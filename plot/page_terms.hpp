#pragma once
// The page's words that every picture of this room is written in: shapes,
// strokes, inks and what each shape shows.

#include "page/drawing.hpp"

namespace echo_track::plot {

using page::ArcShape;
using page::CircleShape;
using page::Dash;
using page::Drawing;
using page::HAlign;
using page::Ink;
using page::PagePoint;
using page::Role;
using page::SegmentShape;
using page::Shape;
using page::Stroke;
using page::TextShape;
using page::VAlign;

}  // namespace echo_track::plot
