// Fuzz target: a whole session of the program, run in-process on fuzzed
// typed bytes, from the banner to the end of the run.
//
// Input layout: byte 0 sets how many bytes one read of the input returns; the
// rest is what the user typed. Every read after the end of the input ends the
// run, so each session ends by itself. The target checks what a user is
// promised whatever they type: the run ends by the orderly stop or by one
// whole run-time error report; every line shown is whole and below 80
// characters; the stop comes only at the minimal CPA question; a report comes
// only after the prompt or pause it belongs to; and how the input happens to
// arrive (in one piece or byte by byte) changes nothing that is shown.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/main_program.hpp"
#include "console/console.hpp"
#include "console/string_streams.hpp"
#include "fuzz/console_slot.hpp"
#include "fuzz/fuzz_input.hpp"
#include "fuzz/run_report.hpp"

namespace {

using fuzz::require;

struct Outcome {
    console::Ending how;
    std::string shown;
    std::string reported;
};

Outcome run_session(std::string_view typed, std::size_t chunk) {
    Outcome outcome{};
    bool ended = false;
    fuzz::with_console(typed, chunk, [&](fuzz::InProcessRun& run) {
        try {
            echo_track::MAIN__(run.con);
        } catch (const console::RunEnded& end) {
            run.con.flush();
            outcome = {end.how, std::move(run.out.text), std::move(run.err.text)};
            ended = true;
        }
    });
    require(ended);  // the main program has no return of its own
    return outcome;
}

// The n-th whole line from the end of what was shown (0: the last one),
// without its newline.
std::string_view line_from_end(std::string_view shown, std::size_t n) {
    std::size_t end = shown.size();  // one past the newline of the line wanted
    while (end > 0) {
        std::size_t nl = end - 1;
        std::size_t start = nl == 0 ? std::string_view::npos : shown.rfind('\n', nl - 1);
        start = start == std::string_view::npos ? 0 : start + 1;
        if (n == 0) return shown.substr(start, nl - start);
        --n;
        end = start;
    }
    return {};
}

bool ends_with(std::string_view s, std::string_view tail) {
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

void check_lines(std::string_view shown) {
    require(!shown.empty() && shown.back() == '\n');
    std::size_t start = 0;
    while (start < shown.size()) {
        std::size_t nl = shown.find('\n', start);
        require(nl - start < 80);
        start = nl + 1;
    }
}

constexpr std::string_view kPromptEnd = " ]    Input=";

void check_ending(const Outcome& run) {
    if (run.how == console::Ending::Stop) {
        // Only a minimal CPA below the threshold stops the run, right at its prompt.
        require(run.reported.empty());
        require(ends_with(line_from_end(run.shown, 0), kPromptEnd));
        require(line_from_end(run.shown, 1).substr(0, 36) == " Minimal CPA to maintain (Distance)=");
        return;
    }
    require(fuzz::is_known_report(run.reported));
    // A failed field or number read follows its prompt line; a failed line
    // wait follows the pause line or the no-danger report.
    if (run.reported.find("list io") == std::string::npos) require(ends_with(line_from_end(run.shown, 0), kPromptEnd));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::size_t chunk = fuzz::read_chunk(data[0]);
    const std::string_view typed(reinterpret_cast<const char*>(data) + 1, size - 1);

    Outcome run = run_session(typed, chunk);
    check_lines(run.shown);
    check_ending(run);

    if (chunk != fuzz::kWholeInput) {
        Outcome whole = run_session(typed, fuzz::kWholeInput);
        require(whole.how == run.how && whole.shown == run.shown && whole.reported == run.reported);
    }
    return 0;
}
