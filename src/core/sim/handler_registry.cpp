#include "core/sim/handler_registry.h"

#include <cctype>

namespace netloom::sim {

SimCommand ParseCommand(std::string_view line) {
  SimCommand command;
  command.line = std::string(line);
  std::vector<std::string> words;
  std::string current;
  for (const char c : line) {
    if (c == ' ' || c == '\t') {
      if (!current.empty()) words.push_back(std::move(current));
      current.clear();
    } else {
      current.push_back(c);
    }
  }
  if (!current.empty()) words.push_back(std::move(current));
  if (words.empty()) return command;

  command.word = words.front();
  const bool isAt = command.word.size() > 2 && std::toupper(command.word[0]) == 'A' &&
                    std::toupper(command.word[1]) == 'T';
  if (isAt) {
    command.word.erase(0, 2);
    for (char& c : command.word) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  command.args.assign(words.begin() + 1, words.end());
  return command;
}

void HandlerRegistry::Add(std::string word, SimHandler handler) {
  handlers_[std::move(word)] = std::move(handler);
}

const SimHandler* HandlerRegistry::Find(const std::string& word) const {
  const auto found = handlers_.find(word);
  return found == handlers_.end() ? nullptr : &found->second;
}

}  // namespace netloom::sim
