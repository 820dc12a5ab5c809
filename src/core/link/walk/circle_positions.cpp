#include "core/link/walk/circle_positions.h"

#include <cmath>

namespace netloom::link {
namespace {

// 3.14159 / 180, a rounded pi: the factor the circle layout has always been drawn with.
constexpr double kRadiansPerDegree = 0.017453277777777776;

}  // namespace

CircleTable ComputeCirclePositions(std::int32_t nodeCounter, CirclePoint centre) {
  CircleTable table{centre};
  const std::int64_t others = std::int64_t{nodeCounter} - 1;
  if (others < 1) return table;
  const std::int64_t step = 360 / others;
  if (step == 0) return table;
  for (double angle = 0.0; angle < 360.0; angle += static_cast<double>(step)) {
    const double rad = angle * kRadiansPerDegree;
    table.push_back({centre.x + static_cast<float>(kCircleRadius * std::cos(rad)),
                     centre.y + static_cast<float>(kCircleRadius * std::sin(rad))});
  }
  return table;
}

}  // namespace netloom::link
