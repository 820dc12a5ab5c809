#include "core/link/config/config_messages.h"

#include "core/link/config/config_image.h"

namespace netloom::link {

std::string ReadVersionError() {
  return "Version error. Please check device's version to [" + std::string(kImageVersion) + "].";
}

std::string WriteVersionError() {
  return "Version error. Please check device's version is [" + std::string(kImageVersion) + "].";
}

}  // namespace netloom::link
