// Positions of the circle layout: the coordinator's direct children on a circle around it, as
// the network query's node counter gives them.
//
// Threads: plain functions of their arguments; callable from any thread.
#pragma once

#include <cstdint>
#include <vector>

namespace netloom::model {

// A point of the diagram, in diagram units (twips).
struct CirclePoint {
  float x = 0;
  float y = 0;
};
// Entry 0 is the centre; entries 1 onward are the children's places.
using CircleTable = std::vector<CirclePoint>;

// Where the coordinator is drawn in circle mode.
inline constexpr CirclePoint kCircleCentre{16500.0f, 8250.0f};
// Radius of the circle in diagram units.
inline constexpr double kCircleRadius = 2500.0;

// The point `degrees` round the circle of `radius` about `centre`, with the layout's rounded pi
// (3.14159 / 180 per degree), which the circle layout has always been drawn with.
CirclePoint OnCircle(CirclePoint centre, double radius, double degrees);

// The circle table for a query whose node counter is `nodeCounter`: entry 0 is `centre`,
// entries 1 onward are points on the circle, the first at (centre.x + 2500, centre.y), one every
// 360 / (nodeCounter - 1) degrees (whole degrees) while the angle stays below 360. So the table
// holds nodeCounter - 1 positions when that divides 360 and more otherwise (7 gives 8); every
// one of them is kept. A counter below 2 gives no position, and so does a counter above 361,
// whose whole-degree step would be 0.
CircleTable ComputeCirclePositions(std::int32_t nodeCounter, CirclePoint centre = kCircleCentre);

}  // namespace netloom::model
