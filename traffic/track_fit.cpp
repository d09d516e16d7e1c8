#include "traffic/track_fit.hpp"

#include <algorithm>
#include <cmath>

namespace echo_track::traffic {
namespace {

// A straight track at a steady rate: where it is at minute 0 (the latest
// sighting's time) and how it moves, knots.
struct Line {
    Vec2 at_zero;
    Vec2 velocity;
    Vec2 at(double minutes) const { return at_zero + (minutes / 60.0) * velocity; }
};

// The line through two sightings, as the plotter draws it: the run from the
// earlier position to the later one over the interval, from the later one.
Line line_through(const PlottedSighting& earlier, const PlottedSighting& later) {
    const Vec2 velocity = (60.0 / (later.minutes - earlier.minutes)) * (later.position - earlier.position);
    return Line{later.position - (later.minutes / 60.0) * velocity, velocity};
}

// The least-squares line through the sightings for which `use` holds:
// positions against time. None when they are all at one time.
template <typename Use>
std::optional<Line> least_squares(const std::vector<PlottedSighting>& plot, Use use) {
    double count = 0.0;
    double mean_t = 0.0;
    Vec2 mean_p;
    for (std::size_t i = 0; i < plot.size(); ++i) {
        if (!use(i)) continue;
        count += 1.0;
        mean_t += plot[i].minutes;
        mean_p = mean_p + plot[i].position;
    }
    if (count < 2.0) return std::nullopt;
    mean_t /= count;
    mean_p = (1.0 / count) * mean_p;
    double spread = 0.0;
    Vec2 moment;
    for (std::size_t i = 0; i < plot.size(); ++i) {
        if (!use(i)) continue;
        const double dt = plot[i].minutes - mean_t;
        spread += dt * dt;
        moment = moment + dt * (plot[i].position - mean_p);
    }
    if (spread == 0.0) return std::nullopt;
    const Vec2 velocity = (60.0 / spread) * moment;
    return Line{mean_p - (mean_t / 60.0) * velocity, velocity};
}

// The sightings in time order, each timed from the latest.
std::vector<PlottedSighting> plotted(const std::vector<Sighting>& sightings, double tolerance_nm) {
    std::vector<PlottedSighting> plot;
    for (const Sighting& s : sightings) {
        PlottedSighting p;
        p.sighting = s;
        p.minutes = minutes_between(sightings.front().time, s.time);
        p.position = along(s.bearing, s.range_nm);
        p.tolerance_nm = std::max(tolerance_nm, kPlotToleranceShare * s.range_nm);
        plot.push_back(p);
    }
    std::stable_sort(plot.begin(), plot.end(), [](const PlottedSighting& a, const PlottedSighting& b) { return a.minutes < b.minutes; });
    const double latest = plot.empty() ? 0.0 : plot.back().minutes;
    for (PlottedSighting& p : plot) p.minutes -= latest;
    return plot;
}

// Each sighting from the third on against the line through those before it.
void check_each(std::vector<PlottedSighting>& plot) {
    for (std::size_t i = 2; i < plot.size(); ++i) {
        const std::optional<Line> earlier = least_squares(plot, [&](std::size_t j) { return j < i; });
        if (!earlier) continue;
        plot[i].off_track_nm = length(plot[i].position - earlier->at(plot[i].minutes));
        plot[i].off = *plot[i].off_track_nm > plot[i].tolerance_nm;
    }
}

// The latest sighting before the latest one in time.
std::size_t earlier_of_latest_two(const std::vector<PlottedSighting>& plot) {
    std::size_t i = plot.size() - 2;
    while (i > 0 && plot[i].minutes == plot.back().minutes) --i;
    return i;
}

}  // namespace

TrackFit fit_track(const std::vector<Sighting>& sightings, double tolerance_nm) {
    TrackFit fit;
    fit.plot = plotted(sightings, tolerance_nm);
    fit.same_time = fit.plot.size() < 2 || fit.plot.front().minutes == fit.plot.back().minutes;
    if (fit.same_time) return fit;

    Line line;
    std::size_t first_used = 0;
    if (fit.plot.size() == 2) {
        line = line_through(fit.plot.front(), fit.plot.back());
    } else {
        check_each(fit.plot);
        fit.consistent = std::none_of(fit.plot.begin(), fit.plot.end(), [](const PlottedSighting& p) { return p.off; });
        fit.from_latest_two = !fit.consistent;
        if (fit.from_latest_two) {
            first_used = earlier_of_latest_two(fit.plot);
            line = line_through(fit.plot[first_used], fit.plot.back());
            for (std::size_t i = 0; i + 1 < fit.plot.size(); ++i) fit.plot[i].on_track = i == first_used;
        } else {
            line = *least_squares(fit.plot, [](std::size_t) { return true; });
        }
    }
    fit.relative_velocity = line.velocity;
    fit.latest_position = line.at_zero;
    fit.span_min = static_cast<int>(-fit.plot[first_used].minutes);
    return fit;
}

}  // namespace echo_track::traffic
