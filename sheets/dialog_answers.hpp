#pragma once
// A one-ship exercise as echo-track's dialog takes it: the lines to type,
// and the report the dialog prints for them, made by the dialog's own
// report writer so that the answer key never differs from the program.

#include <string>
#include <vector>

#include "app/typed_exercise.hpp"
#include "solver/manoeuvre.hpp"
#include "traffic/exercise.hpp"
#include "traffic/traffic_solution.hpp"

namespace echo_track::sheets {

// The values typed for the exercise's only target: times as hhmm, the delay
// after B-2.
echo_track::TypedExercise typed_exercise(const traffic::TrafficExercise& exercise);

// One answer of the dialog: a short name of its question and the text typed.
struct TypedLine {
    std::string question;
    std::string typed;
};

// The ten answers, in the order the dialog asks for them.
std::vector<TypedLine> typed_lines(const echo_track::TypedExercise& typed);

// The report echo-track prints after "OBSERVATION:", every byte of it.
std::string dialog_report(const echo_track::TypedExercise& typed);

// What the dialog's manoeuvre comes to; none when no manoeuvre is solved.
std::optional<Outcome> dialog_outcome(const echo_track::TypedExercise& typed);

// The line an answer page gives where the dialog's rows of new courses and
// the traffic solver's smallest alterations name different courses for a
// side: both are right in their own sense, and the key is the solver's. None
// where they agree, or where the dialog proposes no courses.
std::optional<std::string> dialog_and_solver_note(const traffic::TrafficExercise& exercise,
                                                  const traffic::TrafficSolution& solution);

// What the lines to type make of a sheet the dialog cannot take as it is:
// relative bearings typed as true ones, the two of three sightings typed,
// the manoeuvre at a range typed as whole minutes after the last sighting.
// None for an exercise the dialog takes as given.
std::vector<std::string> dialog_input_notes(const traffic::TrafficExercise& exercise);

// A session for echo-track: the ten answers, the RETURNs its report and
// pause wait for, RETURN through the next exercise's questions, and 0 at
// its CPA question, which stops the program.
std::string session_text(const echo_track::TypedExercise& typed);

}  // namespace echo_track::sheets
