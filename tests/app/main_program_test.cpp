// The main program: banner once, help before every exercise, the pause, the
// clearing lines, and the record carried from one exercise to the next.

#include "app/main_program.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "session.hpp"

namespace echo_track {
namespace {

using testing::Session;
using testing::ending_of;

const std::string kBanner =
    " ECHO-TRACK and Evasive Manoeuvre\n"
    " CHECK: K. Orvang, p.78-81, Aufgb.Abb.40)\n"
    "\n"
    " (For default values, just hit RETURN to continue)\n";

const std::string kHelp =
    " --------------------------------------------------\n"
    " To prevent a collision at sea, with RADAR-assistance,\n"
    " an evasive manoeuvre under Radar is calculated.\n"
    " You must enter the own course of ship A and velocity\n"
    " and then two observations of approaching ship B.\n"
    "\n"
    " Definitions:\n"
    " KA=true course of ship A, VA=velocity of ship A\n"
    " KBr=relative course of ship B, as seen from ship A\n"
    " KB=true course of ship B, VB=velocity of ship B\n"
    " StB=starboard,  BB=port-side (\"backbord\")\n"
    " CPA= Closest Point of Approaach = minimal distance\n"
    " (CPA required is typically about 1 nautical mile)\n"
    "\n";

const std::string kFirstQuestions = " Own ship (=A):\n Input course A:\n";

const std::string kBetweenExercises = " <Hit RETURN to continue...>\n" + std::string(50, '\n') +
                                      " ##########  Own Course etc. as before ! ##### \n" + kHelp +
                                      kFirstQuestions;

std::size_t count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

// The default course offered at the start of each exercise, in order.
std::vector<std::string> course_prompts(const std::string& shown) {
    std::vector<std::string> prompts;
    for (std::size_t at = shown.find(kFirstQuestions); at != std::string::npos;
         at = shown.find(kFirstQuestions, at + 1)) {
        const std::size_t from = at + kFirstQuestions.size();
        prompts.push_back(shown.substr(from, shown.find('\n', from) - from));
    }
    return prompts;
}

std::string repeated(const std::string& line, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += line;
    return text;
}

TEST(MainProgram, RunsExerciseAfterExerciseWithThePreviousValuesAsDefaults) {
    Session s(repeated("\n", 10) + "typed at the pause 42\n" +  // first exercise, text at the pause
              "370\n" + repeated("\n", 9) + "\n" +             // second: course 370
              repeated("\n", 8) + "0\n");                      // third: ended at the CPA
    EXPECT_EQ(ending_of([&] { MAIN__(s.con); }), console::Ending::Stop);
    const std::string& shown = s.shown();

    EXPECT_EQ(shown.rfind(kBanner + kHelp + kFirstQuestions, 0), 0u);
    EXPECT_EQ(count(shown, kBanner), 1u);
    EXPECT_EQ(count(shown, kHelp), 3u);
    EXPECT_EQ(count(shown, kBetweenExercises), 2u);
    EXPECT_EQ(count(shown, " ########## ECHO-TRACK Result: #####################\n"), 3u);
    EXPECT_EQ(count(shown, "\n OBSERVATION:\n Course, Velocity, CPA, etc.:\n"), 2u);

    // The text typed at the pause is thrown away; the solver leaves 370 as 10.
    EXPECT_EQ(course_prompts(shown),
              (std::vector<std::string>{"        [ Default:    300 ]    Input=",
                                        "        [ Default:    300 ]    Input=",
                                        "        [ Default:     10 ]    Input="}));
    EXPECT_TRUE(s.reported().empty());
}

// End of input at the pause is no error there; the first prompt of the next
// exercise then ends the run with the report.
TEST(MainProgram, EndOfInputAtThePauseEndsTheRunAtTheNextPrompt) {
    Session s(repeated("\n", 10));
    EXPECT_EQ(ending_of([&] { MAIN__(s.con); }), console::Ending::ErrorReport);
    const std::string tail = kBetweenExercises + "        [ Default:    300 ]    Input=\n";
    const std::string& shown = s.shown();
    ASSERT_GE(shown.size(), tail.size());
    EXPECT_EQ(shown.substr(shown.size() - tail.size()), tail);
    EXPECT_EQ(s.reported().rfind("read start: end of file\n", 0), 0u) << s.reported();
}

}  // namespace
}  // namespace echo_track
