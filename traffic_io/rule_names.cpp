#include "traffic_io/rule_names.hpp"

#include <array>
#include <utility>

namespace echo_track::traffic_io {
namespace {

using traffic::OwnRole;
using traffic::RecommendationKind;
using traffic::Situation;
using traffic::TurnSide;
using traffic::VesselKind;
using traffic::Visibility;

constexpr std::array<std::pair<VesselKind, std::string_view>, 6> kKinds = {{
    {VesselKind::Power, "power"},
    {VesselKind::Sailing, "sailing"},
    {VesselKind::Fishing, "fishing"},
    {VesselKind::RestrictedInAbility, "restricted_in_ability"},
    {VesselKind::NotUnderCommand, "not_under_command"},
    {VesselKind::ConstrainedByDraught, "constrained_by_draught"},
}};

}  // namespace

std::string_view kind_name(VesselKind kind) {
    for (const auto& [k, name] : kKinds) {
        if (k == kind) return name;
    }
    return "power";
}

std::optional<VesselKind> kind_named(std::string_view name) {
    for (const auto& [k, n] : kKinds) {
        if (n == name) return k;
    }
    return std::nullopt;
}

std::string kind_list() {
    std::string text;
    for (std::size_t i = 0; i < kKinds.size(); ++i) {
        text += (i == 0 ? "\"" : i + 1 == kKinds.size() ? " or \"" : ", \"") + std::string(kKinds[i].second) + "\"";
    }
    return text;
}

std::string_view visibility_name(Visibility visibility) { return visibility == Visibility::InSight ? "in_sight" : "restricted"; }

std::optional<Visibility> visibility_named(std::string_view name) {
    if (name == "in_sight") return Visibility::InSight;
    if (name == "restricted") return Visibility::Restricted;
    return std::nullopt;
}

std::string_view situation_name(Situation situation) {
    switch (situation) {
        case Situation::None: return "none";
        case Situation::HeadOn: return "head_on";
        case Situation::Overtaking: return "overtaking";
        case Situation::Overtaken: return "overtaken";
        case Situation::CrossingFromStarboard: return "crossing_from_starboard";
        case Situation::CrossingFromPort: return "crossing_from_port";
    }
    return "none";
}

std::string_view role_name(OwnRole role) {
    switch (role) {
        case OwnRole::None: return "none";
        case OwnRole::GiveWay: return "give_way";
        case OwnRole::StandOn: return "stand_on";
        case OwnRole::Avoid: return "avoid";
    }
    return "none";
}

std::optional<std::string_view> turn_name(TurnSide side) {
    if (side == TurnSide::Port) return "port";
    if (side == TurnSide::Starboard) return "starboard";
    return std::nullopt;
}

std::string_view recommendation_name(RecommendationKind kind) {
    switch (kind) {
        case RecommendationKind::NoneNeeded: return "none_needed";
        case RecommendationKind::Watch: return "watch";
        case RecommendationKind::Course: return "course";
        case RecommendationKind::Speed: return "speed";
        case RecommendationKind::CourseAndSpeed: return "course_and_speed";
        case RecommendationKind::StandOn: return "stand_on";
        case RecommendationKind::NoManoeuvreClears: return "no_manoeuvre_clears";
    }
    return "none_needed";
}

std::string rule_cell(const traffic::ShipRules& r) {
    const traffic::Encounter& e = r.encounter;
    if (e.situation == Situation::None) return r.watched ? "watch" : "-";
    const std::string number = std::to_string(e.rule);
    switch (e.own_role) {
        case OwnRole::GiveWay: return number + " give way";
        case OwnRole::StandOn: return number + " stand on";
        case OwnRole::Avoid:
            if (e.forbidden_turn == TurnSide::None) return number + " any turn";
            return number + (e.forward_of_beam ? " no port turn" : " not towards");
        case OwnRole::None: break;
    }
    return "-";
}

std::string rules_text(const std::vector<int>& rules) {
    std::string text;
    for (std::size_t i = 0; i < rules.size(); ++i) {
        text += (i == 0 ? "" : i + 1 == rules.size() ? " and " : ", ") + ("Rule " + std::to_string(rules[i]));
    }
    return text;
}

}  // namespace echo_track::traffic_io
