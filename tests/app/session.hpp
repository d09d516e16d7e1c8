#pragma once
// An in-process console session for the tests: the typed lines come from a
// string, output and error reports are collected in strings, and the end of
// the run is thrown as console::RunEnded.

#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "console/console.hpp"
#include "console/string_streams.hpp"

namespace echo_track::testing {

struct Session {
    explicit Session(std::string_view typed_lines) : typed(typed_lines) {}

    // Everything written to standard output so far.
    const std::string& shown() {
        con.flush();
        return out.text;
    }

    // Everything written to standard error so far.
    const std::string& reported() {
        con.flush();
        return err.text;
    }

    std::string typed;
    console::StringSource in{typed};
    console::StringSink out;
    console::StringSink err;
    console::ThrowingEnder ender;
    console::Console con{in, out, err, ender};
};

// Runs `step` and returns how the console ended the run; fails the test if
// the run did not end.
template <typename Step>
console::Ending ending_of(Step&& step) {
    try {
        step();
    } catch (const console::RunEnded& ended) {
        return ended.how;
    }
    ADD_FAILURE() << "the run did not end";
    return console::Ending::Stop;
}

}  // namespace echo_track::testing
