#include "solver/kernel.hpp"

#include <cmath>
#include <limits>

#include "solver/plot_record.hpp"

namespace echo_track {

namespace {

constexpr double kDegrad = kAngles.degrad;
constexpr double kRaddeg = kAngles.raddeg;

// Beyond this magnitude stepping by 360 would take too long (and, far enough
// out, would no longer change the value at all); such angles are reduced by
// fmod first. The callers only pass angles within a few turns of 0..360.
constexpr double kStepwiseLimit = 1e6;

// A line whose easting changes more than a million times its northing runs
// east-west to within a micro-radian: its slope in y = a*x + b is useless.
constexpr double kEastWestRatio = 1e6;

// The same point with north and east exchanged.
Point exchanged(Point p) { return {p.y, p.x}; }

}  // namespace

void wnorm(double& peil) {
    if (std::isnan(peil)) return;
    if (std::isinf(peil)) {
        peil = std::numeric_limits<double>::quiet_NaN();
        return;
    }
    if (std::fabs(peil) >= kStepwiseLimit) peil = std::fmod(peil, 360.0);
    bool stepped = true;
    while (stepped) {
        stepped = false;
        if (peil < 0.0) {
            peil = peil + 360.0;
            stepped = true;
        }
        if (peil > 360.0) {  // strictly: 360 itself stays 360
            peil = peil - 360.0;
            stepped = true;
        }
    }
}

Point pepos(double rwp9, double r9) {
    const double wi = rwp9 * kDegrad;
    return {r9 * std::cos(wi), r9 * std::sin(wi)};
}

Polar pospe(Point p9) {
    Polar out;
    out.r = std::sqrt(p9.x * p9.x + p9.y * p9.y);
    // Due east or west: atan of y/x with the guard in place of x gives +-90.
    const double xdiv = (p9.x == 0.0) ? kDivisorGuard : p9.x;
    const double wi = std::atan(p9.y / xdiv);
    out.rwp = wi * kRaddeg;
    // atan only sees the half-plane x > 0; the southern half is turned round.
    if (p9.x < 0.0 && p9.y < 0.0) out.rwp = out.rwp - 180.0;
    if (p9.x < 0.0 && p9.y >= 0.0) out.rwp = out.rwp + 180.0;
    wnorm(out.rwp);
    return out;
}

Point shift2(Point p8, Point p9, Point& p0) {
    const double dx = p0.x - p8.x;
    const double dy = p0.y - p8.y;
    p0.x = p8.x + dx;
    p0.y = p8.y + dy;
    return {p9.x + dx, p9.y + dy};
}

Line gerad(Point p1, Point p2) {
    const double dy = p2.y - p1.y;
    double dx = p2.x - p1.x;
    if (std::fabs(dx) < kDivisorGuard) dx = kDivisorGuard;
    Line line;
    line.a = dy / dx;
    // The mean of the intercepts through either point.
    line.b = ((p2.y + p1.y) - line.a * (p2.x + p1.x)) / 2.0;
    return line;
}

double peilg(Point p1, Point p2) {
    double dy = p2.y - p1.y;
    double dx = p2.x - p1.x;
    double peil = 0.0;
    // The branch keeps the argument of atan within -1..1.
    if (std::fabs(dy) < std::fabs(dx)) {
        if (std::fabs(dx) < kDivisorGuard) dx = kDivisorGuard;
        const double a = dy / dx;
        peil = std::atan(a) * kRaddeg;
        if (dx < 0.0) peil = peil + 180.0;
    } else {
        if (std::fabs(dy) < kDivisorGuard) dy = kDivisorGuard;
        const double ah = dx / dy;
        const double peilh = std::atan(ah) * kRaddeg;
        peil = 90.0 - peilh;
        if (dy < 0.0) peil = 270.0 - peilh;
    }
    wnorm(peil);
    return peil;
}

Polar cpa(Point p0, Point p1, double peil) {
    // The track point as seen from the reference point.
    Point origin{0.0, 0.0};
    const Point pn = shift2(p0, p1, origin);
    const Polar seen = pospe(pn);
    // Bearing from the track point back to the reference point.
    double rwp1i = seen.rwp - 180.0;
    wnorm(rwp1i);
    double alfa = peil - rwp1i;
    Polar out;
    out.r = std::fabs(std::sin(alfa * kDegrad) * seen.r);
    // The nearest point lies a right angle off the track, on the side to
    // which the track turns away from the reference point.
    if (alfa > 180.0) alfa = alfa - 360.0;
    if (alfa < -180.0) alfa = alfa + 360.0;
    out.rwp = peil + 90.0;
    if (alfa < 0.0) out.rwp = peil - 90.0;
    wnorm(out.rwp);
    return out;
}

Intersections xgk(Line line, Point centre, double r) {
    const double a = line.a;
    const double b = line.b;
    const double x0 = centre.x;
    const double y0 = centre.y;
    Intersections out;
    out.ier = 0;
    // r^2 (1 + a^2) - (a x0 + b - y0)^2, in the expanded form of the legacy
    // code: its rounding decides whether a near-tangent line meets the circle.
    const double disk = 2.0 * a * x0 * y0 - 2.0 * a * b * x0 + 2.0 * b * y0 - y0 * y0 - b * b + r * r +
                        a * a * (r * r - x0 * x0);
    if (disk < 0.0) {
        out.ier = 1;
        return out;  // both points stay (0, 0)
    }
    const double dh = std::sqrt(disk);
    const double fh = a * y0 + x0 - a * b;
    out.h1.x = (fh + dh) / (1.0 + a * a);
    out.h2.x = (fh - dh) / (1.0 + a * a);
    out.h1.y = a * out.h1.x + b;
    out.h2.y = a * out.h2.x + b;
    return out;
}

Intersections line_meets_circle(Point p1, Point p2, Point centre, double r) {
    const double dy = p2.y - p1.y;
    const double dx = p2.x - p1.x;
    if (!(std::fabs(dy) > kEastWestRatio * std::fabs(dx))) return xgk(gerad(p1, p2), centre, r);
    Intersections hits = xgk(gerad(exchanged(p1), exchanged(p2)), exchanged(centre), r);
    hits.h1 = exchanged(hits.h1);
    hits.h2 = exchanged(hits.h2);
    return hits;
}

Point vecpkt(Point p1, double peil1, double r1) {
    return {p1.x + r1 * std::cos(peil1 * kDegrad), p1.y + r1 * std::sin(peil1 * kDegrad)};
}

void seqmin(double& p0, double& p1, double& p2) {
    wnorm(p0);
    double h1 = p1 - p0;
    double h2 = p2 - p0;
    wnorm(h1);
    wnorm(h2);
    // Signed turns from p0, -180 < turn <= 180.
    if (h1 > 180.0) h1 = h1 - 360.0;
    if (h2 > 180.0) h2 = h2 - 360.0;
    double pn1 = h1;
    double pn2 = h2;
    if (std::fabs(h2) < std::fabs(h1)) {
        pn1 = h2;
        pn2 = h1;
    }
    p1 = p0 + pn1;
    p2 = p0 + pn2;
    wnorm(p1);
    wnorm(p2);
    wnorm(p0);
}

double round(double xxx, int idec) {
    // 10^idec by repeated multiplication: exact for every idec the reports use
    // (10.0 and 100.0), and it stops growing once it has become infinite.
    double f = 1.0;
    for (int i = 0; i < idec && !std::isinf(f); ++i) f = f * 10.0;
    return std::floor(f * xxx + 0.5) / f;
}

}  // namespace echo_track
