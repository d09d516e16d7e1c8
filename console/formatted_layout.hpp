#pragma once
// Fixed-width fields of a formatted output record.

#include <string>

namespace console {

// Iw: the integer right-aligned in w columns, or w asterisks when it does not fit.
void append_iw(std::string& out, int value, int width);

// Fw.d: the value rounded to d decimals, right-aligned in w columns. A value
// below 1 drops its leading zero only when that makes it fit; a negative value
// that rounds to all zeros loses its sign; otherwise w asterisks on overflow.
void append_fwd(std::string& out, double value, int width, int decimals);

}  // namespace console
