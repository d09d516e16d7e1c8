#pragma once
// What every sheet page is made of: an A4 page inside its margins, lines of
// text flowing down a column, and another drawing set into a box of the page.

#include <string>

#include "plot/page.hpp"

namespace echo_track::sheets {

// An empty page the size of A4 inside the paper margins, so that it is
// printed at scale 1.
plot::Drawing blank_page();

struct TextStyle {
    double size = 9.0;
    bool bold = false;
    bool monospace = false;
    plot::Ink ink = plot::Ink::Text;
    plot::HAlign halign = plot::HAlign::Left;
};

// One line of text with its top at `at`.
void add_text(plot::Drawing& page, plot::PagePoint at, std::string text, const TextStyle& style = {});

// Lines of text down a column, each below the last.
class TextFlow {
public:
    TextFlow(plot::Drawing& page, double x, double top) : page_(page), x_(x), y_(top) {}
    void line(std::string text, const TextStyle& style = {});
    void gap(double height) { y_ += height; }
    double y() const { return y_; }

private:
    plot::Drawing& page_;
    double x_;
    double y_;
};

// A box on the page: top left corner and size.
struct Box {
    double left = 0.0;
    double top = 0.0;
    double width = 0.0;
    double height = 0.0;
};

// The shapes of `source` but its title, scaled to fit `box` with their shape
// kept, centred in it, and added to `page`.
void inset(const plot::Drawing& source, Box box, plot::Drawing& page);

}  // namespace echo_track::sheets
