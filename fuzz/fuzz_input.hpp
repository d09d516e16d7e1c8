#pragma once
// What every fuzz target shares: the check that stops a run on a broken
// promise, and how an input's first byte sets the reads' chunk size.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace fuzz {

// A broken promise of the code under test: stop here so the fuzzer keeps the input.
inline void require(bool holds) {
    if (!holds) std::abort();
}

// A chunk that takes any input here in one read.
inline constexpr std::size_t kWholeInput = 65536;

// The most bytes one read of standard input may take, from an input's first
// byte: 1 to 16, so that lines arrive torn at every place, or (for a multiple
// of 17) the whole input at once.
inline std::size_t read_chunk(std::uint8_t first) { return first % 17 == 0 ? kWholeInput : first % 17; }

}  // namespace fuzz
