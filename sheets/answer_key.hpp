#pragma once
// The questions of an exercise and their key, one item for each figure the
// student is asked for: what the worksheet asks, what the answer page gives,
// what the answer form holds and what the grading compares, all from this
// one list. Which questions an exercise asks follows from its kind and from
// what the rules call for (a new course, or speed, or both), and a figure
// that is not defined (the bearing of a CPA of 0.0, the aspect of a ship
// that does not move, a resume time not found) is not asked.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "sheets/generator.hpp"

namespace echo_track::sheets {

enum class Measure {
    Bearing,    // degrees true: relative course, CPA bearing
    TrueCourse, // the target's true course, loose when it barely moves
    Distance,   // nm
    Speed,      // kt
    Minutes,    // a span of time: the TCPA
    Clock,      // a time of day: the time of CPA, the resume time
    RedGreen,   // the aspect: degrees, red (own ship to the target's port) negative
    YesNo,      // risk of collision, a manoeuvre needed
    Encounter,  // the encounter under the rules, by its word
    NewCourse,  // right when it clears, turning to a side the rules allow
    NewSpeed,   // right when it clears on the course steered with it
};

// One figure asked for.
struct KeyItem {
    int question = 0;     // its number on the worksheet
    std::string name;     // its key in the answer form: "relative_course_B"
    Measure measure = Measure::Bearing;
    double value = 0.0;   // the key's figure; for YesNo 1 or 0, unused for Encounter
    std::string word;     // the key's word for YesNo and Encounter
    std::optional<std::size_t> ship;  // the target, for a question per ship
};

// One question of the worksheet, and the figures it asks for.
struct Question {
    int number = 0;
    std::string text;
    std::vector<KeyItem> items;
};

// "when B closes to 4 nm" for a manoeuvre made at a range; none for one at a time.
std::optional<std::string> closing_words(const traffic::TrafficExercise& exercise);

// The questions of the exercise, numbered from 1.
std::vector<Question> questions_of(const SheetExercise& x);

// Every item of every question, in order.
std::vector<KeyItem> key_items(const SheetExercise& x);

// The words of the encounters, as the form takes them.
inline constexpr const char* kEncounterWords = "head-on, crossing-starboard, crossing-port, overtaking, overtaken or none";
std::string encounter_word(traffic::Situation situation);

}  // namespace echo_track::sheets
