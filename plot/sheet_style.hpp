#pragma once
// The look of the plotting sheet: where its parts sit on the page, the sizes
// of its marks and labels, and the stroke of each kind of line. Page units
// are points (1/72 inch).

#include "page/drawing.hpp"

namespace echo_track::plot {

// Page areas: the title on top, the plot circle below it, the legend at the
// foot. The outer range ring has a fixed size; the scale follows from it.
inline constexpr double kMargin = 24.0;
inline constexpr double kTitleTop = 26.0;
inline constexpr double kTitleLineStep = 15.0;
inline constexpr double kHeadingExtraStep = 4.0;  // more room under the heading
inline constexpr double kHeadingSize = 14.0;
inline constexpr double kTitleSize = 10.0;
inline constexpr double kOuterRadius = 230.0;
inline constexpr double kPlotCentreY = 372.0;
inline constexpr double kLegendTop = 650.0;
inline constexpr double kLegendRowStep = 15.0;
inline constexpr double kLegendColumnStep = 280.0;

inline constexpr int kMaxRings = 6;
inline constexpr double kExtentMargin = 1.05;  // keeps the farthest figure off the outer ring

// The bearing scale round the outer ring.
inline constexpr double kMajorTick = 8.0;  // every 30 degrees, labelled
inline constexpr double kMinorTick = 4.5;  // every 10 degrees
inline constexpr double kBearingLabelGap = 5.0;
inline constexpr double kRingLabelSize = 8.0;

inline constexpr double kLabelSize = 9.0;
inline constexpr double kOwnShipLabelSize = 10.0;
inline constexpr double kMarkerRadius = 3.2;
inline constexpr double kRingMarkerRadius = 4.5;
inline constexpr double kCpaMarkerRadius = 5.0;
inline constexpr double kOwnShipRadius = 4.0;
inline constexpr double kMarkerClearance = 1.0;  // labels keep this far off a marker's rim
inline constexpr double kCourseTipClearance = 3.0;  // labels keep off a course vector's tip

// Two points closer than this share one label.
inline constexpr double kCrowded = 14.0;
// A's run circle is drawn only when it is wider than this.
inline constexpr double kSmallestRunCircle = 2.0;

inline constexpr page::Stroke kTrackStroke{page::Ink::RelativeTrack, 1.0, page::Dash::Solid};
inline constexpr page::Stroke kRelativeRunStroke{page::Ink::RelativeTrack, 1.8, page::Dash::Solid};
inline constexpr page::Stroke kOwnRunStroke{page::Ink::OwnShip, 1.6, page::Dash::Solid};
inline constexpr page::Stroke kTrueRunStroke{page::Ink::ShipB, 1.6, page::Dash::Solid};
inline constexpr page::Stroke kPositionStroke{page::Ink::ShipB, 1.0, page::Dash::Solid};
inline constexpr page::Stroke kCpaStroke{page::Ink::Cpa, 1.5, page::Dash::Solid};
inline constexpr page::Stroke kCpaCircleStroke{page::Ink::Cpa, 1.2, page::Dash::Dashed};
inline constexpr page::Stroke kManoeuvreStroke{page::Ink::Manoeuvre, 1.3, page::Dash::Solid};
inline constexpr page::Stroke kOwnShipStroke{page::Ink::OwnShip, 1.0, page::Dash::Solid};
inline constexpr page::Stroke kRadialStroke{page::Ink::Grid, 0.4, page::Dash::Dotted};
inline constexpr page::Stroke kRingStroke{page::Ink::Grid, 0.6, page::Dash::Solid};
inline constexpr page::Stroke kOuterRingStroke{page::Ink::Grid, 1.0, page::Dash::Solid};
inline constexpr page::Stroke kRunCircleStroke{page::Ink::OwnShip, 0.6, page::Dash::Dotted};
inline constexpr double kNewRelativeRunWidth = 0.7;
inline constexpr double kTangentWidth = 0.9;
inline constexpr double kCourseWidth = 1.8;

}  // namespace echo_track::plot
