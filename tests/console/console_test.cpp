#include "console/console.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "console/string_streams.hpp"

namespace {

using console::Console;
using console::Edit;
using console::Ending;
using console::Field;
using console::RunEnded;

// A whole console over supplied input, with its output read back.
struct Session {
    explicit Session(std::string_view input, std::size_t chunk = 65536) : in(input, chunk) {}
    console::StringSource in;
    console::StringSink out;
    console::StringSink err;
    console::ThrowingEnder ender;
    Console con{in, out, err, ender};

    std::string stdout_text() {
        con.flush();
        return out.text;
    }
    // Runs `step` and returns how the run ended, or nothing if it did not end.
    template <class F>
    std::optional<Ending> ending_of(F step) {
        try {
            step();
        } catch (const RunEnded& e) {
            return e.how;
        }
        return std::nullopt;
    }
};

std::string field_text(const Field& f) { return std::string(f.begin(), f.end()); }

TEST(ListRecord, ItemsMakeWholeLines) {
    Session s("");
    s.con.list({});
    s.con.list({"abc"});
    s.con.list({"ab", "cd"});
    s.con.list({"Minimal CPA to maintain (Distance)=", 1.5});
    s.con.list({2.8, " sm"});
    s.con.list({"CPA_direction.=", 335, "  Dist.=", 2.8, " sm"});
    s.con.list({"KA=", 300, "  VA=", 5.0, " kt"});
    s.con.list({"hh:mm_1 ", 13, ":", 0, "  rwP1=", 350, " r1=", 3.700000047683716, " sm"});
    EXPECT_EQ(s.stdout_text(),
              "\n"
              " abc\n"
              " abcd\n"
              " Minimal CPA to maintain (Distance)=  1.5\n"
              "  2.8 sm\n"
              " CPA_direction.= 335  Dist.=  2.8 sm\n"
              " KA= 300  VA=  5. kt\n"
              " hh:mm_1  13: 0  rwP1= 350 r1=  3.70000005 sm\n");
}

TEST(ListRecord, WrapsBeforeAnItemThatWouldReachEightyCharacters) {
    Session s("");
    const std::string t25(24, 'a');  // 25 characters with the leading blank
    const std::string t60(60, 'b');
    const std::string t54(54, 'c');  // 25 + 54 = 79: still fits
    const std::string t55(55, 'd');  // 25 + 55 = 80: wraps
    s.con.list({t25, t60});
    s.con.list({t25, t54});
    s.con.list({t25, t55});
    EXPECT_EQ(s.stdout_text(), " " + t25.substr(0) + "\n " + t60 + "\n" + " " + t25 + t54 + "\n" + " " + t25 + "\n " + t55 + "\n");
}

TEST(ListRecord, WrapCountsAnIntegerByItsDigitsAndADoubleByItsWholeText) {
    Session s("");
    const std::string t(76, 'x');  // record of 77 characters
    s.con.list({t, 12});           // 77 + 2 = 79: fits, written with its blank
    s.con.list({t, 123});          // 77 + 3 = 80: wraps
    s.con.list({t, 0.5});          // 77 + 5 = 82: wraps
    EXPECT_EQ(s.stdout_text(), " " + t + " 12\n" + " " + t + "\n 123\n" + " " + t + "\n  0.5\n");
}

TEST(FormattedRecord, LayoutsOfPromptAndTimeRows) {
    Session s("");
    s.con.formatted({Edit::skip(1), Edit::literal("Time hh:mm ="), Edit::iw(13, 2), Edit::literal(":"), Edit::iw(6, 2)});
    s.con.formatted({Edit::literal("        [ Default: "), Edit::iw(5, 6), Edit::literal(" ]    Input=")});
    s.con.formatted({Edit::literal("        [ Default: "), Edit::fwd(99999.0, 6, 1), Edit::literal(" ]    Input=")});
    EXPECT_EQ(s.stdout_text(),
              " Time hh:mm =13: 6\n"
              "        [ Default:      5 ]    Input=\n"
              "        [ Default: ****** ]    Input=\n");
}

struct FieldCase {
    const char* input;
    const char* field;
};

TEST(FieldRead, TakesTheFirstEightCharactersOfALine) {
    const FieldCase cases[] = {
        {"\n", "        "},           {"12\n", "12      "},        {"123456789\n", "12345678"},
        {"abcdefghijkl\n", "abcdefgh"}, {"\t 5\n", "\t 5     "},      {"12\r\n", "12\r     "},
        {"12345678\n", "12345678"},     {"         5\n", "        "},
    };
    for (const auto& c : cases) {
        Session s(c.input);
        EXPECT_EQ(field_text(s.con.read_field()), c.field) << c.input;
        EXPECT_FALSE(s.con.end_of_input());
    }
}

TEST(FieldRead, KeepsNulAndHighBytes) {
    Session s(std::string_view("a\0\xff" "b\n", 5));
    EXPECT_EQ(field_text(s.con.read_field()), std::string("a\0\xff" "b    ", 8));
}

TEST(FieldRead, AVeryLongLineIsDiscardedAsItStreamsBy) {
    std::string input = "42" + std::string(5'000'000, 'x') + "\n7\n";
    Session s(input, 4096);
    EXPECT_EQ(field_text(s.con.read_field()), "42xxxxxx");
    EXPECT_EQ(field_text(s.con.read_field()), "7       ");
}

TEST(FieldRead, AnUnterminatedLastLineOfEightOrMoreIsStillRead) {
    Session s("123456789");
    EXPECT_EQ(field_text(s.con.read_field()), "12345678");
    EXPECT_TRUE(s.con.end_of_input());
    EXPECT_EQ(s.ending_of([&] { s.con.read_field(); }), Ending::ErrorReport);
    EXPECT_EQ(s.err.text,
              "read start: end of file\n"
              "apparent state: unit 5 (unnamed)\n"
              "last format: (a)\n"
              "lately reading sequential formatted external IO\n");
}

TEST(FieldRead, InputEndingInsideTheFieldEndsTheRun) {
    for (const char* input : {"", "12", "1234567"}) {
        Session s(input);
        EXPECT_EQ(s.ending_of([&] { s.con.read_field(); }), Ending::ErrorReport) << input;
        EXPECT_EQ(s.err.text,
                  "fmt: end of file\n"
                  "apparent state: unit 5 (unnamed)\n"
                  "last format: (a)\n"
                  "lately reading sequential formatted external IO\n");
    }
}

TEST(LineWait, DiscardsOneLineAndMeetsTheEndSilently) {
    Session s("anything at all\nnext\npartial");
    s.con.wait_line();
    EXPECT_EQ(field_text(s.con.read_field()), "next    ");
    s.con.wait_line();  // ends without a line end: no message yet
    EXPECT_TRUE(s.con.end_of_input());
    EXPECT_EQ(s.err.text, "");
    EXPECT_EQ(s.ending_of([&] { s.con.wait_line(); }), Ending::ErrorReport);
    EXPECT_EQ(s.err.text,
              "read start: end of file\n"
              "apparent state: unit 5 (unnamed)\n"
              "last format: list io\n"
              "lately reading sequential formatted external IO\n");
}

struct ReportCase {
    const char* field;
    const char* first_line;
};

TEST(NumberRead, UnreadableTextEndsTheRunWithThreeLines) {
    const ReportCase cases[] = {
        {"abc     ", "invalid number: incomprehensible list input\n"},
        {"5e      ", "exponent field: incomprehensible list input\n"},
        {"0*5     ", "bad repetition count: incomprehensible list input\n"},
        {"\t       ", "list in: end of file\n"},
    };
    for (const auto& c : cases) {
        Session s("");
        Field f;
        std::copy_n(c.field, 8, f.begin());
        double v = 1.0;
        EXPECT_EQ(s.ending_of([&] { s.con.read_number(f, v); }), Ending::ErrorReport);
        EXPECT_EQ(s.err.text, std::string(c.first_line) +
                                  "apparent state: internal I/O\n"
                                  "lately reading sequential formatted internal IO\n");
        EXPECT_EQ(v, 1.0);
    }
}

TEST(NumberRead, ReadsIntoTheVariable) {
    Session s("");
    Field f;
    std::copy_n("  12.5  ", 8, f.begin());
    double v = 0.0;
    s.con.read_number(f, v);
    EXPECT_EQ(v, 12.5);
}

TEST(Stop, FlushesAndEndsInOrder) {
    Session s("");
    s.con.list({"last words"});
    EXPECT_EQ(s.ending_of([&] { s.con.stop(); }), Ending::Stop);
    EXPECT_EQ(s.out.text, " last words\n");
    EXPECT_EQ(s.err.text, "");
}

// A source that notes what had reached the screen when the program waited.
class WatchingSource final : public console::ByteSource {
public:
    WatchingSource(console::StringSink& screen, std::string input) : screen_(screen), input_(std::move(input)) {}
    std::size_t read(char* buf, std::size_t) override {
        seen.push_back(screen_.text);
        if (pos_ >= input_.size()) return 0;
        auto nl = input_.find('\n', pos_);
        std::size_t n = nl - pos_ + 1;  // one typed line per read, as from a terminal
        input_.copy(buf, n, pos_);
        pos_ += n;
        return n;
    }
    std::vector<std::string> seen;

private:
    console::StringSink& screen_;
    std::string input_;
    std::size_t pos_ = 0;
};

TEST(Flushing, EveryPromptIsOnScreenBeforeTheProgramWaits) {
    console::StringSink out, err;
    WatchingSource in(out, "1\n2\n");
    console::ThrowingEnder ender;
    Console con(in, out, err, ender);
    con.list({"first?"});
    con.read_field();
    con.list({"second?"});
    con.read_field();
    ASSERT_EQ(in.seen.size(), 2u);
    EXPECT_EQ(in.seen[0], " first?\n");
    EXPECT_EQ(in.seen[1], " first?\n second?\n");
}

// Counts the writes that reach it, as the system calls of a real sink.
class CountingSink final : public console::ByteSink {
public:
    void write(std::string_view bytes) override {
        ++writes;
        text.append(bytes);
    }
    int writes = 0;
    std::string text;
};

TEST(Flushing, InputAlreadyThereKeepsOutputGatheredIntoFullBuffers) {
    std::string typed;
    for (int i = 0; i < 3000; ++i) typed += "7\n";
    console::StringSource in(typed, 100);  // many short reads, all without waiting
    CountingSink out;
    console::StringSink err;
    console::ThrowingEnder ender;
    Console con(in, out, err, ender);
    std::string expected;
    for (int i = 0; i < 3000; ++i) {
        con.list({"Velocity A"});
        con.formatted({Edit::literal("        [ Default: "), Edit::fwd(5.0, 6, 1), Edit::literal(" ]    Input=")});
        expected += " Velocity A\n        [ Default:    5.0 ]    Input=\n";
        con.read_field();
    }
    EXPECT_THROW(con.stop(), RunEnded);
    EXPECT_EQ(out.text, expected);
    EXPECT_LE(out.writes, static_cast<int>(expected.size() / 16384 + 1));  // a handful per 64 KiB
}

// Answers ready() from a script, then hands out one line per read.
class ScriptedSource final : public console::ByteSource {
public:
    ScriptedSource(console::StringSink& screen, std::vector<bool> ready_answers)
        : screen_(screen), answers_(std::move(ready_answers)) {}
    bool ready() override {
        bool answer = answers_.at(asked_++);
        return answer;
    }
    std::size_t read(char* buf, std::size_t) override {
        seen.push_back(screen_.text);
        buf[0] = '\n';
        return 1;
    }
    std::vector<std::string> seen;

private:
    console::StringSink& screen_;
    std::vector<bool> answers_;
    std::size_t asked_ = 0;
};

TEST(Flushing, OnlyAReadThatMayWaitShowsThePendingOutputFirst) {
    console::StringSink out, err;
    ScriptedSource in(out, {true, false, true});
    console::ThrowingEnder ender;
    Console con(in, out, err, ender);
    con.list({"first?"});
    con.read_field();  // a line is there: nothing shown yet
    con.list({"second?"});
    con.read_field();  // would wait: both prompts first
    con.list({"third?"});
    con.wait_line();
    ASSERT_EQ(in.seen.size(), 3u);
    EXPECT_EQ(in.seen[0], "");
    EXPECT_EQ(in.seen[1], " first?\n second?\n");
    EXPECT_EQ(in.seen[2], " first?\n second?\n");
    con.flush();
    EXPECT_EQ(out.text, " first?\n second?\n third?\n");
}

// Records are built in the output buffer itself: one that runs past its end,
// or is longer than the whole buffer, still arrives whole and in order, and a
// signal handler finds only whole records pending.
TEST(OutputBuffer, RecordsAcrossAndBeyondItsEndKeepTheirBytes) {
    Session s("");
    CountingSink sink;
    console::ThrowingEnder ender;
    console::StringSink err;
    Console con(s.in, sink, err, ender);
    std::string expected;
    const std::string line(70, 'x');
    for (int i = 0; i < 930; ++i) {  // 66960 bytes: records cross the end of the buffer
        con.list({line, 12});
        expected += " " + line + " 12\n";
    }
    const std::string huge(100000, 'h');
    con.list({"a", huge});  // wraps: "a" alone, then the huge text as a record of its own
    expected += " a\n " + huge + "\n";
    con.formatted({Edit::literal("<"), Edit::skip(70000), Edit::iw(-5, 3), Edit::fwd(2.5, 5, 1)});
    expected += "<" + std::string(70000, ' ') + " -5  2.5\n";
    con.list({"tail"});
    expected += " tail\n";
    const std::string pending(con.pending_data(), con.pending_size());
    EXPECT_EQ(sink.text + pending, expected);
    con.flush();
    EXPECT_EQ(sink.text, expected);
    EXPECT_EQ(con.pending_size(), 0u);
}

}  // namespace
