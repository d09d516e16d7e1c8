#include "app/entry_rules.hpp"

#include <cmath>

namespace echo_track {

namespace {
constexpr double kLargestEntry = 9999.0;
constexpr double kOverflowEntry = 99999.0;
}  // namespace

double whole_number(double value) { return std::floor(value + 0.5); }

double limited_entry(double value) {
    if (value > kLargestEntry) return kOverflowEntry;
    if (value < -kLargestEntry) return -kOverflowEntry;
    return value;
}

double clamped_delay(double wait) { return wait < 0.0 ? 0.0 : wait; }

double clock_number(double hour, double minute) { return 100.0 * hour + minute; }

void split_clock(double hhmm, double& hour, double& minute) {
    hour = std::trunc(hhmm / 100.0);
    minute = hhmm - 100.0 * hour;
}

void set_manoeuvre_time(PlotRecord& r) {
    const double minutes = 60.0 * r.th2 + r.tm2 + r.wait;
    r.tmh = std::trunc(minutes / 60.0);
    r.tmm = minutes - 60.0 * r.tmh;
}

}  // namespace echo_track
