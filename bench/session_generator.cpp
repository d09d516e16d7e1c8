// Typed input for a batch run: a number of random but plausible exercises,
// every line as a user would type it at the program. A run of the program on
// this input shows exactly that many reports and then exits with status 0.
//
// The no-danger outcome waits for one extra line, so the input can only stay
// in step with the program if the generator knows each exercise's outcome.
// It therefore runs the real dialog and solver on every exercise it types,
// one typed line per read as from a terminal, and checks that each exercise
// took exactly the lines typed for it.
//
//   bench_session <exercises> [<seed>]
//
// Standard output: the typed lines. Standard error: for each exercise, the
// letter of its outcome (C courses, N no danger, T too close, S both
// observations at the same time) and the own course KA its report shows;
// then the number of exercises and of each outcome, one "<name> <count>"
// line each: "exercises", "courses", "no_danger", "too_close", "no_solution".

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/dialog.hpp"
#include "bench/command_line.hpp"
#include "console/console.hpp"
#include "console/list_layout.hpp"
#include "console/number_reader.hpp"
#include "console/process_console.hpp"
#include "console/string_streams.hpp"
#include "solver/manoeuvre.hpp"
#include "solver/plot_record.hpp"
#include "solver/plot_solution.hpp"
#include "app/result.hpp"

namespace {

using console::Edit;

// splitmix64: a small generator whose sequence is the same everywhere, so a
// seed names one session on every machine.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    bool one_in(int n) { return below(n) == 0; }

private:
    std::uint64_t state_;
};

// Hands the program's dialog the typed lines one line per read, the way a
// terminal does, so that whatever is left over belongs to the next step.
class TypedLines final : public console::ByteSource {
public:
    void type(std::string_view lines) { pending_.append(lines); }
    bool all_taken() const { return pos_ == pending_.size(); }

    std::size_t read(char* buf, std::size_t capacity) override {
        if (all_taken()) return 0;
        std::size_t end = pending_.find('\n', pos_);
        end = end == std::string::npos ? pending_.size() : end + 1;
        std::size_t n = std::min(capacity, end - pos_);
        pending_.copy(buf, n, pos_);
        pos_ += n;
        if (all_taken()) {
            pending_.clear();
            pos_ = 0;
        }
        return n;
    }

private:
    std::string pending_;
    std::size_t pos_ = 0;
};

class Discard final : public console::ByteSink {
public:
    void write(std::string_view) override {}
};

// Writes the answers as typed lines through a console of their own: whole
// numbers sometimes with leading blanks, decimals in fixed point or as
// mantissa and exponent, now and then an empty line or a lone comma, both of
// which keep the default.
class Typist {
public:
    explicit Typist(Random& random) : random_(random) {}

    void whole(int value) {
        if (keeps_default()) return;
        con_.formatted({Edit::iw(value, console::integer_digit_count(value) + random_.below(3))});
    }

    // `tenths` / 10, typed as 12.5, 12.50 or 125e-1.
    void tenths(int tenths) {
        if (keeps_default()) return;
        switch (random_.below(4)) {
            case 0: con_.formatted({Edit::iw(tenths, console::integer_digit_count(tenths)), Edit::literal("e-1")}); break;
            case 1: con_.formatted({Edit::fwd(tenths / 10.0, 6, 2)}); break;
            default: con_.formatted({Edit::fwd(tenths / 10.0, 5, 1)}); break;
        }
    }

    void empty_line() { con_.list({}); }

    // The answer that ends the run at the minimal CPA question.
    void stop_answer() { con_.formatted({Edit::literal("0")}); }

    // At "<Hit RETURN to continue...>" whatever is typed is thrown away.
    void at_pause() {
        if (random_.one_in(4)) con_.formatted({Edit::literal("next one")});
        else empty_line();
    }

    // The lines typed since the last call.
    std::string take() {
        con_.flush();
        std::string lines = std::move(typed_.text);
        typed_.text.clear();
        return lines;
    }

private:
    bool keeps_default() {
        if (random_.one_in(40)) {
            con_.formatted({Edit::literal(",")});
            return true;
        }
        if (random_.one_in(12)) {
            empty_line();
            return true;
        }
        return false;
    }

    Random& random_;
    console::StringSource none_{""};
    console::StringSink typed_;
    console::ThrowingEnder ender_;
    console::Console con_{none_, typed_, typed_, ender_};
};

// One plausible encounter: B closes from a few miles within 3 to 12 minutes;
// once in a hundred exercises both observations fall in the same minute.
void type_exercise(Typist& typist, Random& random) {
    typist.whole(random.between(0, 359));  // own course
    typist.tenths(random.between(30, 250));  // own speed
    const int minute1 = random.between(0, 23 * 60 + 59);
    const int minute2 = minute1 + (random.one_in(100) ? 0 : random.between(3, 12));
    const int bearing1 = random.between(0, 359);
    const int range1 = random.between(20, 120);
    typist.whole(minute1 / 60 * 100 + minute1 % 60);
    typist.whole(bearing1);
    typist.tenths(range1);
    typist.whole(minute2 / 60 * 100 + minute2 % 60);
    typist.whole((bearing1 + random.between(-10, 10) + 360) % 360);
    typist.tenths(std::max(3, range1 - random.between(2, 30)));
    typist.tenths(random.between(5, 30));  // minimal CPA: never below the stop threshold
    typist.whole(random.between(0, 15));   // delay of the manoeuvre
}

