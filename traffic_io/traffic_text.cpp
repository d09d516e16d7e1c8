#include "traffic_io/traffic_text.hpp"

#include <cmath>

#include "console/field_text.hpp"

namespace echo_track::traffic_io {

using console::decimal_text;

std::string course_text(double degrees) {
    const int whole = static_cast<int>(std::floor(traffic::normalized_degrees(degrees) + 0.5)) % 360;
    return console::degrees_text(whole);
}

std::string tenths_text(double value) {
    const double shown = std::round(value * 10.0) / 10.0;
    return decimal_text(shown == 0.0 ? 0.0 : shown, 1);  // no "-0.0"
}

std::string speed_down_text(double kt) { return decimal_text(std::floor(kt * 10.0) / 10.0, 1); }

std::string clock_text(traffic::ClockTime time) {
    return console::zero_padded(time.minutes / 60, 2) + ":" + console::zero_padded(time.minutes % 60, 2);
}

std::string aspect_text(const traffic::TargetSolution& target) {
    if (target.overtaking) return "overtaking";
    switch (target.aspect) {
        case traffic::Aspect::ForwardOfBeam: return "forward of the beam";
        case traffic::Aspect::Abeam: return "abeam";
        case traffic::Aspect::AbaftBeam: return "abaft the beam";
    }
    return "";
}

std::string bow_crossing_text(const traffic::BowCrossing& crossing) {
    if (!crossing.crosses) return "never";
    const std::string where = tenths_text(std::fabs(crossing.range_nm)) + (crossing.range_nm >= 0.0 ? " ahead" : " astern");
    if (crossing.time_min >= 0.0) return where + " in " + tenths_text(crossing.time_min) + " min";
    return where + " " + tenths_text(-crossing.time_min) + " min ago";
}

}  // namespace echo_track::traffic_io
