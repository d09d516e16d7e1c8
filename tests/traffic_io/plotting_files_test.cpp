// Seeded exercise files of several sightings, relative bearings and
// manoeuvres at a range: the same file with relative bearings gives the
// figures of the one with true bearings, and every time of CPA is the
// manoeuvre time and the minutes to it, on the clock.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cmath>
#include <random>
#include <string>

#include "traffic/range_trigger.hpp"
#include "traffic/traffic_solution.hpp"
#include "traffic_io/traffic_file.hpp"
#include "traffic_io/traffic_file_writer.hpp"
#include "traffic_io/traffic_json.hpp"
#include "traffic_io/traffic_text.hpp"

namespace echo_track::traffic_io {
namespace {

using nlohmann::json;
using traffic::ClockTime;
using traffic::Sighting;
using traffic::TrafficExercise;

double real(std::mt19937_64& rng, double low, double high) { return std::uniform_real_distribution<double>(low, high)(rng); }
int whole(std::mt19937_64& rng, int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }
// Half the time a whole number, as people type them.
double typed(std::mt19937_64& rng, double low, double high) { return whole(rng, 0, 1) ? std::floor(real(rng, low, high)) : real(rng, low, high); }

// A ship's sightings, oldest first, along a relative track that mostly
// closes on the own ship, bearings now and then to whole degrees as read
// off a screen (so that a plot of three or more may come out off its line).
std::vector<Sighting> sightings(std::mt19937_64& rng, int latest) {
    const traffic::Vec2 at_latest = traffic::along(real(rng, 0.0, 360.0), real(rng, 1.0, 12.0));
    const double heading = traffic::bearing_of(-at_latest) + real(rng, whole(rng, 0, 3) ? -30.0 : -180.0, whole(rng, 0, 3) ? 30.0 : 180.0);
    const traffic::Vec2 relative = traffic::along(heading, real(rng, 0.0, 25.0));
    std::vector<Sighting> seen;
    for (int k = 0, count = whole(rng, 2, 4), ago = 0; k < count; ++k, ago += whole(rng, 1, 15)) {
        const traffic::Vec2 p = at_latest - (ago / 60.0) * relative;
        const double bearing = traffic::bearing_of(p);
        const int clock = ((latest - ago) % traffic::kMinutesPerDay + traffic::kMinutesPerDay) % traffic::kMinutesPerDay;
        seen.insert(seen.begin(), Sighting{ClockTime{clock}, whole(rng, 0, 2) ? bearing : std::fmod(std::round(bearing), 360.0), traffic::length(p)});
    }
    return seen;
}

// Two to four ships of two to four sightings each, now and then across
// midnight; the manoeuvre after a delay, or when the first ship closes to
// a range it reaches.
TrafficExercise drawn(std::mt19937_64& rng) {
    TrafficExercise e;
    e.own = {typed(rng, 0.0, 360.0), typed(rng, 0.0, 20.0)};
    e.required_cpa_nm = real(rng, 0.5, 3.0);
    const int latest = whole(rng, 0, 1) ? whole(rng, 0, 30) : whole(rng, 0, 1439);
    for (int i = 0, ships = whole(rng, 2, 4); i < ships; ++i) e.targets.push_back(traffic::Target{"T" + std::to_string(i), sightings(rng, latest - whole(rng, 0, 5))});
    e.manoeuvre.delay_min = whole(rng, 0, 10);
    const traffic::TargetSolution first = traffic::solve_traffic(e).targets[0];
    if (whole(rng, 0, 1) && first.closing && first.range_nm - first.present.least_nm > 0.1) {
        const traffic::RangeTrigger trigger{"T0", 0.5 * (first.range_nm + first.present.least_nm)};
        if (traffic::range_time(e, trigger).reach == traffic::RangeReach::Reached) e.manoeuvre.at_range = trigger;
    }
    return e;
}

// The same exercise with every bearing given relative to the own heading.
TrafficExercise relative(TrafficExercise e) {
    for (traffic::Target& t : e.targets) {
        for (Sighting& s : t.sightings) s.relative_bearing = traffic::normalized_degrees(s.bearing - e.own.course);
    }
    return e;
}

json solved(const TrafficExercise& e) {
    const TrafficExercise read = parse_traffic_exercise(traffic_file_text(e, ""), "x.toml");
    return json::parse(traffic_json(read, traffic::solve_traffic(read)));
}

// Two reports alike: the same keys, texts and verdicts, numbers within
// rounding of a bearing's last bit.
void expect_alike(const json& a, const json& b, const std::string& where) {
    if (a.is_number() && b.is_number()) {
        const double x = a.get<double>();
        const double y = b.get<double>();
        // A bearing's last bit moves a figure that far, a course near 0 across the compass.
        const bool round_north = std::fabs(std::fabs(x - y) - 360.0) < 1e-7;
        EXPECT_TRUE(std::fabs(x - y) <= 1e-7 * std::max(1.0, std::fabs(x)) || round_north) << where << ": " << x << " against " << y;
        return;
    }
    ASSERT_EQ(a.type(), b.type()) << where;
    if (a.is_object()) {
        for (auto it = a.begin(); it != a.end(); ++it) {
            ASSERT_TRUE(b.contains(it.key())) << where << "/" << it.key();
            expect_alike(it.value(), b.at(it.key()), where + "/" + it.key());
        }
    } else if (a.is_array()) {
        ASSERT_EQ(a.size(), b.size()) << where;
        for (std::size_t i = 0; i < a.size(); ++i) expect_alike(a[i], b[i], where + "/" + std::to_string(i));
    } else {
        EXPECT_EQ(a, b) << where;
    }
}

TEST(PlottingFiles, RelativeBearingsGiveTheFiguresOfTrueBearings) {
    std::mt19937_64 rng(2305);
    for (int n = 0; n < 300; ++n) {
        const TrafficExercise e = drawn(rng);
        json plain = solved(e);
        json turned = solved(relative(e));
        // Only the bearings as given may differ in their last bit.
        SCOPED_TRACE(traffic_file_text(relative(e), ""));
        expect_alike(plain, turned, "");
        if (HasFailure()) return;
    }
}

int clock_of(const json& text) {
    const std::string t = text.get<std::string>();
    return std::stoi(t.substr(0, 2)) * 60 + std::stoi(t.substr(3, 2));
}

// The clock minute nearest `minutes` after midnight; none within a hair of
// a half minute, where rounding may go either way.
std::optional<int> nearest(double minutes) {
    const double day = std::fmod(std::fmod(minutes, 1440.0) + 1440.0, 1440.0);
    if (std::fabs(day - std::floor(day) - 0.5) < 1e-6) return std::nullopt;
    return static_cast<int>(std::lround(day)) % 1440;
}

void expect_times_of_cpa(const json& passage, double manoeuvre) {
    if (passage.at("same_time").get<bool>()) return;
    for (const auto& [clock, minutes] : {std::pair{"tca", "least_range_time_min"}, std::pair{"track_tca", "tcpa_min"}}) {
        ASSERT_EQ(passage.at(clock).is_null(), passage.at(minutes).is_null()) << clock;
        if (passage.at(clock).is_null()) continue;
        if (const std::optional<int> expected = nearest(manoeuvre + passage.at(minutes).get<double>())) {
            EXPECT_EQ(clock_of(passage.at(clock)), *expected) << passage.at("name") << " " << clock;
        }
    }
}

TEST(PlottingFiles, EveryTimeOfCpaIsTheManoeuvreTimeAndItsMinutes) {
    std::mt19937_64 rng(2306);
    int fractional = 0;
    for (int n = 0; n < 300; ++n) {
        const json j = solved(drawn(rng));
        const double manoeuvre = clock_of(j.at("latest_observation")) + j.at("manoeuvre_after_latest_min").get<double>();
        fractional += j.at("manoeuvre_time").get<std::string>().size() == 8 ? 1 : 0;
        for (const json& t : j.at("targets")) expect_times_of_cpa(t, manoeuvre);
        for (const char* outcome : {"starboard", "port", "speed_alternative", "trial"}) {
            if (!j.at(outcome).is_object() || !j.at(outcome).contains("passages")) continue;
            for (const json& p : j.at(outcome).at("passages")) expect_times_of_cpa(p, manoeuvre);
        }
        if (HasFailure()) return;
    }
    EXPECT_GT(fractional, 50);  // manoeuvres at a range between whole minutes among them
}

// A distance off the track reads to the nearest hundredth, and never on the
// other side of its tolerance (the fault: rounded up whenever off, so that
// 0.7006 read 0.71, and down whenever within, so that 0.0999... read 0.09).
TEST(PlottingFiles, DistanceOffTheTrackReadsWithItsVerdict) {
    struct Case {
        double off_nm;
        double tolerance_nm;
        const char* shown;
    };
    for (const Case c : {Case{0.7006, 0.2, "0.70"}, Case{0.0999999999, 0.2, "0.10"}, Case{0.2004, 0.2, "0.21"},
                         Case{0.1996, 0.2, "0.20"}, Case{0.246, 0.2468, "0.24"}, Case{0.2469, 0.2468, "0.25"}, Case{1e-17, 0.2, "0.00"}}) {
        traffic::PlottedSighting p;
        p.off_track_nm = c.off_nm;
        p.tolerance_nm = c.tolerance_nm;
        p.off = c.off_nm > c.tolerance_nm;
        EXPECT_EQ(off_track_text(p), c.shown) << c.off_nm << " against " << c.tolerance_nm;
    }
    EXPECT_EQ(off_track_text(traffic::PlottedSighting{}), "-");
}

}  // namespace
}  // namespace echo_track::traffic_io
