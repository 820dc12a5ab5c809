#include "gui/model/circle_positions.h"

#include <cmath>

namespace netloom::model {
namespace {

// 3.14159 / 180, a rounded pi.
constexpr double kRadiansPerDegree = 0.017453277777777776;

}  // namespace

CirclePoint OnCircle(CirclePoint centre, double radius, double degrees) {
  const double rad = degrees * kRadiansPerDegree;
  return {centre.x + static_cast<float>(radius * std::cos(rad)),
          centre.y + static_cast<float>(radius * std::sin(rad))};
}

CircleTable ComputeCirclePositions(std::int32_t nodeCounter, CirclePoint centre) {
  CircleTable table{centre};
  const std::int64_t others = std::int64_t{nodeCounter} - 1;
  if (others < 1) return table;
  const std::int64_t step = 360 / others;
  if (step == 0) return table;
  for (double angle = 0.0; angle < 360.0; angle += static_cast<double>(step)) {
    table.push_back(OnCircle(centre, kCircleRadius, angle));
  }
  return table;
}

}  // namespace netloom::model
