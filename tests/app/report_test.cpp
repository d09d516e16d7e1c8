// The printed reports, run in-process through the console: the two worked
// exercises compared whole, byte for byte, and every branch of the manoeuvre
// report. The expected lines are laid out by hand from the console rules: a
// text opening a record gets one leading blank, an integer is a blank and its
// digits, a double is two leading positions and its digits with a point.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "console/console.hpp"
#include "console/string_streams.hpp"
#include "tests/solver/worked_exercises.hpp"
#include "app/result.hpp"

namespace echo_track {
namespace {

using worked::crossing_exercise;
using worked::default_exercise;

const std::string kRule = " ###################################################\n";
const std::string kBlank = "  \n";

struct Session {
    std::string out;
    bool input_left = false;  // a typed line was still there after the call
};

// Runs `result` on the record with `typed` as standard input, and reads the
// extra line after "NO danger" as the dialog loop does. Afterwards it checks
// whether a line is still waiting, so that a test can tell how many lines the
// report took.
Session run_result(PlotRecord& record, std::string_view typed = "") {
    console::StringSource in(typed);
    console::StringSink out;
    console::StringSink err;
    console::ThrowingEnder ender;
    console::Console con(in, out, err, ender);
    if (result(con, record)) con.wait_line();
    Session s;
    if (!con.end_of_input()) {
        con.wait_line();
        s.input_left = !con.end_of_input();
    }
    con.flush();
    EXPECT_EQ(err.text, "");
    s.out = out.text;
    return s;
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

// The manoeuvre block: everything after the seven plot lines.
std::string manoeuvre_block(const std::string& text) {
    std::size_t pos = 0;
    for (int i = 0; i < 7; ++i) pos = text.find('\n', pos) + 1;
    return text.substr(pos);
}

const std::string kDefaultPlotReport =
    " Course, Velocity, CPA, etc.:\n"
    " KA= 300  VA=  5. kt\n"
    " hh:mm_1  13: 0  rwP1= 350 r1=  3.7 sm\n"
    " hh:mm_2  13: 6  rwP2= 350 r2=  2.5 sm\n"
    " KBr = 170  VBr=  12. kt\n"
    " CPA_direction.= 260  Dist.=  0. sm\n"  // the track runs through A: the bearing is KBr + 90
    " KB  = 194  VB=  9.6 kt\n";

const std::string kDefaultManoeuvreHead =
    " <KA, KBr in opposite direction>\n" + kRule +
    " EVASIVE MANOEUVRE:\n"
    " Time hh:mm =13: 6\n"
    " Ship B: Bearing= 350  Distance=  2.5\n"
    " NEW COURSE ship A:\n";

TEST(Report, DefaultExerciseWhole) {
    PlotRecord r = default_exercise();
    const Session s = run_result(r);
    EXPECT_EQ(s.out, kDefaultPlotReport + kDefaultManoeuvreHead +
                         " StB  ===>  KA=  53. resp.  181.\n"
                         " BB   ===>  KA=   <Velocity-change !?>\n"
                         " <no turn to port-side>\n" +
                         kRule + kBlank);
    EXPECT_EQ(r.aka, 300.0);
}

const std::string kCrossingPlotReport =
    " Course, Velocity, CPA, etc.:\n"
    " KA= 0  VA=  12. kt\n"
    " hh:mm_1  10: 0  rwP1= 45 r1=  8. sm\n"
    " hh:mm_2  10: 12  rwP2= 40 r2=  6.5 sm\n"
    " KBr = 245  VBr=  8.1 kt\n"
    " CPA_direction.= 335  Dist.=  2.8 sm\n"
    " KB  = 319  VB=  11.4 kt\n";

const std::string kCrossingManoeuvreHead =
    " <KA, KBr in opposite direction>\n" + kRule +
    " EVASIVE MANOEUVRE:\n"
    " Time hh:mm =10:18\n"
    " Ship B: Bearing= 37  Distance=  5.8\n"
    " NEW COURSE ship A:\n";

TEST(Report, CrossingExerciseWhole) {
    PlotRecord r = crossing_exercise();
    const Session s = run_result(r);
    EXPECT_EQ(s.out, kCrossingPlotReport + kCrossingManoeuvreHead +
                         " StB  ===>  KA=  4. resp.  312.\n"
                         " BB   ===>  KA=  322. resp.  228.\n"
                         " <no turn to port-side>\n" +
                         kRule + kBlank);
}

TEST(Report, TooCloseEndsAfterTheDistance) {
    PlotRecord r = default_exercise();
    r.scpa = 3.0;  // B is 2.5 miles off at the manoeuvre
    const Session s = run_result(r, "typed\n");
    EXPECT_EQ(s.out, kDefaultPlotReport + kDefaultManoeuvreHead +
                         " ??? ship B ist already too close, Dist.=  2.5\n");
    EXPECT_TRUE(s.input_left);  // nothing read
}

TEST(Report, RequiredDistanceEqualToCpaMeansNoDangerAndWaitsForOneLine) {
    PlotRecord r = crossing_exercise();
    r.scpa = 2.8;  // exactly the rounded CPA
    const Session s = run_result(r, "first\nsecond\n");
    EXPECT_EQ(s.out, kCrossingPlotReport + kCrossingManoeuvreHead +
                         " NO danger of collision,CPA=  2.8 > CPAmin=  2.8\n" + kRule);
    EXPECT_TRUE(s.input_left);  // "second" is still there: exactly one line was read

    PlotRecord once_more = crossing_exercise();
    once_more.scpa = 2.8;
    EXPECT_FALSE(run_result(once_more, "first\n").input_left);
}

TEST(Report, NoDangerShowsTheRequiredDistanceAsEntered) {
    PlotRecord r = crossing_exercise();
    r.scpa = 1.25;
    const std::vector<std::string> lines = lines_of(run_result(r, "\n").out);
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines[13], " NO danger of collision,CPA=  2.8 > CPAmin=  1.25");
}

TEST(Report, RangeEqualToRequiredDistanceIsNotTooClose) {
    PlotRecord r = worked::b_exactly_at_required_distance();
    const std::vector<std::string> at_range = lines_of(run_result(r).out);
    ASSERT_GE(at_range.size(), 17u);
    EXPECT_EQ(at_range[13].substr(0, 16), " StB  ===>  KA= ");
    EXPECT_EQ(at_range.back(), "  ");

    r.scpa = 2.6;
    const std::vector<std::string> beyond = lines_of(run_result(r).out);
    ASSERT_EQ(beyond.size(), 14u);
    EXPECT_EQ(beyond[13], " ??? ship B ist already too close, Dist.=  2.5");
}

TEST(Report, NoCourseOnEitherSideAsksForAChangeOfSpeed) {
    PlotRecord r = default_exercise();
    r.va = 1.0;  // far too slow to swing B's relative motion onto either tangent
    const std::vector<std::string> lines = lines_of(run_result(r).out);
    ASSERT_EQ(lines.size(), 18u);
    EXPECT_EQ(lines[13], " StB  ===>  KA=   <Velocity-change !?>");
    EXPECT_EQ(lines[14], " BB   ===>  KA=   <Velocity-change !?>");
}

// B dead ahead on 000, closing from 8.0 to 6.0 miles in 6 minutes: its
// relative course is exactly 180. Own course 090 makes the angle to it exactly
// 90 (same direction), own course 270 exactly 270 (opposite direction).
PlotRecord head_on_exercise(double aka) {
    PlotRecord r = crossing_exercise();
    r.aka = aka;
    r.va = 10.0;
    r.tm2 = 6.0;
    r.tmm = 6.0;
    r.rwp1 = 0.0;
    r.r1 = 8.0;
    r.rwp2 = 0.0;
    r.r2 = 6.0;
    r.scpa = 1.0;
    return r;
}

TEST(Report, RelativeCourseExactlyAbeamCountsAsSameDirection) {
    PlotRecord r = head_on_exercise(90.0);
    EXPECT_EQ(manoeuvre_block(run_result(r).out),
              " <KA, KBr in same direction>\n" + kRule +
                  " EVASIVE MANOEUVRE:\n"
                  " Time hh:mm =10: 6\n"
                  " Ship B: Bearing= 0  Distance=  6.\n"
                  " NEW COURSE ship A:\n"
                  " BB   ===>  KA=   <Velocity-change !?>\n"
                  " StB  ===>  KA=  130. resp.  31.\n"
                  " <no turn to port-side>\n" +
                  kRule + kBlank);
}

TEST(Report, RelativeCourseExactlyAbeamOnTheOtherSideCountsAsOpposite) {
    PlotRecord r = head_on_exercise(270.0);
    EXPECT_EQ(manoeuvre_block(run_result(r).out),
              " <KA, KBr in opposite direction>\n" + kRule +
                  " EVASIVE MANOEUVRE:\n"
                  " Time hh:mm =10: 6\n"
                  " Ship B: Bearing= 0  Distance=  6.\n"
                  " NEW COURSE ship A:\n"
                  " StB  ===>  KA=  230. resp.  329.\n"
                  " BB   ===>  KA=   <Velocity-change !?>\n"
                  " <no turn to port-side>\n" +
                  kRule + kBlank);
}

struct AdviceCase {
    double aka;  // makes the relative bearing of B (on 040) 40 - aka
    const char* turn;
    bool overtaking;
};

TEST(Report, TurnAndOvertakingAdviceFromTheRelativeBearingAtB2) {
    const AdviceCase cases[] = {
        {0.0, " <no turn to port-side>", false},     // 40
        {310.0, " <no turn to port-side>", false},   // exactly 90
        {300.0, " <no turn to Starboard>", false},   // 100
        {287.5, " <no turn to Starboard>", false},   // exactly 112.5
        {265.0, " <no turn to Starboard>", true},    // 135
        {220.0, " <no turn to port-side>", true},    // exactly 180
        {200.0, " <no turn to port-side>", true},    // 200
        {152.5, " <no turn to port-side>", false},   // exactly 247.5
    };
    for (const AdviceCase& c : cases) {
        // B on a steady bearing of 040, closing from 6.0 to 5.0 miles.
        PlotRecord r = head_on_exercise(c.aka);
        r.rwp1 = 40.0;
        r.r1 = 6.0;
        r.rwp2 = 40.0;
        r.r2 = 5.0;
        const std::vector<std::string> lines = lines_of(run_result(r).out);
        ASSERT_EQ(lines.size(), c.overtaking ? 19u : 18u) << "own course " << c.aka;
        EXPECT_EQ(lines[15], c.turn) << "own course " << c.aka;
        if (c.overtaking) {
            EXPECT_EQ(lines[16], " <B is attempting to overtake>") << "own course " << c.aka;
        }
        EXPECT_EQ(lines[lines.size() - 2] + "\n", kRule);
        EXPECT_EQ(lines.back(), "  ");
    }
}

TEST(Report, OwnCourseAboveAFullCircleIsPrintedAsEnteredAndLeftNormalised) {
    PlotRecord turned = crossing_exercise();
    turned.aka = 360.0;
    const std::vector<std::string> lines = lines_of(run_result(turned).out);
    EXPECT_EQ(lines[1], " KA= 360  VA=  12. kt");
    EXPECT_EQ(turned.aka, 360.0);  // 360 stays 360

    PlotRecord r = crossing_exercise();
    r.aka = 370.0;
    const std::vector<std::string> more = lines_of(run_result(r).out);
    EXPECT_EQ(more[1], " KA= 370  VA=  12. kt");
    EXPECT_EQ(r.aka, 10.0);
}

struct ClockRowCase {
    double tmh, tmm;
    const char* row;
};

TEST(Report, ManoeuvreTimeRowHasTwoColumnFields) {
    const ClockRowCase cases[] = {
        {10.0, 18.0, " Time hh:mm =10:18"},
        {10.0, 5.0, " Time hh:mm =10: 5"},     // a blank, not a zero
        {24.0, 5.0, " Time hh:mm =24: 5"},     // past midnight the hours go on
        {100.0, 18.0, " Time hh:mm =**:18"},  // an hour that does not fit
    };
    for (const ClockRowCase& c : cases) {
        PlotRecord r = crossing_exercise();
        r.tmh = c.tmh;
        r.tmm = c.tmm;
        const std::vector<std::string> lines = lines_of(run_result(r, "\n").out);
        ASSERT_GE(lines.size(), 11u);
        EXPECT_EQ(lines[10], c.row);
    }
}

TEST(Report, SimultaneousObservationsStopAfterTheObservationLines) {
    PlotRecord r = crossing_exercise();
    r.aka = 370.0;
    r.tm2 = 0.0;
    const Session s = run_result(r, "typed\n");
    EXPECT_EQ(s.out,
              " Course, Velocity, CPA, etc.:\n"
              " KA= 370  VA=  12. kt\n"
              " hh:mm_1  10: 0  rwP1= 45 r1=  8. sm\n"
              " hh:mm_2  10: 0  rwP2= 40 r2=  6.5 sm\n"
              " ??? B-1 and B-2 at the same time, no solution possible\n");
    EXPECT_EQ(r.aka, 10.0);
    EXPECT_TRUE(s.input_left);
}

TEST(Report, WildValuesStillGiveADefinedReport) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    const double wild[] = {99999.0, -99999.0, 1e300, -1e300, kInf, -kInf, kNaN, 0.0};
    for (double v : wild) {
        for (int field = 0; field < 13; ++field) {
            PlotRecord r = crossing_exercise();
            double* fields[] = {&r.aka, &r.va,   &r.th1,  &r.th2, &r.tm1, &r.tm2, &r.tmh,
                                &r.tmm, &r.rwp1, &r.rwp2, &r.r1,  &r.r2,  &r.scpa};
            *fields[field] = v;
            const Session s = run_result(r, "\n");
            const std::vector<std::string> lines = lines_of(s.out);
            EXPECT_GE(lines.size(), 5u) << "field " << field << " = " << v;
            EXPECT_EQ(s.out.back(), '\n');
        }
    }
}

}  // namespace
}  // namespace echo_track
