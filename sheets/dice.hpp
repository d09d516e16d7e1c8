#pragma once
// Seeded dice for the exercise generator. The engine is std::mt19937_64,
// whose raw numbers the standard fixes; the mapping onto ranges is our own,
// since the standard's distributions differ between libraries. So a seed
// gives the same exercises with every compiler and library.

#include <cstdint>
#include <random>

namespace echo_track::sheets {

class Dice {
public:
    explicit Dice(std::uint64_t seed) : engine_(seed) {}

    // A whole number from `low` to `high`, both included, each equally likely.
    int whole(int low, int high);

    // A real number with `low` <= value < `high`.
    double real(double low, double high);

    // True with the probability `p` (0..1).
    bool chance(double p) { return real(0.0, 1.0) < p; }

private:
    std::mt19937_64 engine_;
};

}  // namespace echo_track::sheets
