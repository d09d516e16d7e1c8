#include "page/picture.hpp"

#include "page/cairo_painter.hpp"
#include "page/svg_writer.hpp"

namespace echo_track::page {

std::string encode_picture(const Drawing& drawing, Format format, Paper paper) {
    if (format == Format::Png) return paint_png(drawing);
    if (format == Format::Pdf) return paint_pdf(drawing, paper);
    return svg_page(drawing);
}

}  // namespace echo_track::page