// What the report of one exercise will show: its outcome (nothing when both
// observations were taken at the same time) and the own course KA.
struct Expected {
    std::optional<echo_track::Outcome> outcome;
    int ka = 0;
};

// The letter of an outcome in the list of expected reports.
const char* letter(const std::optional<echo_track::Outcome>& outcome) {
    if (!outcome) return "S";
    switch (*outcome) {
        case echo_track::Outcome::NoDanger: return "N";
        case echo_track::Outcome::TooClose: return "T";
        case echo_track::Outcome::Courses: break;
    }
    return "C";
}

struct OutcomeCounts {
    int courses = 0;
    int no_danger = 0;
    int too_close = 0;
    int no_solution = 0;
};

// The program as the typed lines drive it: the real dialog and solver, with
// their output thrown away.
class Program {
public:
    void take(std::string_view lines) { typed_.type(lines); }

    // Runs the dialog of one exercise and tells what its report will show.
    Expected dialog() {
        echo_track::input(con_, record_);
        const echo_track::PlotSolution plot = echo_track::solve_plot(record_);
        const auto manoeuvre = echo_track::solve_manoeuvre(record_, plot);
        return {manoeuvre ? std::optional(manoeuvre->outcome) : std::nullopt, plot.figures.ka};
    }

    // The report, and the extra line read after "NO danger".
    void report() {
        if (echo_track::result(con_, record_)) con_.wait_line();
    }

    // The main program's wait at "<Hit RETURN to continue...>".
    void pause() { con_.wait_line(); }

    bool in_step() const { return typed_.all_taken(); }

private:
    echo_track::PlotRecord record_;
    TypedLines typed_;
    Discard shown_;
    console::ThrowingEnder ender_;
    console::Console con_{typed_, shown_, shown_, ender_};
};

}  // namespace

using bench::argument;

int main(int argc, char** argv) {
    console::StringSource no_input{""};
    console::FdSink out{1};
    console::FdSink err{2};
    console::ProcessEnder ender;
    console::Console notes{no_input, err, err, ender};

    double exercises = 0.0;
    double seed = 1.0;
    if (argc < 2 || argc > 3 || !argument(argv[1], exercises) || exercises < 0.0 ||
        (argc == 3 && !argument(argv[2], seed))) {
        notes.list({"usage: bench_session <exercises> [<seed>]"});
        notes.flush();
        return 2;
    }

    Random random(static_cast<std::uint64_t>(seed));
    Typist typist(random);
    Program program;
    OutcomeCounts counts;
    std::string session;  // typed lines not yet written out
    try {
        for (int i = 0; i < static_cast<int>(exercises); ++i) {
            type_exercise(typist, random);
            std::string lines = typist.take();
            program.take(lines);
            const Expected expected = program.dialog();
            const std::optional<echo_track::Outcome>& outcome = expected.outcome;
            if (!program.in_step()) throw console::RunEnded{console::Ending::ErrorReport};
            if (outcome == echo_track::Outcome::NoDanger) typist.empty_line();  // the report's own wait
            typist.at_pause();
            std::string tail = typist.take();
            program.take(tail);
            program.report();
            program.pause();
            if (!program.in_step()) throw console::RunEnded{console::Ending::ErrorReport};

            if (!outcome) ++counts.no_solution;
            else if (*outcome == echo_track::Outcome::NoDanger) ++counts.no_danger;
            else if (*outcome == echo_track::Outcome::TooClose) ++counts.too_close;
            else ++counts.courses;
            notes.list({letter(outcome), expected.ka});
            session += lines;
            session += tail;
            if (session.size() >= 65536) {
                out.write(session);
                session.clear();
            }
        }
        // The closing exercise: defaults at the first eight prompts, then a
        // minimal CPA of 0, which ends the run with status 0.
        for (int i = 0; i < 8; ++i) typist.empty_line();
        typist.stop_answer();
        std::string last = typist.take();
        program.take(last);
        bool stopped = false;
        try {
            program.dialog();
        } catch (const console::RunEnded& ended) {
            if (ended.how != console::Ending::Stop) throw;
            stopped = true;
        }
        if (!stopped || !program.in_step()) throw console::RunEnded{console::Ending::ErrorReport};
        session += last;
        out.write(session);
    } catch (const console::RunEnded&) {
        notes.list({"the typed lines and the dialog fell out of step"});
        notes.flush();
        return 1;
    }

    notes.list({"exercises", static_cast<int>(exercises)});
    notes.list({"courses", counts.courses});
    notes.list({"no_danger", counts.no_danger});
    notes.list({"too_close", counts.too_close});
    notes.list({"no_solution", counts.no_solution});
    notes.flush();
    return 0;
}
