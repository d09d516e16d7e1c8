#pragma once
// The relative track of one target through its sightings, as a plotter
// draws it: a straight line at a steady rate. Two sightings give the line
// through both. Three or more give the least-squares line through them
// (positions against time), and each sighting from the third on is checked,
// as it is plotted, against where the line through the sightings before it
// puts the target at its time: a target that alters shows as a sighting off
// that line. The check is not made against the line through all, for a
// sighting off the line pulls that line towards itself and hides (the
// latest of three equally spaced sightings keeps only a sixth of its
// offset). When one is off by more than its tolerance, the track is drawn
// through the two latest sightings, as a plotter redraws after a target's
// alteration.

#include <optional>
#include <vector>

#include "traffic/exercise.hpp"
#include "traffic/vec2.hpp"

namespace echo_track::traffic {

// One sighting on the plot.
struct PlottedSighting {
    Sighting sighting;
    double minutes = 0.0;  // from the target's latest sighting, 0 or less
    Vec2 position;         // nm from the own ship at that time
    // Its distance from where the line through the sightings before it puts
    // the target at its time; none for the first two (they make the first
    // line) or when those before it are all at one time.
    std::optional<double> off_track_nm;
    double tolerance_nm = 0.0;  // the larger of the fixed part and 2 % of its range
    bool off = false;           // off_track_nm above tolerance_nm
    bool on_track = true;       // one of the sightings the track is drawn through
};

struct TrackFit {
    std::vector<PlottedSighting> plot;  // in time order
    bool same_time = false;             // every sighting at one time: no motion can be found
    bool consistent = true;             // no sighting off the line through those before it
    bool from_latest_two = false;       // not consistent: the track is drawn through the two latest
    Vec2 relative_velocity;             // knots
    Vec2 latest_position;               // on the track at the latest sighting's time, nm
    int span_min = 0;                   // from the earliest sighting the track is drawn through to the latest
};

// The track through `sightings` (two or more), each allowed
// max(tolerance_nm, 2 % of its range) off the line through those before it.
TrackFit fit_track(const std::vector<Sighting>& sightings, double tolerance_nm);

}  // namespace echo_track::traffic
