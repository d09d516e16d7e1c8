#pragma once
// A console over in-process streams for one fuzz input, built in one static
// place: its buffers are tens of KiB, too big for the stack, and allocated
// anew for every input they cost the sanitizer's allocator a fresh memory
// mapping each time, which slowed the fuzzer down several times over.

#include <cstddef>
#include <new>
#include <string_view>

#include "console/console.hpp"
#include "console/string_streams.hpp"

namespace fuzz {

struct InProcessRun {
    InProcessRun(std::string_view typed, std::size_t chunk) : in(typed, chunk) {}
    console::StringSource in;
    console::StringSink out;
    console::StringSink err;
    console::ThrowingEnder ender;
    console::Console con{in, out, err, ender};
};

// Runs `body(run)` on a fresh in-process console; not re-entrant.
template <typename Body>
void with_console(std::string_view typed, std::size_t chunk, Body&& body) {
    alignas(InProcessRun) static unsigned char slot[sizeof(InProcessRun)];
    auto* run = ::new (static_cast<void*>(slot)) InProcessRun(typed, chunk);
    struct Destroy {
        InProcessRun* r;
        ~Destroy() { r->~InProcessRun(); }
    } destroy{run};
    body(*run);
}

}  // namespace fuzz
