#include "plot/cpa_time.hpp"

#include <cmath>

#include "console/field_text.hpp"
#include "plot/sheet_geometry.hpp"
#include "solver/kernel.hpp"

namespace echo_track::plot {
namespace {

// Below this relative speed (knots) B keeps station: as the traffic solver takes it.
constexpr double kStationKeepingKt = 1e-9;
constexpr int kMinutesPerDay = 1440;

}  // namespace

std::optional<CpaTime> cpa_time(const PlotSolution& plot, const Manoeuvre& manoeuvre) {
    if (!(plot.vbr >= kStationKeepingKt)) return std::nullopt;
    const double run_nm = dot(minus(pepos(plot.cpap, plot.cpar), plot.p2), pepos(plot.akbr, 1.0));
    const double from_b2_min = 60.0 * run_nm / plot.vbr;
    const long clock = std::lround(plot.t2 + from_b2_min) % kMinutesPerDay;
    return CpaTime{from_b2_min - manoeuvre.dtm, static_cast<int>(clock < 0 ? clock + kMinutesPerDay : clock)};
}

std::string cpa_time_text(const std::optional<CpaTime>& time) {
    if (!time) return "TCPA -";
    const double tenth = std::round(time->tcpa_min * 10.0) / 10.0;
    return "TCPA " + console::decimal_text(tenth == 0.0 ? 0.0 : tenth, 1) + " min, " +
           console::clock_text(time->clock_minutes / 60, time->clock_minutes % 60);
}

}  // namespace echo_track::plot
