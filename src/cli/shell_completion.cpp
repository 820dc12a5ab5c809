#include "cli/shell_completion.h"

namespace netloom::cli::detail {

std::string MenuText(std::string_view help) {
  auto text = help.substr(0, help.find_first_of(":;("));
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return std::string(text);
}

}  // namespace netloom::cli::detail
