// Prompted value entry. Each reader writes one prompt line with the current
// value as the default, reads one typed line into the 8-character field and
// either keeps the default (blank field) or takes the typed number.

#include "app/readers.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace echo_track {
namespace {

// A typed entry beyond +-9999 is not refused: it is replaced by +-99999, a
// value that no prompt can show and that the user will notice.
constexpr double kLargestEntry = 9999.0;
constexpr double kOverflowEntry = 99999.0;

// Shown in place of a default that no 32-bit integer can hold; far too wide
// for I6, so the field shows asterisks like any other default that does not fit.
constexpr int kUnshowable = std::numeric_limits<int>::max();

bool is_blank(const console::Field& field) {
    return std::all_of(field.begin(), field.end(), [](char c) { return c == ' '; });
}

// Nearest whole number, halves upward, for every sign: -10 stays -10,
// -2.5 gives -2, 12.5 gives 13.
double rounded_whole(double value) { return std::floor(value + 0.5); }

// The rounded default as the integer that I6 shows.
int shown_whole(double value) {
    const double whole = rounded_whole(value);
    const bool fits = whole >= static_cast<double>(std::numeric_limits<int>::min()) &&
                      whole <= static_cast<double>(std::numeric_limits<int>::max());
    return fits ? static_cast<int>(whole) : kUnshowable;  // NaN fails both tests
}

void limit_entry(double& value) {
    if (value > kLargestEntry) value = kOverflowEntry;
    if (value < -kLargestEntry) value = -kOverflowEntry;
}

// Reads one typed line; true when it holds an entry. The number reader keeps
// `xxx` as it was on a null value (a lone comma or slash).
bool read_entry(console::Console& con, double& xxx) {
    const console::Field aaa = con.read_field();
    if (is_blank(aaa)) return false;
    con.read_number(aaa, xxx);
    return true;
}

}  // namespace

void readint(console::Console& con, double& xxx) {
    using console::Edit;
    const int nx = shown_whole(xxx);
    con.formatted({Edit::literal("        [ Default: "), Edit::iw(nx, 6), Edit::literal(" ]    Input=")});
    if (!read_entry(con, xxx)) return;  // the default stays bit for bit
    xxx = rounded_whole(xxx);
    limit_entry(xxx);
}

void readif(console::Console& con, double& xxx) {
    using console::Edit;
    con.formatted({Edit::literal("        [ Default: "), Edit::fwd(xxx, 6, 1), Edit::literal(" ]    Input=")});
    if (!read_entry(con, xxx)) return;
    limit_entry(xxx);
}

}  // namespace echo_track
