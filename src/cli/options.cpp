#include "cli/options.h"

#include <algorithm>
#include <charconv>
#include <ostream>
#include <utility>

namespace netloom::cli {
namespace {

std::optional<std::uint32_t> ParseUnsigned(const std::string& text) {
  std::uint32_t value = 0;
  const auto* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

}  // namespace

std::optional<std::string> ParsedArgs::Get(const std::string& flag) const {
  const auto found = values.find(flag);
  if (found == values.end() || found->second.empty()) return std::nullopt;
  return found->second.back();
}

const std::vector<std::string>& ParsedArgs::All(const std::string& flag) const {
  static const std::vector<std::string> kNone;
  const auto found = values.find(flag);
  return found == values.end() ? kNone : found->second;
}

std::optional<ParsedArgs> ParseArgs(const std::vector<std::string>& args,
                                    const std::vector<FlagSpec>& specs, std::string& error) {
  ParsedArgs parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--") {  // the options end: what follows is taken as it stands
      parsed.positional.insert(parsed.positional.end(), args.begin() + i + 1, args.end());
      break;
    }
    if (arg.size() < 2 || arg.rfind("--", 0) != 0) {
      parsed.positional.push_back(arg);
      continue;
    }
    std::string name = arg;
    std::optional<std::string> inlineValue;
    if (const auto eq = arg.find('='); eq != std::string::npos) {
      name = arg.substr(0, eq);
      inlineValue = arg.substr(eq + 1);
    }
    const auto spec =
        std::find_if(specs.begin(), specs.end(), [&](const FlagSpec& s) { return s.name == name; });
    if (spec == specs.end()) {
      error = "unknown option '" + name + "'";
      return std::nullopt;
    }
    std::string value;
    if (spec->takesValue) {
      if (inlineValue) {
        value = *inlineValue;
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        error = "option '" + name + "' needs a value";
        return std::nullopt;
      }
    } else if (inlineValue) {
      error = "option '" + name + "' takes no value";
      return std::nullopt;
    }
    auto& slot = parsed.values[name];
    if (!slot.empty() && !spec->repeatable && spec->takesValue) {
      error = "option '" + name + "' given twice";
      return std::nullopt;
    }
    slot.push_back(value);
  }
  return parsed;
}

std::optional<int> ParseCommandLine(const std::string& command, const char* usage,
                                    const std::vector<std::string>& args,
                                    std::vector<FlagSpec> specs, CommandIo& io, ParsedArgs& out) {
  specs.push_back({"--help", false});
  std::string error;
  auto parsed = ParseArgs(args, specs, error);
  if (!parsed) return UsageError(io, command, error);
  if (parsed->Has("--help")) {
    io.out << usage;
    return kExitOk;
  }
  out = std::move(*parsed);
  return std::nullopt;
}

std::optional<int> ParseFlagsOnly(const std::string& command, const char* usage,
                                  const std::vector<std::string>& args, std::vector<FlagSpec> specs,
                                  CommandIo& io, ParsedArgs& out) {
  if (const auto status = ParseCommandLine(command, usage, args, std::move(specs), io, out)) {
    return status;
  }
  if (!out.positional.empty()) {
    return UsageError(io, command, "unexpected argument '" + out.positional.front() + "'");
  }
  return std::nullopt;
}

std::vector<FlagSpec> LineFlags() {
  return {{"--port"}, {"--baud"}, {"--bits"}, {"--parity"}, {"--stop"}};
}

std::optional<link::UartSettings> ParseLineSettings(const ParsedArgs& args, std::string& error) {
  link::UartSettings settings;
  if (const auto baud = args.Get("--baud")) {
    const auto value = ParseUnsigned(*baud);
    if (!value || *value == 0) {
      error = "bad baud rate '" + *baud + "'";
      return std::nullopt;
    }
    settings.baudRate = *value;
  }
  if (const auto bits = args.Get("--bits")) {
    if (*bits != "5" && *bits != "7" && *bits != "8") {
      error = "bad byte size '" + *bits + "' (5, 7 or 8)";
      return std::nullopt;
    }
    settings.byteSize = static_cast<std::uint8_t>(std::stoi(*bits));
  }
  if (const auto parity = args.Get("--parity")) {
    static const std::map<std::string, link::Parity> kParities = {{"none", link::Parity::None},
                                                                  {"odd", link::Parity::Odd},
                                                                  {"even", link::Parity::Even},
                                                                  {"mark", link::Parity::Mark},
                                                                  {"space", link::Parity::Space}};
    const auto found = kParities.find(*parity);
    if (found == kParities.end()) {
      error = "bad parity '" + *parity + "' (none, odd, even, mark or space)";
      return std::nullopt;
    }
    settings.parity = found->second;
  }
  if (const auto stop = args.Get("--stop")) {
    if (*stop != "1" && *stop != "2") {
      error = "bad stop bits '" + *stop + "' (1 or 2)";
      return std::nullopt;
    }
    settings.stopBits = *stop == "1" ? link::StopBits::One : link::StopBits::Two;
  }
  return settings;
}

}  // namespace netloom::cli
