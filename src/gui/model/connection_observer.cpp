#include "gui/model/connection_observer.h"

namespace netloom::model {

std::string_view TitleSuffix(ConnectionState state) {
  switch (state) {
    case ConnectionState::Open:
    case ConnectionState::Refreshing:
    case ConnectionState::Waiting:
    case ConnectionState::Closing:
      return "*";
    case ConnectionState::Lost:
      return " (port lost)";
    case ConnectionState::Closed:
    case ConnectionState::Opening:
      break;
  }
  return "";
}

}  // namespace netloom::model
