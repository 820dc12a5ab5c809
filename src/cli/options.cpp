#include "cli/options.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <ostream>
#include <utility>

#include "cli/cli.h"
#include "core/link/serial/line_names.h"

namespace netloom::cli {
namespace {

// A value a flag may take, as the user types it.
template <typename Code>
struct Choice {
  std::string text;
  Code code;
};

std::vector<Choice<std::uint8_t>> ByteSizeChoices() {
  std::vector<Choice<std::uint8_t>> choices;
  for (const auto size : link::kOfferedByteSizes) choices.push_back({std::to_string(size), size});
  return choices;
}

std::vector<Choice<link::Parity>> ParityChoices() {
  std::vector<Choice<link::Parity>> choices;
  for (const auto& [code, name] : link::kParityNames) {
    std::string text(name);
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    choices.push_back({text, code});
  }
  return choices;
}

std::vector<Choice<link::StopBits>> StopBitChoices() {
  std::vector<Choice<link::StopBits>> choices;
  for (const auto code : link::kOfferedStopBits) {
    choices.push_back({std::string(link::StopBitsText(code)), code});
  }
  return choices;
}

template <typename Code>
std::vector<std::string> Texts(const std::vector<Choice<Code>>& choices) {
  std::vector<std::string> texts;
  for (const auto& choice : choices) texts.push_back(choice.text);
  return texts;
}

// `text` broken into lines of at most `width` characters, every line after the first indented
// by `indent` blanks.
std::string Wrapped(const std::string& text, std::size_t indent, std::size_t width) {
  std::string wrapped;
  std::size_t column = indent;
  std::size_t start = 0;
  while (start < text.size()) {
    auto end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    const auto word = text.substr(start, end - start);
    if (column > indent && column + 1 + word.size() > width) {
      wrapped += "\n" + std::string(indent, ' ');
      column = indent;
    } else if (column > indent) {
      wrapped += ' ';
      ++column;
    }
    wrapped += word;
    column += word.size();
    start = end + 1;
  }
  return wrapped;
}

// Sets `target` from `flag` when given; the error text when its value is none of `choices`, for
// example "bad parity 'x' (none, odd, even, mark or space)".
template <typename Code>
std::optional<std::string> Pick(const ParsedArgs& args, const std::string& flag,
                                const std::string& what, const std::vector<Choice<Code>>& choices,
                                Code& target) {
  const auto given = args.Get(flag);
  if (!given) return std::nullopt;
  std::vector<std::string_view> texts;
  for (const auto& choice : choices) {
    if (choice.text == *given) {
      target = choice.code;
      return std::nullopt;
    }
    texts.push_back(choice.text);
  }
  return "bad " + what + " '" + *given + "' (" + ChoiceList(texts) + ")";
}

}  // namespace

std::optional<std::chrono::seconds> ParseSeconds(const ParsedArgs& args, const std::string& flag,
                                                 std::chrono::seconds fallback, std::string& error,
                                                 bool zeroAllowed) {
  const auto given = args.Get(flag);
  if (!given) return fallback;
  const auto value = ParseUnsigned(*given);
  if (!value || (*value == 0 && !zeroAllowed)) {
    error = "bad " + flag.substr(2) + " '" + *given + "' (seconds)";
    return std::nullopt;
  }
  return std::chrono::seconds(*value);
}

std::optional<std::uint32_t> ParseUnsigned(const std::string& text) {
  std::uint32_t value = 0;
  const auto* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

std::string ChoiceList(std::span<const std::string_view> texts) {
  std::string listed;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (i > 0) listed += i + 1 == texts.size() ? " or " : ", ";
    listed += texts[i];
  }
  return listed;
}

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

std::optional<int> ParseCommandLine(const std::string& command,
                                    const std::vector<std::string>& args, CommandIo& io,
                                    ParsedArgs& out) {
  const CommandInfo& info = Commands().at(command);
  std::vector<FlagSpec> specs = info.flags;
  specs.push_back({"--help", false});
  std::string error;
  auto parsed = ParseArgs(args, specs, error);
  if (!parsed) return UsageError(io, command, error);
  if (parsed->Has("--help")) {
    io.out << HelpText(info);
    return kExitOk;
  }
  out = std::move(*parsed);
  return std::nullopt;
}

std::optional<int> ParseFlagsOnly(const std::string& command, const std::vector<std::string>& args,
                                  CommandIo& io, ParsedArgs& out) {
  if (const auto status = ParseCommandLine(command, args, io, out)) return status;
  if (!out.positional.empty()) {
    return UsageError(io, command, "unexpected argument '" + out.positional.front() + "'");
  }
  return std::nullopt;
}

std::string FlagWithValue(const FlagSpec& flag) {
  return flag.takesValue ? flag.name + " " + flag.valueName : flag.name;
}

std::string HelpText(const CommandInfo& command) {
  constexpr std::size_t kWidth = 100;
  std::string text;
  for (std::size_t i = 0; i < command.synopsis.size(); ++i) {
    text +=
        (i == 0 ? "usage: " : "       ") + std::string("netloom-cli ") + command.synopsis[i] + "\n";
  }
  std::size_t start = 0;
  while (start <= command.description.size()) {
    auto end = command.description.find('\n', start);
    if (end == std::string::npos) end = command.description.size();
    text += Wrapped(command.description.substr(start, end - start), 0, kWidth) + "\n";
    start = end + 1;
  }
  std::size_t column = 0;
  for (const auto& flag : command.flags) column = std::max(column, FlagWithValue(flag).size());
  column += 4;
  for (const auto& flag : command.flags) {
    std::string line = "  " + FlagWithValue(flag);
    line.resize(column, ' ');
    text += line + Wrapped(flag.help, column, kWidth) + "\n";
  }
  return text;
}

FlagSpec Switch(std::string name, std::string help, std::string action) {
  return {.name = std::move(name),
          .takesValue = false,
          .help = std::move(help),
          .kind = ValueKind::None,
          .action = std::move(action)};
}

FlagSpec ChoiceFlag(std::string name, std::string help, std::vector<std::string> choices,
                    std::string action) {
  std::string valueName;
  for (const auto& choice : choices) valueName += (valueName.empty() ? "" : "|") + choice;
  return {.name = std::move(name),
          .valueName = std::move(valueName),
          .help = std::move(help),
          .kind = ValueKind::Choice,
          .choices = std::move(choices),
          .action = std::move(action)};
}

FlagSpec NodeFlag(std::string help) {
  return {.name = "--to", .valueName = "ADDR", .help = std::move(help)};
}

FlagSpec JsonFlag(std::string document, std::string action) {
  return Switch("--json", "print one JSON document: " + document, std::move(action));
}

std::vector<FlagSpec> LineFlags() {
  std::vector<std::string> rates;
  for (const auto rate : link::kOfferedBaudRates) rates.push_back(std::to_string(rate));
  return {
      {.name = "--port",
       .valueName = "P",
       .help = "the serial port: a device path or a port name (see 'netloom-cli ports')",
       .kind = ValueKind::Port},
      {.name = "--baud",
       .valueName = "N",
       .help = "line rate in baud (default 9600; any rate the port takes)",
       .kind = ValueKind::Number,
       .choices = rates},
      ChoiceFlag("--bits", "byte size (default 8)", Texts(ByteSizeChoices())),
      ChoiceFlag("--parity", "parity (default none)", Texts(ParityChoices())),
      ChoiceFlag("--stop", "stop bits (default 1)", Texts(StopBitChoices())),
      {.name = "--log",
       .valueName = "FILE",
       .help = "a session log: every byte on the port, timestamped, written to FILE",
       .kind = ValueKind::File},
  };
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
  auto bad = Pick(args, "--bits", "byte size", ByteSizeChoices(), settings.byteSize);
  if (!bad) bad = Pick(args, "--parity", "parity", ParityChoices(), settings.parity);
  if (!bad) bad = Pick(args, "--stop", "stop bits", StopBitChoices(), settings.stopBits);
  if (bad) {
    error = *bad;
    return std::nullopt;
  }
  return settings;
}

}  // namespace netloom::cli
