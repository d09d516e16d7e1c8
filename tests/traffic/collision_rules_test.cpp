// The collision rules as read for one ship: a table of encounters built for
// each situation and its mirror image, each pair of kinds of Rule 18, both
// visibilities, and the boundaries of the reading (6 degrees, 22.5 degrees
// abaft the beam, the beam itself), with the 2 degrees of doubt that make a
// ship take the encounter as head-on or overtaking.

#include <gtest/gtest.h>

#include <string>

#include "traffic/collision_rules.hpp"

namespace echo_track::traffic {
namespace {

using K = VesselKind;
using R = OwnRole;
using S = Situation;
using T = TurnSide;

// The own ship heads north at 12 knots; the other ship lies at `bearing`
// (relative, = true here) 4 miles off, on `course` at `speed`.
struct Case {
    const char* name;
    double bearing;
    double course;
    double speed;
    K own_kind;
    K kind;
    Visibility visibility;
    S situation;
    R role;
    int rule;
    T forbidden;
    bool pass_astern = false;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class EncounterTable : public ::testing::TestWithParam<Case> {};

TEST_P(EncounterTable, SituationRoleRuleAndTurnToAvoid) {
    const Case& c = GetParam();
    const Vec2 position = along(c.bearing, 4.0);
    const Vec2 velocity = along(c.course, c.speed);
    const S situation = situation_of(0.0, position, velocity);
    EXPECT_EQ(situation, c.situation);
    RuleSettings settings;
    settings.visibility = c.visibility;
    settings.own_kind = c.own_kind;
    const Encounter e = encounter_with(situation, relative_bearing_of(position, 0.0), c.kind, settings);
    EXPECT_EQ(e.own_role, c.role);
    EXPECT_EQ(e.rule, c.rule);
    EXPECT_EQ(e.forbidden_turn, c.forbidden);
    EXPECT_EQ(e.pass_astern, c.pass_astern);
}

constexpr Visibility kSight = Visibility::InSight;
constexpr Visibility kFog = Visibility::Restricted;

INSTANTIATE_TEST_SUITE_P(
    Rules, EncounterTable,
    ::testing::Values(
        // Two power-driven ships in sight: Rules 13 to 17.
        Case{"head_on", 0.0, 180.0, 10.0, K::Power, K::Power, kSight, S::HeadOn, R::GiveWay, 14, T::Port},
        Case{"head_on_fine_to_starboard", 5.0, 183.0, 10.0, K::Power, K::Power, kSight, S::HeadOn, R::GiveWay, 14, T::Port},
        Case{"head_on_fine_to_port", 355.0, 177.0, 10.0, K::Power, K::Power, kSight, S::HeadOn, R::GiveWay, 14, T::Port},
        Case{"head_on_in_doubt_at_7_9", 7.9, 180.0, 10.0, K::Power, K::Power, kSight, S::HeadOn, R::GiveWay, 14, T::Port},
        Case{"crossing_beyond_doubt_at_8_1", 8.1, 180.0, 10.0, K::Power, K::Power, kSight, S::CrossingFromStarboard,
             R::GiveWay, 15, T::Port, true},
        Case{"head_on_course_off_reciprocal_7_9", 0.0, 187.9, 10.0, K::Power, K::Power, kSight, S::HeadOn, R::GiveWay, 14, T::Port},
        Case{"not_reciprocal_at_8_1", 0.0, 188.1, 10.0, K::Power, K::Power, kSight, S::CrossingFromStarboard, R::GiveWay, 15,
             T::Port, true},
        Case{"crossing_from_starboard", 45.0, 270.0, 10.0, K::Power, K::Power, kSight, S::CrossingFromStarboard, R::GiveWay, 15,
             T::Port, true},
        Case{"crossing_from_port_mirror", 315.0, 90.0, 10.0, K::Power, K::Power, kSight, S::CrossingFromPort, R::StandOn, 17,
             T::Port},
        Case{"overtaking", 0.0, 0.0, 6.0, K::Power, K::Power, kSight, S::Overtaking, R::GiveWay, 13, T::None},
        Case{"overtaking_from_its_port_quarter", 20.0, 40.0, 6.0, K::Power, K::Power, kSight, S::Overtaking, R::GiveWay, 13, T::None},
        // The own ship seen from the other at 180 - course: the stern sector
        // ends 22.5 degrees abaft its beam, 2 more in doubt.
        Case{"overtaking_in_doubt_at_110_6", 0.0, 69.4, 6.0, K::Power, K::Power, kSight, S::Overtaking, R::GiveWay, 13, T::None},
        Case{"crossing_beyond_doubt_at_110_4", 0.0, 69.6, 6.0, K::Power, K::Power, kSight, S::CrossingFromPort, R::StandOn, 17,
             T::None},
        Case{"overtaken", 180.0, 0.0, 18.0, K::Power, K::Power, kSight, S::Overtaken, R::StandOn, 17, T::None},
        Case{"overtaken_from_starboard_quarter", 150.0, 345.0, 18.0, K::Power, K::Power, kSight, S::Overtaken, R::StandOn, 17,
             T::None},
        // Being overtaken is a privilege: in doubt the own ship does not
        // assume it, and takes a ship 2 degrees inside the boundary as crossing.
        Case{"crossing_not_overtaken_at_114_4", 114.4, 330.0, 18.0, K::Power, K::Power, kSight, S::CrossingFromStarboard,
             R::GiveWay, 15, T::Port, true},
        Case{"overtaken_at_114_6", 114.6, 330.0, 18.0, K::Power, K::Power, kSight, S::Overtaken, R::StandOn, 17, T::None},
        // The kinds first (Rule 18), except in overtaking (Rule 13).
        Case{"sailing_crossing_from_port", 315.0, 90.0, 6.0, K::Power, K::Sailing, kSight, S::CrossingFromPort, R::GiveWay, 18,
             T::None},
        Case{"fishing_crossing_from_port", 315.0, 90.0, 6.0, K::Power, K::Fishing, kSight, S::CrossingFromPort, R::GiveWay, 18,
             T::None},
        Case{"restricted_ahead", 0.0, 180.0, 6.0, K::Power, K::RestrictedInAbility, kSight, S::HeadOn, R::GiveWay, 18, T::None},
        Case{"not_under_command_from_port", 315.0, 90.0, 6.0, K::Fishing, K::NotUnderCommand, kSight, S::CrossingFromPort,
             R::GiveWay, 18, T::None},
        Case{"constrained_from_port", 315.0, 90.0, 6.0, K::Power, K::ConstrainedByDraught, kSight, S::CrossingFromPort, R::GiveWay,
             18, T::None},
        Case{"own_constrained_stands_on", 315.0, 90.0, 6.0, K::ConstrainedByDraught, K::Power, kSight, S::CrossingFromPort,
             R::StandOn, 18, T::Port},
        Case{"own_sailing_stands_on_for_power", 45.0, 270.0, 6.0, K::Sailing, K::Power, kSight, S::CrossingFromStarboard,
             R::StandOn, 18, T::None},
        Case{"own_fishing_stands_on_for_sailing", 315.0, 90.0, 6.0, K::Fishing, K::Sailing, kSight, S::CrossingFromPort,
             R::StandOn, 18, T::None},
        Case{"two_sailing_ships", 45.0, 270.0, 6.0, K::Sailing, K::Sailing, kSight, S::CrossingFromStarboard, R::GiveWay, 12, T::None},
        Case{"two_fishing_ships", 45.0, 270.0, 6.0, K::Fishing, K::Fishing, kSight, S::CrossingFromStarboard, R::GiveWay, 2, T::None},
        Case{"sailing_overtaking_power", 0.0, 0.0, 4.0, K::Sailing, K::Power, kSight, S::Overtaking, R::GiveWay, 13, T::None},
        Case{"power_overtaken_by_sailing", 180.0, 0.0, 18.0, K::Power, K::Sailing, kSight, S::Overtaken, R::StandOn, 17, T::None},
        // Restricted visibility: Rule 19(d), whatever the kinds.
        Case{"fog_head_on", 0.0, 180.0, 10.0, K::Power, K::Power, kFog, S::HeadOn, R::Avoid, 19, T::Port},
        Case{"fog_from_starboard", 45.0, 270.0, 10.0, K::Power, K::Sailing, kFog, S::CrossingFromStarboard, R::Avoid, 19, T::Port},
        Case{"fog_from_port_forward", 315.0, 90.0, 10.0, K::Power, K::Power, kFog, S::CrossingFromPort, R::Avoid, 19, T::Port},
        Case{"fog_overtaking_any_turn", 10.0, 10.0, 5.0, K::Power, K::Power, kFog, S::Overtaking, R::Avoid, 19, T::None},
        Case{"fog_just_forward_of_beam_89_9", 89.9, 200.0, 10.0, K::Power, K::Power, kFog, S::CrossingFromStarboard, R::Avoid, 19,
             T::Port},
        Case{"fog_abeam_starboard_90", 90.0, 200.0, 10.0, K::Power, K::Power, kFog, S::CrossingFromStarboard, R::Avoid, 19,
             T::Starboard},
        Case{"fog_abeam_port_270", 270.0, 160.0, 10.0, K::Power, K::Power, kFog, S::CrossingFromPort, R::Avoid, 19, T::Port},
        Case{"fog_overtaken_starboard_quarter", 150.0, 345.0, 18.0, K::Power, K::Power, kFog, S::Overtaken, R::Avoid, 19,
             T::Starboard},
        Case{"fog_overtaken_port_quarter", 210.0, 15.0, 18.0, K::Power, K::Power, kFog, S::Overtaken, R::Avoid, 19, T::Port},
        Case{"fog_overtaken_right_astern", 180.0, 0.0, 18.0, K::Power, K::Power, kFog, S::Overtaken, R::Avoid, 19, T::None}));

// A ship that does not move has no heading: crossing by its side, never
// head-on or overtaking.
TEST(Encounter, ShipThatDoesNotMoveIsCrossingByItsSide) {
    EXPECT_EQ(situation_of(0.0, along(0.0, 3.0), Vec2{}), S::CrossingFromStarboard);
    EXPECT_EQ(situation_of(0.0, along(20.0, 3.0), Vec2{}), S::CrossingFromStarboard);
    EXPECT_EQ(situation_of(0.0, along(340.0, 3.0), Vec2{}), S::CrossingFromPort);
}

// Risk is acted on within the horizon; a ship that comes inside later is watched.
TEST(Encounter, RiskWithinTheHorizonOnly) {
    const Vec2 ahead = along(0.0, 6.0);
    const Vec2 closing = along(180.0, 10.0);  // inside 1 mile after 30 minutes
    EXPECT_NEAR(minutes_to_close_quarters(ahead, closing, 1.0), 30.0, 1e-9);
    EXPECT_TRUE(has_risk(ahead, closing, 1.0, 30.0));
    EXPECT_FALSE(has_risk(ahead, closing, 1.0, 29.9));
    EXPECT_FALSE(has_risk(ahead, along(90.0, 10.0), 1.0, 30.0));  // passes clear
    EXPECT_TRUE(has_risk(along(0.0, 0.5), Vec2{}, 1.0, 30.0));     // keeps station inside
}

TEST(Encounter, CrossingAheadOfTheOtherShip) {
    // Other ship 4 miles on the starboard bow heading west at 10 knots.
    const Vec2 position = along(45.0, 4.0);
    const Vec2 west = along(270.0, 10.0);
    EXPECT_TRUE(crosses_ahead(position, west, along(0.0, 12.0)));     // holding on north: ahead of it
    EXPECT_FALSE(crosses_ahead(position, west, along(135.0, 12.0)));  // turning under its stern
    EXPECT_FALSE(crosses_ahead(position, Vec2{}, along(0.0, 12.0)));   // it does not move: no course to cross
}

}  // namespace
}  // namespace echo_track::traffic
