// The page painted by cairo as PNG or PDF. The picture is encoded into memory
// first, so that a file is only ever written whole.

#include "page/cairo_painter.hpp"

#include <cairo-pdf.h>
#include <cairo.h>

#include <array>
#include <cmath>
#include <memory>
#include <type_traits>
#include <variant>

#include "page/arrow_head.hpp"
#include "page/compass.hpp"

namespace echo_track::page {
namespace {

constexpr const char* kMonospaceFamily = "DejaVu Sans Mono";  // console text shown as printed

cairo_status_t append_bytes(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextDeleter {
    void operator()(cairo_t* c) const { cairo_destroy(c); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using Context = std::unique_ptr<cairo_t, ContextDeleter>;

void check(cairo_status_t status, const char* what) {
    if (status != CAIRO_STATUS_SUCCESS) {
        throw RenderError(std::string(what) + ": " + cairo_status_to_string(status));
    }
}

void set_ink(cairo_t* cr, Ink ink) {
    const Rgb c = ink_colour(ink);
    cairo_set_source_rgb(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0);
}

void set_stroke(cairo_t* cr, const Stroke& stroke) {
    set_ink(cr, stroke.ink);
    cairo_set_line_width(cr, stroke.width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    switch (stroke.dash) {
        case Dash::Solid:
            cairo_set_dash(cr, nullptr, 0, 0.0);
            break;
        case Dash::Dashed: {
            const std::array<double, 2> pattern = {6.0, 4.0};
            cairo_set_dash(cr, pattern.data(), static_cast<int>(pattern.size()), 0.0);
            break;
        }
        case Dash::Dotted: {
            const std::array<double, 2> pattern = {0.0, 2.6};
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_set_dash(cr, pattern.data(), static_cast<int>(pattern.size()), 0.0);
            break;
        }
        case Dash::Hatched: {
            const std::array<double, 2> pattern = {1.2, 2.4};
            cairo_set_dash(cr, pattern.data(), static_cast<int>(pattern.size()), 0.0);
            break;
        }
    }
}

void paint_circle(cairo_t* cr, const CircleShape& c) {
    cairo_new_path(cr);
    cairo_arc(cr, c.centre.x, c.centre.y, c.radius, 0.0, 2.0 * kPi);
    set_stroke(cr, c.stroke);
    if (c.filled) {
        cairo_fill(cr);
    } else {
        cairo_stroke(cr);
    }
}

// A straight stroke, with a filled arrow head whose tip is exactly at `to`;
// the stroke stops at the head's base so that its end does not blunt the tip.
void paint_segment(cairo_t* cr, const SegmentShape& s) {
    set_stroke(cr, s.stroke);
    const std::optional<ArrowHead> head = arrow_head(s);
    cairo_new_path(cr);
    cairo_move_to(cr, s.from.x, s.from.y);
    const PagePoint end = head ? head->shaft_end : s.to;
    cairo_line_to(cr, end.x, end.y);
    cairo_stroke(cr);
    if (!head) return;
    cairo_new_path(cr);
    cairo_move_to(cr, head->tip.x, head->tip.y);
    cairo_line_to(cr, head->left.x, head->left.y);
    cairo_line_to(cr, head->right.x, head->right.y);
    cairo_close_path(cr);
    cairo_fill(cr);
}

// An arc clockwise on the page: cairo's angles run from +x towards +y,
// which is the bearing less 90 degrees.
void paint_arc(cairo_t* cr, const ArcShape& a) {
    set_stroke(cr, a.stroke);
    cairo_new_path(cr);
    const double turn = std::min(a.to - a.from, 360.0);
    cairo_arc(cr, a.centre.x, a.centre.y, a.radius, (a.from - 90.0) * kDegree, (a.from + turn - 90.0) * kDegree);
    cairo_stroke(cr);
}

void paint_text(cairo_t* cr, const TextShape& t, bool halo) {
    cairo_select_font_face(cr, t.monospace ? kMonospaceFamily : kFontFamily, CAIRO_FONT_SLANT_NORMAL,
                           t.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, t.size);
    cairo_text_extents_t text{};
    cairo_text_extents(cr, t.text.c_str(), &text);
    cairo_font_extents_t font{};
    cairo_font_extents(cr, &font);

    double x = t.at.x;
    if (t.halign == HAlign::Centre) x -= text.x_advance / 2.0;
    if (t.halign == HAlign::Right) x -= text.x_advance;
    // Vertical placement by the font's ascent and descent, not by the
    // particular glyphs, so that labels of one kind line up.
    double y = t.at.y;
    if (t.valign == VAlign::Top) y += font.ascent * 0.8;
    if (t.valign == VAlign::Middle) y += (font.ascent * 0.8 - font.descent) / 2.0;
    if (t.valign == VAlign::Bottom) y -= font.descent;

    if (halo) {
        cairo_new_path(cr);
        cairo_move_to(cr, x, y);
        cairo_text_path(cr, t.text.c_str());
        set_ink(cr, Ink::Paper);
        cairo_set_dash(cr, nullptr, 0, 0.0);
        cairo_set_line_width(cr, kHaloWidth);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
    }
    cairo_new_path(cr);
    cairo_move_to(cr, x, y);
    set_ink(cr, t.ink);
    cairo_show_text(cr, t.text.c_str());
}

void paint(cairo_t* cr, const Drawing& drawing) {
    set_ink(cr, Ink::Paper);
    cairo_paint(cr);
    for (const Shape& shape : drawing.shapes) {
        const bool halo = has_halo(shape.role);
        std::visit(
            [&](const auto& form) {
                using T = std::decay_t<decltype(form)>;
                if constexpr (std::is_same_v<T, CircleShape>) {
                    paint_circle(cr, form);
                } else if constexpr (std::is_same_v<T, SegmentShape>) {
                    paint_segment(cr, form);
                } else if constexpr (std::is_same_v<T, ArcShape>) {
                    paint_arc(cr, form);
                } else {
                    paint_text(cr, form, halo);
                }
            },
            shape.form);
    }
}

void draw_on(cairo_surface_t* surface, const Drawing& drawing, double scale, double left = 0.0, double top = 0.0) {
    check(cairo_surface_status(surface), "cannot create the picture");
    const Context cr(cairo_create(surface));
    check(cairo_status(cr.get()), "cannot draw the picture");
    cairo_translate(cr.get(), left, top);
    cairo_scale(cr.get(), scale, scale);
    paint(cr.get(), drawing);
    check(cairo_status(cr.get()), "cannot draw the picture");
}

// A fixed date instead of the clock's, so that the same pages give the same bytes.
void set_fixed_dates(cairo_surface_t* surface) {
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATE_DATE, kFixedPdfDate);
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_MOD_DATE, kFixedPdfDate);
}

}  // namespace

std::string paint_png(const Drawing& drawing) {
    std::string bytes;
    const int width = static_cast<int>(std::lround(drawing.width)) * kPngPixelsPerUnit;
    const int height = static_cast<int>(std::lround(drawing.height)) * kPngPixelsPerUnit;
    const Surface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
    draw_on(surface.get(), drawing, kPngPixelsPerUnit);
    check(cairo_surface_write_to_png_stream(surface.get(), append_bytes, &bytes), "cannot encode the PNG picture");
    return bytes;
}

std::string paint_pdf(const Drawing& drawing, Paper paper) {
    std::string bytes;
    const PaperSize sheet = paper_size(paper);
    const Placement at = place_on(drawing, sheet);
    const Surface surface(cairo_pdf_surface_create_for_stream(append_bytes, &bytes, sheet.width, sheet.height));
    check(cairo_surface_status(surface.get()), "cannot create the PDF picture");
    set_fixed_dates(surface.get());
    draw_on(surface.get(), drawing, at.scale, at.left, at.top);
    cairo_surface_finish(surface.get());
    check(cairo_surface_status(surface.get()), "cannot encode the PDF picture");
    return bytes;
}

std::string paint_pdf_pages(const std::vector<Drawing>& pages, Paper paper, const std::string& title) {
    std::string bytes;
    const PaperSize sheet = paper_size(paper);
    const Surface surface(cairo_pdf_surface_create_for_stream(append_bytes, &bytes, sheet.width, sheet.height));
    check(cairo_surface_status(surface.get()), "cannot create the PDF document");
    set_fixed_dates(surface.get());
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_TITLE, title.c_str());
    for (const Drawing& page : pages) {
        const Placement at = place_on(page, sheet);
        draw_on(surface.get(), page, at.scale, at.left, at.top);
        cairo_surface_show_page(surface.get());
    }
    cairo_surface_finish(surface.get());
    check(cairo_surface_status(surface.get()), "cannot encode the PDF document");
    return bytes;
}

}  // namespace echo_track::page
