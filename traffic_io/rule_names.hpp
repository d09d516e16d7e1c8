#pragma once
// The names of the collision rules' readings as the traffic file, the
// report and the JSON write them: one place, so that each reads back what
// the other wrote.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "traffic/recommendation.hpp"

namespace echo_track::traffic_io {

// "power", "sailing", ... as the file and the JSON take them.
std::string_view kind_name(traffic::VesselKind kind);
std::optional<traffic::VesselKind> kind_named(std::string_view name);
std::string kind_list();  // every kind's name, for a complaint

// "in_sight" or "restricted".
std::string_view visibility_name(traffic::Visibility visibility);
std::optional<traffic::Visibility> visibility_named(std::string_view name);

// The encounter's parts as the JSON names them ("head_on", "give_way",
// "port"); none for a turn that is not forbidden.
std::string_view situation_name(traffic::Situation situation);
std::string_view role_name(traffic::OwnRole role);
std::optional<std::string_view> turn_name(traffic::TurnSide side);
std::string_view recommendation_name(traffic::RecommendationKind kind);

// The report's short text of one ship's reading: "15 give way", "17 stand
// on", "19 no port turn", "19 not towards", "watch", or "-".
std::string rule_cell(const traffic::ShipRules& rules);

// "Rule 8, Rule 16 and Rule 19".
std::string rules_text(const std::vector<int>& rules);

}  // namespace echo_track::traffic_io
