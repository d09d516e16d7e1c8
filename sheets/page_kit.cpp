#include "sheets/page_kit.hpp"

#include <algorithm>
#include <limits>
#include <type_traits>
#include <variant>

#include "plot/paper.hpp"

namespace echo_track::sheets {
namespace {

using plot::PagePoint;

constexpr double kLineSpacing = 1.32;  // of the font size

struct Bounds {
    double left = std::numeric_limits<double>::max();
    double top = std::numeric_limits<double>::max();
    double right = std::numeric_limits<double>::lowest();
    double bottom = std::numeric_limits<double>::lowest();
    void add(double x, double y) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    }
};

// Texts are measured roughly: their width from the number of characters.
constexpr double kCharacterWidth = 0.55;  // of the font size

void add_bounds(Bounds& b, const plot::Shape& shape) {
    std::visit(
        [&b](const auto& form) {
            using T = std::decay_t<decltype(form)>;
            if constexpr (std::is_same_v<T, plot::CircleShape>) {
                b.add(form.centre.x - form.radius, form.centre.y - form.radius);
                b.add(form.centre.x + form.radius, form.centre.y + form.radius);
            } else if constexpr (std::is_same_v<T, plot::SegmentShape>) {
                b.add(form.from.x, form.from.y);
                b.add(form.to.x, form.to.y);
            } else {
                const double width = kCharacterWidth * form.size * static_cast<double>(form.text.size());
                const double left = form.halign == plot::HAlign::Left     ? form.at.x
                                    : form.halign == plot::HAlign::Centre ? form.at.x - width / 2.0
                                                                          : form.at.x - width;
                b.add(left, form.at.y - form.size);
                b.add(left + width, form.at.y + form.size);
            }
        },
        shape.form);
}

}  // namespace

plot::Drawing blank_page() {
    const plot::PaperSize a4 = plot::paper_size(plot::Paper::A4);
    plot::Drawing page;
    page.width = a4.width - 2.0 * plot::kPaperMargin;
    page.height = a4.height - 2.0 * plot::kPaperMargin;
    return page;
}

void add_text(plot::Drawing& page, PagePoint at, std::string text, const TextStyle& style) {
    plot::TextShape shape{at, std::move(text), style.ink, style.size, style.bold, style.halign, plot::VAlign::Top,
                          style.monospace};
    page.shapes.push_back({plot::Role::Legend, std::move(shape)});
}

void TextFlow::line(std::string text, const TextStyle& style) {
    add_text(page_, {x_, y_}, std::move(text), style);
    y_ += kLineSpacing * style.size;
}

void inset(const plot::Drawing& source, Box box, plot::Drawing& page) {
    Bounds b;
    for (const plot::Shape& shape : source.shapes) {
        if (shape.role != plot::Role::Title) add_bounds(b, shape);
    }
    if (b.right <= b.left || b.bottom <= b.top) return;
    const double scale = std::min(box.width / (b.right - b.left), box.height / (b.bottom - b.top));
    const double dx = box.left + (box.width - scale * (b.right - b.left)) / 2.0;
    const double dy = box.top + (box.height - scale * (b.bottom - b.top)) / 2.0;
    const auto moved = [&](PagePoint p) { return PagePoint{dx + scale * (p.x - b.left), dy + scale * (p.y - b.top)}; };
    for (plot::Shape shape : source.shapes) {
        if (shape.role == plot::Role::Title) continue;
        std::visit(
            [&](auto& form) {
                using T = std::decay_t<decltype(form)>;
                if constexpr (std::is_same_v<T, plot::CircleShape>) {
                    form.centre = moved(form.centre);
                    form.radius *= scale;
                    form.stroke.width *= scale;
                } else if constexpr (std::is_same_v<T, plot::SegmentShape>) {
                    form.from = moved(form.from);
                    form.to = moved(form.to);
                    form.stroke.width *= scale;
                } else {
                    form.at = moved(form.at);
                    form.size *= scale;
                }
            },
            shape.form);
        page.shapes.push_back(std::move(shape));
    }
}

}  // namespace echo_track::sheets
