#pragma once
// In-process ends of the console for tests and fuzzers: input from a string,
// output into strings, and the end of a run thrown as an exception.

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "console/byte_stream.hpp"

namespace console {

class StringSource final : public ByteSource {
public:
    // `chunk` limits how many bytes one read returns, to exercise short reads.
    explicit StringSource(std::string_view bytes, std::size_t chunk = 65536)
        : bytes_(bytes), chunk_(chunk == 0 ? 1 : chunk) {}
    std::size_t read(char* buf, std::size_t capacity) override {
        std::size_t n = std::min({capacity, chunk_, bytes_.size() - pos_});
        if (n > 0) std::memcpy(buf, bytes_.data() + pos_, n);
        pos_ += n;
        return n;
    }
    bool ready() override { return true; }  // a string never keeps a reader waiting

private:
    std::string_view bytes_;
    std::size_t chunk_;
    std::size_t pos_ = 0;
};

class StringSink final : public ByteSink {
public:
    void write(std::string_view bytes) override { text.append(bytes); }
    std::string text;
};

// Thrown by ThrowingEnder: how the run ended.
struct RunEnded {
    Ending how;
};

class ThrowingEnder final : public RunEnder {
public:
    [[noreturn]] void end(Ending how) override { throw RunEnded{how}; }
};

}  // namespace console
