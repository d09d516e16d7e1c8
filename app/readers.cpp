// Prompted value entry. Each reader writes one prompt line with the current
// value as the default, reads one typed line into the 8-character field and
// either keeps the default (blank field) or takes the typed number.

#include "app/readers.hpp"

#include "app/dialog_texts.hpp"
#include "app/entry_rules.hpp"
#include "solver/integer_copy.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace echo_track {
namespace {

// Shown in place of a default that no 32-bit integer can hold; far too wide
// for I6, so the field shows asterisks like any other default that does not fit.
constexpr int kUnshowable = std::numeric_limits<int>::max();

bool is_blank(const console::Field& field) {
    return std::all_of(field.begin(), field.end(), [](char c) { return c == ' '; });
}

// The rounded default as the integer that I6 shows; one beyond the 32-bit
// range saturates, which I6 shows as asterisks like any default too wide.
int shown_whole(double value) {
    const double whole = whole_number(value);
    return std::isnan(whole) ? kUnshowable : to_int32(whole);
}

// Reads one typed line; true when it holds an entry. The number reader keeps
// `value` as it was on a null value (a lone comma or slash).
bool read_entry(console::Console& con, double& value) {
    const console::Field typed = con.read_field();
    if (is_blank(typed)) return false;
    con.read_number(typed, value);
    return true;
}

}  // namespace

void readint(console::Console& con, double& xxx) {
    using console::Edit;
    const int nx = shown_whole(xxx);
    con.formatted({Edit::literal(kPromptBeforeDefault), Edit::iw(nx, 6), Edit::literal(kPromptAfterDefault)});
    if (!read_entry(con, xxx)) return;  // the default stays bit for bit
    xxx = whole_number(xxx);
    xxx = limited_entry(xxx);
}

void readif(console::Console& con, double& xxx) {
    using console::Edit;
    con.formatted({Edit::literal(kPromptBeforeDefault), Edit::fwd(xxx, 6, 1), Edit::literal(kPromptAfterDefault)});
    if (!read_entry(con, xxx)) return;
    xxx = limited_entry(xxx);
}

}  // namespace echo_track
