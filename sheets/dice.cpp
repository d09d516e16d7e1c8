#include "sheets/dice.hpp"

#include <limits>

namespace echo_track::sheets {

int Dice::whole(int low, int high) {
    if (high <= low) return low;
    const std::uint64_t span = static_cast<std::uint64_t>(static_cast<std::int64_t>(high) - low) + 1;
    // Raw numbers at or above the last whole multiple of `span` would favour
    // the low end; they are drawn again.
    const std::uint64_t top = std::numeric_limits<std::uint64_t>::max();
    const std::uint64_t fair = top - (top % span + 1) % span;
    std::uint64_t raw = engine_();
    while (raw > fair) raw = engine_();
    return static_cast<int>(static_cast<std::int64_t>(low) + static_cast<std::int64_t>(raw % span));
}

double Dice::real(double low, double high) {
    // The top 53 bits, a double's whole mantissa, as a fraction in [0, 1).
    const double unit = static_cast<double>(engine_() >> 11) * 0x1.0p-53;
    return low + unit * (high - low);
}

}  // namespace echo_track::sheets
