#include "solver/manoeuvre.hpp"

#include <cmath>

#include "solver/integer_copy.hpp"

namespace echo_track {

namespace {

// The time figures are rounded up by a hundredth before their fraction is
// dropped; the hundredth is a single-precision constant.
const double kClockNudge = static_cast<double>(0.01f);

// Relative bearings that bound "abaft the beam, coming up from astern".
constexpr double kOvertakingFrom = 112.5;  // 90 + 22.5
constexpr double kOvertakingTo = 247.5;    // 270 - 22.5

// The own courses that give the relative course `peilm`: the velocity triangle
// is anchored at the B-2 position, where B's true run ends; A's run starts at
// the foot point, so its end must lie both on the circle of radius `da` about
// the foot point and on the line through the B-2 position along `peilm`.
TangentCourses own_courses(const PlotSolution& plot, double peilm) {
    TangentCourses side;
    side.peilm = peilm;
    const double rhelp = 1.0;
    side.help = vecpkt(plot.p2, peilm, rhelp);
    side.hits = line_meets_circle(side.help, plot.p2, plot.fus, plot.da);
    side.course1 = peilg(plot.fus, side.hits.h1);
    side.course2 = peilg(plot.fus, side.hits.h2);
    return side;
}

}  // namespace

std::optional<Manoeuvre> solve_manoeuvre(const PlotRecord& record, const PlotSolution& plot) {
    if (plot.simultaneous) return std::nullopt;
    Manoeuvre m;
    m.aka = record.aka;

    // B carried along its unchanged relative course to the manoeuvre time.
    m.dtm = plot.tm - plot.t2;
    m.dm = plot.vbr * m.dtm / 60.0;
    m.bm = vecpkt(plot.p2, plot.akbr, m.dm);
    const Polar then = pospe(m.bm);
    m.rwpm0 = then.rwp;
    m.rm = then.r;
    m.rwpm = m.rwpm0 + 180.0;
    wnorm(m.rwpm);
    if (m.rm < kDivisorGuard) m.rm = kDivisorGuard;  // B right at A's position

    const bool too_close = record.scpa > m.rm;
    if (too_close) {
        m.outcome = Outcome::TooClose;
        wnorm(m.aka);
    } else {
        m.outcome = record.scpa <= plot.figures.cparq ? Outcome::NoDanger : Outcome::Courses;
        // The two relative courses from B's position that just touch the
        // circle of the required CPA about A, one passing on each side.
        m.phi = std::fabs(std::asin(record.scpa / m.rm)) * kAngles.raddeg;
        double peilm1 = m.rwpm + m.phi;
        wnorm(peilm1);
        double peilm2 = m.rwpm - m.phi;
        wnorm(peilm2);
        m.side1 = own_courses(plot, peilm1);
        m.side2 = own_courses(plot, peilm2);
        seqmin(m.aka, m.side1.course1, m.side1.course2);
        seqmin(m.aka, m.side2.course1, m.side2.course2);
        m.side1.pqil1 = round(m.side1.course1, 0);
        m.side1.pqil2 = round(m.side1.course2, 0);
        m.side2.pqil1 = round(m.side2.course1, 0);
        m.side2.pqil2 = round(m.side2.course2, 0);
    }
    m.zp = round(m.rwpm0, 0);
    m.zd = round(m.rm, 1);

    // The clockwise tangent's courses are the port-side solution when B's
    // relative motion runs forward along A's course (B coming up from
    // astern), and the starboard one when it runs against it (B from ahead).
    m.delk = plot.akbr - m.aka;
    wnorm(m.delk);
    m.same_direction = m.delk <= 90.0 || m.delk > 270.0;
    m.txt1 = m.same_direction ? Side::Port : Side::Starboard;
    m.txt2 = m.same_direction ? Side::Starboard : Side::Port;

    m.itmah = to_int32(record.tmh + kClockNudge);
    m.itmam = to_int32(record.tmm + kClockNudge);
    m.izp = to_int32(m.zp + 0.5);

    // B's relative bearing at B-2, brought into 0..360 by one step each way.
    m.seitp = record.rwp2 - m.aka;
    if (m.seitp < 0.0) m.seitp = m.seitp + 360.0;
    if (m.seitp > 360.0) m.seitp = m.seitp - 360.0;
    m.no_turn_to_starboard = 90.0 < m.seitp && m.seitp < 180.0;
    m.overtaking = kOvertakingFrom < m.seitp && m.seitp < kOvertakingTo;
    return m;
}

}  // namespace echo_track
