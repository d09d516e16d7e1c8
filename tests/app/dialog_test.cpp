// The exercise dialog: question order, clock times, the B-2 carry, the CPA
// that ends the run, the delay and the manoeuvre time.

#include "app/dialog.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "session.hpp"

namespace echo_track {
namespace {

using testing::Session;
using testing::ending_of;

// The ten answers in dialog order: course, speed, B-1 time, bearing,
// distance, B-2 time, bearing, distance, minimal CPA, delay.
std::string answers(const std::string& course, const std::string& speed, const std::string& time1,
                    const std::string& bearing1, const std::string& distance1, const std::string& time2,
                    const std::string& bearing2, const std::string& distance2, const std::string& cpa,
                    const std::string& delay) {
    std::string typed;
    for (const std::string* a : {&course, &speed, &time1, &bearing1, &distance1, &time2, &bearing2,
                                 &distance2, &cpa, &delay}) {
        typed += *a + "\n";
    }
    return typed;
}

const std::string kAllDefaults = answers("", "", "", "", "", "", "", "", "", "");

// RETURN everywhere keeps every value bit for bit (the distance 3.7 included,
// which is the single-precision 3.7) and puts the manoeuvre at B-2.
TEST(Dialog, DefaultExerciseComesBackUnchangedWithTheManoeuvreAtB2) {
    Session s(kAllDefaults);
    PlotRecord record;
    input(s.con, record);
    PlotRecord expected;
    expected.tmh = 13;
    expected.tmm = 6;
    EXPECT_EQ(std::memcmp(&record, &expected, sizeof record), 0);
}

struct Manoeuvre {
    const char* time2;
    const char* delay;
    double wait, tmh, tmm;
};

class ManoeuvreTime : public ::testing::TestWithParam<Manoeuvre> {};

// Minutes carry into hours at 60; hours run on past midnight.
TEST_P(ManoeuvreTime, FollowsB2ByTheWholeNonNegativeDelay) {
    const Manoeuvre& m = GetParam();
    Session s(answers("", "", "", "", "", m.time2, "", "", "", m.delay));
    PlotRecord record;
    input(s.con, record);
    EXPECT_EQ(record.wait, m.wait);
    EXPECT_EQ(record.tmh, m.tmh);
    EXPECT_EQ(record.tmm, m.tmm);
}

INSTANTIATE_TEST_SUITE_P(Dialog, ManoeuvreTime, ::testing::Values(
    Manoeuvre{"1306", "10", 10, 13, 16},
    Manoeuvre{"1355", "10", 10, 14, 5},
    Manoeuvre{"1306", "94", 94, 14, 40},
    Manoeuvre{"2355", "10", 10, 24, 5},
    Manoeuvre{"1375", "0", 0, 14, 15},
    Manoeuvre{"1306", "-5", 0, 13, 6},
    Manoeuvre{"1306", "7.5", 8, 13, 14},
    Manoeuvre{"1306", "-0.4", 0, 13, 6},
    Manoeuvre{"-130", "0", 0, -1, -30},
    Manoeuvre{"1306", "20000", 99999, 1679, 45}));

struct Clock {
    const char* typed;
    double hour, minute;
};

class ClockSplit : public ::testing::TestWithParam<Clock> {};

// The clock number is split as typed: neither the minutes nor the hours are checked.
TEST_P(ClockSplit, GivesHourAndMinuteOfBothObservations) {
    const Clock& c = GetParam();
    Session s(answers("", "", c.typed, "", "", c.typed, "", "", "", ""));
    PlotRecord record;
    input(s.con, record);
    EXPECT_EQ(record.th1, c.hour);
    EXPECT_EQ(record.tm1, c.minute);
    EXPECT_EQ(record.th2, c.hour);
    EXPECT_EQ(record.tm2, c.minute);
}

INSTANTIATE_TEST_SUITE_P(Dialog, ClockSplit, ::testing::Values(
    Clock{"1306", 13, 6},
    Clock{"945", 9, 45},
    Clock{"13", 0, 13},
    Clock{"1375", 13, 75},
    Clock{"1359.6", 13, 60},
    Clock{"10000", 999, 99},
    Clock{"-10000", -999, -99},
    Clock{"-1306", -13, -6}));

const std::string kTime1Question = " Time of observation B-1, hhmm (four digits): \n";
const std::string kTime2Question = " Time of observation B-2, hhmm (four digits):\n";

// The prompt line that follows `question` when the dialog starts from `start`.
std::string prompt_after(const std::string& question, const PlotRecord& start) {
    Session s(kAllDefaults);
    PlotRecord record = start;
    input(s.con, record);
    const std::string& shown = s.shown();
    const std::size_t at = shown.find(question);
    if (at == std::string::npos) return "";
    const std::size_t from = at + question.size();
    return shown.substr(from, shown.find('\n', from) - from);
}

// Only a B-2 minute strictly beyond 60 is carried, once, before it is offered.
TEST(Dialog, CarriesAnEarlierB2MinuteBeyond60IntoTheHour) {
    PlotRecord record;
    record.th2 = 13;
    record.tm2 = 75;
    EXPECT_EQ(prompt_after(kTime2Question, record), "        [ Default:   1415 ]    Input=");
    record.tm2 = 60;
    EXPECT_EQ(prompt_after(kTime2Question, record), "        [ Default:   1360 ]    Input=");
    record.th2 = 999;
    record.tm2 = 99;
    EXPECT_EQ(prompt_after(kTime2Question, record), "        [ Default: 100039 ]    Input=");
}

TEST(Dialog, OffersAnEarlierB1MinuteBeyond60Unchanged) {
    PlotRecord record;
    record.th1 = 13;
    record.tm1 = 75;
    EXPECT_EQ(prompt_after(kTime1Question, record), "        [ Default:   1375 ]    Input=");
}

TEST(Dialog, CarriedB2DefaultIsSolvedAsCarried) {
    Session s(kAllDefaults);
    PlotRecord record;
    record.th2 = 13;
    record.tm2 = 75;
    input(s.con, record);
    EXPECT_EQ(record.th2, 14);
    EXPECT_EQ(record.tm2, 15);
    EXPECT_EQ(record.tmh, 14);
    EXPECT_EQ(record.tmm, 15);
}

class EndingCpa : public ::testing::TestWithParam<const char*> {};

// Below the single-precision 0.001 the run stops at once: no delay question.
TEST_P(EndingCpa, StopsTheRunBeforeTheDelayQuestion) {
    Session s(answers("", "", "", "", "", "", "", "", GetParam(), ""));
    PlotRecord record;
    EXPECT_EQ(ending_of([&] { input(s.con, record); }), console::Ending::Stop);
    const std::string& shown = s.shown();
    const std::string last_prompt = " Minimal CPA to maintain (Distance)=  1.5\n        [ Default:    1.5 ]    Input=\n";
    ASSERT_GE(shown.size(), last_prompt.size());
    EXPECT_EQ(shown.substr(shown.size() - last_prompt.size()), last_prompt);
    EXPECT_TRUE(s.reported().empty());
}

INSTANTIATE_TEST_SUITE_P(Dialog, EndingCpa, ::testing::Values("0.001", "0", "-1", "-99999"));

TEST(Dialog, CpaJustAboveTheThresholdIsAccepted) {
    Session s(answers("", "", "", "", "", "", "", "", "0.0011", "5"));
    PlotRecord record;
    input(s.con, record);
    EXPECT_EQ(record.scpa, 0.0011);
    EXPECT_EQ(record.wait, 5);
}

TEST(Dialog, EmptyLineAtTheCpaKeepsTheAcceptedCpa) {
    Session s(kAllDefaults);
    PlotRecord record;
    record.scpa = 0.0011;
    input(s.con, record);
    EXPECT_EQ(record.scpa, 0.0011);
    EXPECT_NE(s.shown().find(" Minimal CPA to maintain (Distance)=  0.0011\n        [ Default:    0.0 ]    Input=\n"),
              std::string::npos);
}

}  // namespace
}  // namespace echo_track
