#include "gui/model/pane_target.h"

namespace netloom::model {

namespace {
constexpr std::size_t kAddressLength = 4;
}

std::string TargetAddress(std::string_view address) {
  return std::string(address.substr(0, kAddressLength));
}

std::string DescribeTarget(const PaneTarget& target, std::string_view port) {
  const std::string module =
      target.remote ? "node " + target.address : std::string("the local module");
  return module + " on " + std::string(port);
}

}  // namespace netloom::model
