// The core's texts (UTF-8, std::string_view) as Qt text, for the panes that show them.
#pragma once

#include <QString>
#include <string_view>

namespace netloom::panes {

inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace netloom::panes
