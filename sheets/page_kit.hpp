#pragma once
// What every sheet page is made of: an A4 page inside its margins, lines of
// text flowing down a column, and another drawing set into a box of the page.

#include <string>

#include "page/box.hpp"
#include "page/drawing.hpp"

namespace echo_track::sheets {

// An empty page the size of A4 inside the paper margins, so that it is
// printed at scale 1.
page::Drawing blank_page();

struct TextStyle {
    double size = 9.0;
    bool bold = false;
    bool monospace = false;
    page::Ink ink = page::Ink::Text;
    page::HAlign halign = page::HAlign::Left;
};

// One line of text with its top at `at`.
void add_text(page::Drawing& page, page::PagePoint at, std::string text, const TextStyle& style = {});

// Lines of text down a column, each below the last.
class TextFlow {
public:
    TextFlow(page::Drawing& page, double x, double top) : page_(page), x_(x), y_(top) {}
    void line(std::string text, const TextStyle& style = {});
    void gap(double height) { y_ += height; }
    double y() const { return y_; }

private:
    page::Drawing& page_;
    double x_;
    double y_;
};

// The shapes of `source` but its title, scaled to fit `box` with their shape
// kept, centred in it, and added to `page`.
void inset(const page::Drawing& source, page::Box box, page::Drawing& page);

}  // namespace echo_track::sheets
