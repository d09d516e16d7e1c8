#pragma once
// The drawing of one exercise as page primitives: circles, straight strokes
// and texts in page coordinates, each tagged with what it shows. The layout
// produces it from the solution; a renderer only paints it.

#include <string>
#include <variant>
#include <vector>

namespace echo_track::page {

// A point on the page, in page units (points of 1/72 inch): x to the right,
// y downward, origin at the top left corner.
struct PagePoint {
    double x = 0.0;
    double y = 0.0;
};

// The colour of a primitive, by meaning; the renderer picks the actual colour.
enum class Ink {
    Paper,
    Grid,          // range rings, bearing ticks, radials
    GridText,      // their labels
    Text,          // title and legend
    OwnShip,       // own ship A and its runs
    ShipB,         // B's plotted positions and true run
    RelativeTrack, // B's relative track and relative run
    Cpa,           // the closest point of approach and the required CPA circle
    Manoeuvre,     // B at the manoeuvre time and the tangent lines
    Starboard,     // proposed own courses, turn to starboard
    Port,          // proposed own courses, turn to port side
    Clear,         // traffic board: own courses that clear every target
    Blocked,       // traffic board: own courses that pass some target too close
    Target1,       // traffic board: one colour per target, in turn
    Target2,
    Target3,
    Target4,
    Target5,
    Target6,
};

// The traffic board's colours for its targets, used in turn.
inline constexpr Ink kTargetInks[] = {Ink::Target1, Ink::Target2, Ink::Target3, Ink::Target4, Ink::Target5, Ink::Target6};

// Hatched: short strokes across a wide line, as a band is hatched on a chart.
enum class Dash { Solid, Dashed, Dotted, Hatched };

struct Stroke {
    Ink ink = Ink::Grid;
    double width = 1.0;
    Dash dash = Dash::Solid;
};

// What a primitive stands for in the plot; the tests find the figures by it.
enum class Role {
    RangeRing,
    RingLabel,
    BearingTick,
    BearingLabel,
    Radial,
    OwnShip,
    B1,
    B2,
    PositionLabel,      // time of a plotted position
    RelativeTrack,      // B's relative track through B-1 and B-2, extended past the CPA
    CpaPoint,
    CpaLabel,
    CpaCircle,          // circle of the required CPA about A
    OwnRun,             // velocity triangle: A's run over the observation interval
    TrueRun,            // velocity triangle: B's true run
    RelativeRun,        // velocity triangle: B's relative run, B-1 to B-2
    OwnRunCircle,       // where A's run can end at unchanged speed
    ManoeuvrePosition,  // B at the manoeuvre time
    TangentLine,        // relative course from B's manoeuvre position touching the CPA circle
    TangentLabel,
    ProposedCourse,     // a proposed own course, as a vector of A's run
    ProposedCourseLabel,
    NewRelativeRun,     // the relative run that a proposed course gives
    Title,
    Legend,
    TimeTick,        // traffic board: a mark every 6 minutes along a relative track
    ClearingSector,  // traffic board: an arc of the own speed circle, courses that clear every target
    BlockedSector,   // traffic board: an arc of courses that pass some target too close
    MapGrid,         // manoeuvre map: its speed rings and course rays
    MapLabel,        // their figures
    MapClear,        // manoeuvre map: own velocities that clear every target
    MapBlocked,      // own velocities that pass some target too close
    MapAvoid,        // clearing own velocities the rules ask to avoid (hatching over MapClear)
    ObstacleEdge,    // the edge of one target's velocity obstacle
    MapVelocity,     // an own velocity marked on the map: present, recommended, trial
};

struct CircleShape {
    PagePoint centre;
    double radius = 0.0;
    Stroke stroke;
    bool filled = false;  // filled with the stroke's ink
};

struct SegmentShape {
    PagePoint from;
    PagePoint to;
    Stroke stroke;
    bool arrow = false;  // an arrow head at `to`
};

// A stroke along a circle, clockwise from the bearing `from` to `to`
// (degrees, as on the plotting sheet: 000 up, 090 to the right; to > from,
// at most a full turn on).
struct ArcShape {
    PagePoint centre;
    double radius = 0.0;
    double from = 0.0;
    double to = 0.0;
    Stroke stroke;
};

enum class HAlign { Left, Centre, Right };
enum class VAlign { Top, Middle, Bottom };

// A line of text; `at` is the point that the alignment refers to.
struct TextShape {
    PagePoint at;
    std::string text;  // UTF-8
    Ink ink = Ink::Text;
    double size = 10.0;  // font size, page units
    bool bold = false;
    HAlign halign = HAlign::Left;
    VAlign valign = VAlign::Bottom;
    bool monospace = false;  // a fixed-width face, for console text shown as printed
};

struct Shape {
    Role role = Role::Legend;
    std::variant<CircleShape, SegmentShape, ArcShape, TextShape> form;
};

// The whole page. `centre` and `miles` give the plot's scale: own ship A is
// at `centre`, and one nautical mile is `miles` page units long.
struct Drawing {
    double width = 0.0;
    double height = 0.0;
    PagePoint centre;
    double miles = 1.0;          // page units per nautical mile
    double ring_interval = 1.0;  // nautical miles between range rings
    int rings = 1;
    std::vector<Shape> shapes;   // painted in this order
};

}  // namespace echo_track::page
