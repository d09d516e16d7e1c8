#include "sheets/answer_key.hpp"

#include "page/labels.hpp"
#include "traffic_io/traffic_text.hpp"

namespace echo_track::sheets {
namespace {

using traffic::RecommendationKind;

KeyItem figure(std::string name, Measure measure, double value) { return {0, std::move(name), measure, value, "", {}}; }

KeyItem answer(std::string name, Measure measure, bool yes) {
    return {0, std::move(name), measure, yes ? 1.0 : 0.0, yes ? "yes" : "no", {}};
}

// The aspect as one signed figure: red (the own ship on the target's port
// side) negative, green positive, so that red 2 and green 2 lie 4 apart.
double signed_red_green(const traffic::Aspect& aspect) {
    switch (aspect.side) {
        case traffic::AspectSide::Red: return -aspect.degrees;
        case traffic::AspectSide::Green: return aspect.degrees;
        case traffic::AspectSide::Ahead: return 0.0;
        case traffic::AspectSide::Astern: return 180.0;
    }
    return aspect.degrees;
}

std::string whom(const SheetExercise& x) { return x.exercise.targets.size() == 1 ? "B" : "each ship"; }

// The four questions asked for every ship, each item once per ship.
std::vector<Question> per_ship_questions(const SheetExercise& x) {
    const std::string of = whom(x);
    std::vector<Question> asked = {
        {1, "The relative course and speed of " + of + ".", {}},
        {2, "The CPA of " + of + " and its bearing, the TCPA" +
                (closing_words(x.exercise) ? " from the manoeuvre " + *closing_words(x.exercise) + "," : "") +
                " and the time of CPA.", {}},
        {3, "The true course, speed and aspect (red or green, degrees) of " + of + ".", {}},
        {4, "Whether there is risk of collision with " + of + ", and the encounter under the rules (" +
                std::string(kEncounterWords) + ").", {}},
    };
    const traffic::TrafficSolution& s = x.solution;
    for (std::size_t i = 0; i < s.targets.size(); ++i) {
        const traffic::TargetSolution& t = s.targets[i];
        const traffic::Passage& p = t.present;
        const std::string suffix = "_" + t.name;
        std::vector<std::vector<KeyItem>> items(4);
        items[0] = {figure("relative_course" + suffix, Measure::Bearing, p.relative_course),
                    figure("relative_speed" + suffix, Measure::Speed, p.relative_speed_kt)};
        items[1].push_back(figure("cpa" + suffix, Measure::Distance, p.cpa_nm));
        // A CPA that shows as 0.0 has no bearing worth asking: the ship runs at the own ship.
        if (traffic_io::tenths_text(p.cpa_nm) != "0.0") items[1].push_back(figure("cpa_bearing" + suffix, Measure::Bearing, p.cpa_bearing));
        if (!p.keeps_station) {
            items[1].push_back(figure("tcpa" + suffix, Measure::Minutes, p.tcpa_min));
            items[1].push_back(figure("cpa_time" + suffix, Measure::Clock, traffic::moment_after(s.manoeuvre_time, p.tcpa_min).minutes));
        }
        items[2].push_back(figure("true_course" + suffix, Measure::TrueCourse, t.true_course));
        items[2].push_back(figure("true_speed" + suffix, Measure::Speed, t.true_speed_kt));
        if (t.aspect) items[2].push_back(figure("aspect" + suffix, Measure::RedGreen, signed_red_green(*t.aspect)));
        const traffic::ShipRules& rules = s.rules[i];
        items[3].push_back(answer("risk" + suffix, Measure::YesNo, rules.risk));
        items[3].push_back({0, "encounter" + suffix, Measure::Encounter, 0.0, encounter_word(rules.encounter.situation), {}});
        for (std::size_t q = 0; q < items.size(); ++q) {
            for (KeyItem& item : items[q]) {
                item.ship = i;
                asked[q].items.push_back(std::move(item));
            }
        }
    }
    return asked;
}

// What the officer does about the danger, as the recommendation has it: a
// new course, a new speed, or both.
Question action_question(const SheetExercise& x, int number) {
    const traffic::Recommendation& r = x.solution.recommendation;
    const std::optional<std::string> closing = closing_words(x.exercise);
    const std::string at = traffic_io::clock_text(x.solution.manoeuvre_time);
    const std::string cpa = traffic_io::tenths_text(x.exercise.required_cpa_nm);
    const bool course = r.kind != RecommendationKind::Speed;
    const bool speed = r.kind != RecommendationKind::Course;
    const std::string what = course && speed ? "the new course and speed" : course ? "the new course at unchanged speed"
                                                                                  : "the new speed on the present course";
    Question q{number, "", {}};
    if (x.kind == Kind::TooClose) {
        q.text = "What the officer does now: " + what + ", from " + at + ", that open the range at once, turning to a side "
                 "the rules allow.";
    } else {
        q.text = "The manoeuvre " + (closing ? *closing : "at " + at) + ": " + what + " for a CPA of " + cpa + " nm to " +
                 (x.exercise.targets.size() == 1 ? "B" : "every ship") + ", turning to a side the rules allow.";
    }
    if (course) q.items.push_back(figure("new_course", Measure::NewCourse, r.own.course));
    if (speed) q.items.push_back(figure("new_speed", Measure::NewSpeed, r.own.speed_kt));
    return q;
}

}  // namespace

std::string encounter_word(traffic::Situation situation) {
    switch (situation) {
        case traffic::Situation::None: return "none";
        case traffic::Situation::HeadOn: return "head-on";
        case traffic::Situation::Overtaking: return "overtaking";
        case traffic::Situation::Overtaken: return "overtaken";
        case traffic::Situation::CrossingFromStarboard: return "crossing-starboard";
        case traffic::Situation::CrossingFromPort: return "crossing-port";
    }
    return "none";
}

std::optional<std::string> closing_words(const traffic::TrafficExercise& exercise) {
    const auto& trigger = exercise.manoeuvre.at_range;
    if (!trigger) return std::nullopt;
    return "when " + trigger->of + " closes to " + page::miles_text(trigger->range_nm) + " nm";
}

std::vector<Question> questions_of(const SheetExercise& x) {
    std::vector<Question> asked;
    // A manoeuvre at a range: first when it comes, which every later figure counts from.
    if (const std::optional<std::string> closing = closing_words(x.exercise)) {
        asked.push_back({0, "The time of the manoeuvre, " + *closing + ".",
                         {figure("manoeuvre_time", Measure::Clock, x.solution.manoeuvre_time.minutes)}});
    }
    for (Question& q : per_ship_questions(x)) asked.push_back(std::move(q));
    const int next = static_cast<int>(asked.size()) + 1;
    if (x.kind == Kind::PassingClear) {
        asked.push_back({next, "Whether a manoeuvre is needed (yes or no).", {answer("manoeuvre_needed", Measure::YesNo, false)}});
    } else {
        asked.push_back(action_question(x, next));
        const auto& resume = x.solution.resume;
        if (resume && resume->found) {
            const double at = traffic::moment_after(x.solution.manoeuvre_time, resume->after_min).minutes;
            asked.push_back({next + 1, "The time to resume the present course and speed.", {figure("resume_time", Measure::Clock, at)}});
        }
    }
    for (std::size_t i = 0; i < asked.size(); ++i) {
        asked[i].number = static_cast<int>(i) + 1;
        for (KeyItem& item : asked[i].items) item.question = asked[i].number;
    }
    return asked;
}

std::vector<KeyItem> key_items(const SheetExercise& x) {
    std::vector<KeyItem> items;
    for (Question& q : questions_of(x)) {
        for (KeyItem& item : q.items) items.push_back(std::move(item));
    }
    return items;
}

}  // namespace echo_track::sheets
