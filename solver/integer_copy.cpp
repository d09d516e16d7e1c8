#include "solver/integer_copy.hpp"

#include <cmath>
#include <limits>

namespace echo_track {

static_assert(std::numeric_limits<int>::digits == 31, "the printed integers are 32-bit");

int to_int32(double value) {
    if (std::isnan(value)) return 0;
    const double whole = std::trunc(value);
    if (whole > static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (whole < static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return static_cast<int>(whole);
}

}  // namespace echo_track
