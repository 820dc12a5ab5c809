// The outcome of handing a text to a value table or an entry rule.
#pragma once

#include <string>
#include <utility>

namespace netloom::catalogue {

struct EntryResult {
  enum class Status {
    Stored,     // the slot now holds `text`
    Unchanged,  // accepted, but nothing to store (the caller formats the value itself, or an
                // option text matched no option)
    Refused,    // the slot keeps its old text; `message` says why
  };

  Status status = Status::Unchanged;
  std::string text;     // Stored: the slot's new text
  std::string message;  // Refused: the message for the user, lines separated by '\n'

  bool accepted() const { return status != Status::Refused; }

  static EntryResult Stored(std::string text) { return {Status::Stored, std::move(text), {}}; }
  static EntryResult Unchanged() { return {Status::Unchanged, {}, {}}; }
  static EntryResult Refused(std::string message) {
    return {Status::Refused, {}, std::move(message)};
  }
};

}  // namespace netloom::catalogue
