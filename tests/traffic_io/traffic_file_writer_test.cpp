// Every traffic file the writer makes reads back to the very exercise it was
// made of, whatever the values: whole and fractional degrees, true and
// relative bearings, two sightings in either order or more in time order, a
// manoeuvre by clock or by delay (at a range: tests/traffic_io/
// plotting_files_test.cpp), a trial or none, a plot tolerance or none,
// names a TOML string must escape or quote (a comment sign, an apostrophe),
// the rules' settings and each ship's kind.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "traffic/traffic_solution.hpp"
#include "traffic_io/traffic_file.hpp"
#include "traffic_io/traffic_file_writer.hpp"

namespace echo_track::traffic_io {
namespace {

using traffic::Sighting;
using traffic::Target;
using traffic::TrafficExercise;

const char* const kNames[] = {"Alpha", "Ferry \"Stella\"", "Back\\slash", "Ærø", "it's #1", "x"};

class Draw {
public:
    explicit Draw(unsigned seed) : random_(seed) {}
    double real(double low, double high) { return std::uniform_real_distribution<double>(low, high)(random_); }
    int whole(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    // Half the time a whole number, as people type them.
    double value(double low, double high) { return whole(0, 1) ? whole(static_cast<int>(low), static_cast<int>(high) - 1) : real(low, high); }

private:
    std::mt19937 random_;
};

TrafficExercise drawn_exercise(Draw& d) {
    TrafficExercise e;
    e.required_cpa_nm = d.value(1.0, 5.0);
    e.own = {d.value(0.0, 360.0), d.value(0.0, 30.0)};
    if (d.whole(0, 1)) {
        e.manoeuvre.at = traffic::ClockTime{d.whole(0, 1439)};
    } else {
        e.manoeuvre.delay_min = d.whole(0, 720);
    }
    if (d.whole(0, 1)) e.trial = traffic::CourseAndSpeed{d.value(0.0, 360.0), d.value(0.0, 30.0)};
    if (d.whole(0, 3) == 0) e.plot_tolerance_nm = d.real(0.01, 10.0);
    // The rules' settings and kinds, each left at its default now and then.
    const auto kind = [&] { return static_cast<traffic::VesselKind>(d.whole(0, 5)); };
    if (d.whole(0, 1)) e.rules.visibility = traffic::Visibility::InSight;
    if (d.whole(0, 1)) e.rules.risk_horizon_min = d.value(0.0, 720.0);
    if (d.whole(0, 1)) e.rules.least_alteration_deg = d.value(0.0, 90.0);
    if (d.whole(0, 1)) e.rules.least_speed_fraction = d.real(0.0, 1.0);
    if (d.whole(0, 1)) e.rules.own_kind = kind();
    const int count = d.whole(1, 5);
    for (int i = 0; i < count; ++i) {
        int clock = d.whole(0, 1439);
        const auto sighting = [&](bool in_order) {
            clock = in_order ? (clock + d.whole(1, 100)) % traffic::kMinutesPerDay : d.whole(0, 1439);
            Sighting s{traffic::ClockTime{clock}, d.value(0.0, 360.0), d.value(0.0, 20.0)};
            if (d.whole(0, 2) == 0) {
                s.relative_bearing = d.value(0.0, 360.0);
                s.bearing = traffic::normalized_degrees(e.own.course + *s.relative_bearing);
            }
            return s;
        };
        Target t{std::string(kNames[i]) + (i == 0 ? "" : std::to_string(d.whole(0, 99))), sighting(false), sighting(false)};
        if (d.whole(0, 1)) {
            t.sightings = {sighting(true)};
            for (int k = d.whole(3, 5); k > 1; --k) t.sightings.push_back(sighting(true));
        }
        if (d.whole(0, 1)) t.kind = kind();
        e.targets.push_back(t);
    }
    // A manoeuvre at a clock time comes after the latest sighting, as the reader requires.
    if (e.manoeuvre.at) {
        e.manoeuvre.at = traffic::ClockTime{(traffic::latest_observation(e)->minutes + e.manoeuvre.at->minutes % 60) % traffic::kMinutesPerDay};
    }
    return e;
}

void expect_same(const Sighting& a, const Sighting& b) {
    EXPECT_EQ(a.time.minutes, b.time.minutes);
    EXPECT_EQ(a.bearing, b.bearing);
    EXPECT_EQ(a.relative_bearing, b.relative_bearing);
    EXPECT_EQ(a.range_nm, b.range_nm);
}

TEST(TrafficFileWriter, EveryWrittenFileReadsBackToTheSameExercise) {
    Draw d(20261209);
    for (int n = 0; n < 500; ++n) {
        const TrafficExercise e = drawn_exercise(d);
        const std::string text = traffic_file_text(e, "Drawn exercise\n\n  echo-track-traffic x.toml");
        SCOPED_TRACE(text);
        const TrafficExercise r = parse_traffic_exercise(text, "x.toml");
        EXPECT_EQ(r.required_cpa_nm, e.required_cpa_nm);
        EXPECT_EQ(r.own.course, e.own.course);
        EXPECT_EQ(r.own.speed_kt, e.own.speed_kt);
        EXPECT_EQ(r.manoeuvre.at.has_value(), e.manoeuvre.at.has_value());
        if (e.manoeuvre.at) {
            EXPECT_EQ(r.manoeuvre.at->minutes, e.manoeuvre.at->minutes);
        }
        EXPECT_EQ(r.manoeuvre.delay_min, e.manoeuvre.delay_min);
        EXPECT_EQ(r.plot_tolerance_nm, e.plot_tolerance_nm);
        EXPECT_EQ(r.rules.visibility, e.rules.visibility);
        EXPECT_EQ(r.rules.risk_horizon_min, e.rules.risk_horizon_min);
        EXPECT_EQ(r.rules.least_alteration_deg, e.rules.least_alteration_deg);
        EXPECT_EQ(r.rules.least_speed_fraction, e.rules.least_speed_fraction);
        EXPECT_EQ(r.rules.own_kind, e.rules.own_kind);
        ASSERT_EQ(r.trial.has_value(), e.trial.has_value());
        if (e.trial) {
            EXPECT_EQ(r.trial->course, e.trial->course);
            EXPECT_EQ(r.trial->speed_kt, e.trial->speed_kt);
        }
        ASSERT_EQ(r.targets.size(), e.targets.size());
        for (std::size_t i = 0; i < e.targets.size(); ++i) {
            EXPECT_EQ(r.targets[i].name, e.targets[i].name);
            EXPECT_EQ(r.targets[i].kind, e.targets[i].kind);
            ASSERT_EQ(r.targets[i].sightings.size(), e.targets[i].sightings.size());
            for (std::size_t k = 0; k < e.targets[i].sightings.size(); ++k) expect_same(r.targets[i].sightings[k], e.targets[i].sightings[k]);
        }
        if (HasFailure()) return;
    }
}

TEST(TrafficFileWriter, CommentHeadsTheFileAndNumbersAreWrittenShort) {
    TrafficExercise e;
    e.required_cpa_nm = 1.5;
    e.own = {300.0, 5.0};
    e.targets.push_back(Target{"B", Sighting{{780}, 350.0, 3.7}, Sighting{{786}, 350.5, 2.3}});
    const std::string text = traffic_file_text(e, "Exercise 1\n\n  run it");
    EXPECT_EQ(text.rfind("# Exercise 1\n#\n#   run it\n\n", 0), 0u) << text;
    for (const char* shown : {"course = 300\n", "bearing = 350,", "bearing = 350.5,", "range_nm = 3.7", "range_nm = 2.3",
                              "\"13:00\"", "delay_min = 0"}) {
        EXPECT_NE(text.find(shown), std::string::npos) << shown << " in\n" << text;
    }
}

}  // namespace
}  // namespace echo_track::traffic_io
