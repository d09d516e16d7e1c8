#pragma once
// The text report of a solved traffic exercise: one table row per target,
// then the manoeuvre (clearing arcs, smallest alterations, speed
// alternative) and the trial.

#include <string>
#include <vector>

#include "traffic/exercise.hpp"
#include "traffic/traffic_solution.hpp"

namespace echo_track::traffic_io {

// A table of the report: its column titles and each row's cells as the
// report prints them, without the padding. A target seen at one time only
// has two cells in the target table: its name and why it is not solved; in
// the trial's table, its name and "not solved".
struct ReportTable {
    std::vector<std::string> titles;
    std::vector<std::vector<std::string>> rows;
};

// The report in its parts, each text as printed, with its line ends.
struct ReportParts {
    std::string heading;         // the own ship's line and the rules' settings
    ReportTable sightings;
    std::string altering;        // a line per target not on a straight line
    ReportTable targets;         // one row per target
    std::string manoeuvre;       // from the empty line before "Manoeuvre at" to the manoeuvre map
    std::string recommendation;  // from its empty line to the closing words
    std::string trial_heading;   // "Trial: course ..."; empty without a trial (no line end)
    ReportTable trial;           // the trial's passages: target, CPA.nm, CPA.brg, TCPA.min, TCA, danger
    std::string trial_passages;  // the same as the report prints them
    std::string trial_resume;    // the resume line, or empty
};

ReportParts traffic_report_parts(const traffic::TrafficExercise& exercise, const traffic::TrafficSolution& solution);

std::string traffic_report(const traffic::TrafficExercise& exercise, const traffic::TrafficSolution& solution);

// The same, put together from its parts.
std::string traffic_report(const ReportParts& parts);

}  // namespace echo_track::traffic_io
