#include "traffic/clearing_arcs.hpp"

#include <algorithm>
#include <cmath>

#include "traffic/clear_spans.hpp"
#include "traffic/clearance.hpp"
#include "traffic/trig.hpp"

namespace echo_track::traffic {
namespace {

// The most decimals given to a course steered on an arc narrower than the
// next coarser step.
constexpr int kMostDecimals = 9;

// Own courses at `speed` whose velocity puts the ship's relative velocity on
// the ray r e (r >= 0): where the own-speed circle |Vo| = speed meets the
// line Vo = Vt - r e, r^2 - 2 r (Vt.e) + |Vt|^2 - speed^2 = 0. The roots are
// taken in the form that keeps a root near 0 (equal speeds) exact in sign.
void ray_courses(Vec2 target_velocity, Vec2 e, double speed, std::vector<double>& courses) {
    const double off = std::fabs(cross(target_velocity, e));
    const double discriminant = (speed - off) * (speed + off);
    if (discriminant < 0.0) return;  // the ray passes outside the circle
    const double along_ray = dot(target_velocity, e);
    const double q = along_ray + std::copysign(std::sqrt(discriminant), along_ray);
    const double own = length(target_velocity);
    const double product = (own - speed) * (own + speed);
    for (const double r : {q, q != 0.0 ? product / q : 0.0}) {
        if (r >= 0.0) courses.push_back(bearing_of(target_velocity - r * e));
    }
}

// Own courses at `speed` whose velocity puts the ship's relative velocity on
// the circle `c`: own velocities on the circle of radius c.radius round
// D = Vt - c.centre, met by the own-speed circle at the angle d off the
// bearing of D with |D|^2 + s^2 - 2 |D| s cos d = radius^2, that is
// 4 |D| s sin^2(d/2) = radius^2 - (|D| - s)^2.
void circle_courses(Vec2 target_velocity, const Circle& c, double speed, std::vector<double>& courses) {
    const Vec2 d = target_velocity - c.centre;
    const double distance = length(d);
    const double mismatch = std::fabs(distance - speed);
    const double room = (c.radius - mismatch) * (c.radius + mismatch);
    if (room <= 0.0 || distance * speed == 0.0) return;
    const double half = trig::asin(std::min(1.0, std::sqrt(room / (4.0 * distance * speed))));
    const double course = bearing_of(d);
    courses.push_back(normalized_degrees(course + 2.0 * half / kDegree));
    courses.push_back(normalized_degrees(course - 2.0 * half / kDegree));
}

// Every course at `speed` where the verdict of `t` may change.
void cut_courses(const TargetSolution& t, double speed, double required_cpa_nm, std::vector<double>& courses) {
    if (length(t.true_velocity) > 0.0) courses.push_back(bearing_of(t.true_velocity));  // no relative motion
    const VerdictBorders borders = verdict_borders(t.position, required_cpa_nm);
    for (const Vec2 e : borders.edges) ray_courses(t.true_velocity, e, speed, courses);
    for (const Circle& c : borders.circles) circle_courses(t.true_velocity, c, speed, courses);
}

// An unrolled angle (0 <= angle < 720) brought under 360 without rounding.
double under_360(double angle) { return angle >= 360.0 ? angle - 360.0 : angle; }

CourseArc arc_between(double from, double to) { return CourseArc{under_360(from), under_360(from) + (to - from)}; }

std::vector<CourseArc> in_compass_order(std::vector<CourseArc> arcs) {
    std::sort(arcs.begin(), arcs.end(), [](const CourseArc& a, const CourseArc& b) { return a.from < b.from; });
    return arcs;
}

// The course with the fewest decimals on [from, to] that clears, tried from
// the near end; none if no course of kMostDecimals decimals does.
std::optional<std::pair<double, int>> steerable_course(double from, double to, bool upward,
                                                       const std::function<bool(double)>& clears) {
    for (int decimals = 0; decimals <= kMostDecimals; ++decimals) {
        const double scale = std::pow(10.0, decimals);
        const double first = upward ? std::ceil(from * scale) : std::floor(to * scale);
        for (int tries = 0; tries < 400; ++tries) {
            const double c = (first + (upward ? tries : -tries)) / scale;
            if (upward ? c > to : c < from) break;
            if (c >= from && c <= to && clears(c)) return std::make_pair(c, decimals);
        }
    }
    return std::nullopt;
}

}  // namespace

bool CourseArc::holds(double course) const {
    if (width() >= 360.0) return true;
    double offset = course - from;
    while (offset < 0.0) offset += 360.0;
    while (offset >= 360.0) offset -= 360.0;
    return offset <= width();
}

ClearingArcs clearing_arcs(const std::vector<TargetSolution>& targets, double speed_kt, double present_course,
                           double required_cpa_nm) {
    // Each ship's verdict is cut at its own courses, and at the present one.
    std::vector<const TargetSolution*> ships;
    std::vector<std::vector<double>> cuts;
    double low = normalized_degrees(present_course);
    for (const TargetSolution& t : targets) {
        if (t.same_time) continue;
        ships.push_back(&t);
        cuts.push_back({normalized_degrees(present_course)});
        cut_courses(t, speed_kt, required_cpa_nm, cuts.back());
        low = std::min(low, *std::min_element(cuts.back().begin(), cuts.back().end()));
    }
    const double high = low + 360.0;
    // The cut at `high` is the one at `low`, once round: judged as the same course.
    const auto clears = [&](std::size_t ship, double course) {
        const TargetSolution& t = *ships[ship];
        const Vec2 own = along(under_360(course == high ? low : course), speed_kt);
        return passes_clear(t.position, t.true_velocity - own, required_cpa_nm);
    };
    std::vector<Span> spans = clear_spans_of_every(cuts, low, high, clears);

    ClearingArcs arcs;
    if (spans.empty()) {
        arcs.blocked.push_back({0.0, 360.0});
        return arcs;
    }
    if (spans.size() == 1 && spans.front().from == low && spans.front().to == high) {
        arcs.clear.push_back({0.0, 360.0});
        return arcs;
    }
    // A clearing span that runs through the cut at `low` goes on round the compass.
    if (spans.size() > 1 && spans.front().from == low && spans.back().to == high) {
        spans.back().to = spans.front().to + 360.0;
        spans.erase(spans.begin());
    }
    for (std::size_t i = 0; i < spans.size(); ++i) {
        arcs.clear.push_back(arc_between(spans[i].from, spans[i].to));
        const double next = i + 1 < spans.size() ? spans[i + 1].from : spans.front().from + 360.0;
        if (next > spans[i].to) arcs.blocked.push_back(arc_between(spans[i].to, next));
    }
    arcs.clear = in_compass_order(arcs.clear);
    arcs.blocked = in_compass_order(arcs.blocked);
    return arcs;
}

std::optional<Alteration> smallest_alteration(const ClearingArcs& arcs, double course, Side side, bool present_clears,
                                              const std::function<bool(double)>& clears_course) {
    Alteration a;
    a.exact_course = a.steered_course = course;
    if (present_clears) return a;
    const bool starboard = side == Side::Starboard;
    const auto turn_to = [&](double c) { return normalized_degrees(starboard ? c - course : course - c); };
    const CourseArc* first = nullptr;
    for (const CourseArc& arc : arcs.clear) {
        const double near_end = starboard ? arc.from : arc.to;
        if (first == nullptr || turn_to(near_end) < turn_to(starboard ? first->from : first->to)) first = &arc;
    }
    if (first == nullptr) return std::nullopt;
    // The near end as a course of the compass; should bringing it under 360
    // have moved it off the clearing side by a bit, the nearest course on
    // the arc that clears.
    const auto clears_unrolled = [&](double c) { return clears_course(normalized_degrees(c)); };
    double near_end = starboard ? first->from : first->to;
    if (!clears_unrolled(near_end) && clears_unrolled(first->from + first->width() / 2.0)) {
        near_end = nearest_clearing(near_end, first->from + first->width() / 2.0, clears_unrolled);
    }
    a.exact_course = normalized_degrees(near_end);
    a.exact_turn = turn_to(a.exact_course);
    a.narrow_arc = first->width() < 1.0;
    const auto steered = steerable_course(first->from, first->to, starboard, clears_unrolled);
    if (!steered && !clears_course(a.exact_course)) return std::nullopt;  // a sliver the figures cannot hold
    a.steered_course = normalized_degrees(steered ? steered->first : a.exact_course);
    a.steered_decimals = steered ? steered->second : kMostDecimals;
    a.steered_turn = turn_to(a.steered_course);
    if (a.exact_turn > 180.0 || a.steered_turn > 180.0) return std::nullopt;
    return a;
}

}  // namespace echo_track::traffic
