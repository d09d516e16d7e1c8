#include "sheets/page_kit.hpp"

#include <algorithm>
#include <type_traits>
#include <variant>

#include "page/paper.hpp"

namespace echo_track::sheets {
namespace {

using page::PagePoint;

constexpr double kLineSpacing = 1.32;  // of the font size

// Texts are measured roughly: their width from the number of characters.
constexpr double kCharacterWidth = 0.55;  // of the font size

void add_bounds(page::Box& b, const page::Shape& shape) {
    std::visit(
        [&b](const auto& form) {
            using T = std::decay_t<decltype(form)>;
            if constexpr (std::is_same_v<T, page::CircleShape>) {
                b.add(form.centre.x - form.radius, form.centre.y - form.radius);
                b.add(form.centre.x + form.radius, form.centre.y + form.radius);
            } else if constexpr (std::is_same_v<T, page::SegmentShape>) {
                b.add(form.from.x, form.from.y);
                b.add(form.to.x, form.to.y);
            } else if constexpr (std::is_same_v<T, page::ArcShape>) {  // bounded by its whole circle
                b.add(form.centre.x - form.radius, form.centre.y - form.radius);
                b.add(form.centre.x + form.radius, form.centre.y + form.radius);
            } else {
                const double width = kCharacterWidth * form.size * static_cast<double>(form.text.size());
                const double left = form.halign == page::HAlign::Left     ? form.at.x
                                    : form.halign == page::HAlign::Centre ? form.at.x - width / 2.0
                                                                          : form.at.x - width;
                b.add(left, form.at.y - form.size);
                b.add(left + width, form.at.y + form.size);
            }
        },
        shape.form);
}

}  // namespace

page::Drawing blank_page() {
    const page::PaperSize a4 = page::paper_size(page::Paper::A4);
    page::Drawing page;
    page.width = a4.width - 2.0 * page::kPaperMargin;
    page.height = a4.height - 2.0 * page::kPaperMargin;
    return page;
}

void add_text(page::Drawing& page, PagePoint at, std::string text, const TextStyle& style) {
    page::TextShape shape{at, std::move(text), style.ink, style.size, style.bold, style.halign, page::VAlign::Top,
                          style.monospace};
    page.shapes.push_back({page::Role::Legend, std::move(shape)});
}

void TextFlow::line(std::string text, const TextStyle& style) {
    add_text(page_, {x_, y_}, std::move(text), style);
    y_ += kLineSpacing * style.size;
}

void inset(const page::Drawing& source, page::Box box, page::Drawing& page) {
    page::Box b = page::Box::nothing();
    for (const page::Shape& shape : source.shapes) {
        if (shape.role != page::Role::Title) add_bounds(b, shape);
    }
    if (b.empty()) return;
    const double scale = std::min(box.width() / b.width(), box.height() / b.height());
    const double dx = box.left + (box.width() - scale * b.width()) / 2.0;
    const double dy = box.top + (box.height() - scale * b.height()) / 2.0;
    const auto moved = [&](PagePoint p) { return PagePoint{dx + scale * (p.x - b.left), dy + scale * (p.y - b.top)}; };
    for (page::Shape shape : source.shapes) {
        if (shape.role == page::Role::Title) continue;
        std::visit(
            [&](auto& form) {
                using T = std::decay_t<decltype(form)>;
                if constexpr (std::is_same_v<T, page::CircleShape>) {
                    form.centre = moved(form.centre);
                    form.radius *= scale;
                    form.stroke.width *= scale;
                } else if constexpr (std::is_same_v<T, page::SegmentShape>) {
                    form.from = moved(form.from);
                    form.to = moved(form.to);
                    form.stroke.width *= scale;
                } else if constexpr (std::is_same_v<T, page::ArcShape>) {
                    form.centre = moved(form.centre);
                    form.radius *= scale;
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
