#include "core/catalogue/command_line.h"

#include <ctime>
#include <vector>

#include "core/catalogue/at_commands.h"
#include "core/catalogue/parameter_kinds.h"

namespace netloom::catalogue {
namespace {

CommandLine Line(std::string line) {
  if (line.size() > kMaxLineLength) {
    return {CommandLine::Status::Refused, {}, std::string(kLineTooLongMessage)};
  }
  return {CommandLine::Status::Line, std::move(line), {}};
}

CommandLine Refused(std::string message) {
  return {CommandLine::Status::Refused, {}, std::move(message)};
}

}  // namespace

void ResetCommandSlots(KindValueTable& values, int command) {
  if (command == kSendMessage) values.Clear(kDataKind);
  if (command < 0 || command >= kCommandCount) return;
  for (std::int32_t kind : AtCommands()[static_cast<std::size_t>(command)].Kinds()) {
    if (std::optional<std::string> initial = InitialKindText(kind)) values.Set(kind, *initial);
  }
}

CommandLine ComposeCommandLine(int command, const KindValueTable& values) {
  if (command == kNoCommand) return {};
  if (command == kSendMessage) return Line(values.Get(kDataKind));
  if (command == kExitPlus) return Line("+++");
  if (command == kExitMinus) return Line("---");
  if (command < 0 || command >= kCommandCount) return Refused("No such command");
  const AtCommandEntry& entry = AtCommands()[static_cast<std::size_t>(command)];
  const std::vector<std::string> slots = values.Snapshot();
  std::string line = TreeText(command);
  for (std::int32_t kind : entry.Kinds()) {
    line += ' ';
    if (kind == kSregTypeKind) line += 'S';
    line += slots[static_cast<std::size_t>(kind)];
  }
  line += '\r';
  return Line(std::move(line));
}

CivilTime LocalNow() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

EntryResult RtcArgument(const RtcBlock& rtc, const CivilTime& now) {
  if (!rtc.modify) return EntryResult::Stored({});
  CivilTime date = rtc.systemTime ? now : rtc.date;
  const CivilTime& time = rtc.systemTime ? now : rtc.time;
  int year = date.year - 2000;
  if (!rtc.systemTime && (year < 0 || year > 99)) {
    return EntryResult::Refused(std::string(kYearErrorMessage));
  }
  return EntryResult::Stored(std::to_string(year) + ' ' + std::to_string(date.month) + ' ' +
                             std::to_string(date.day) + ' ' + std::to_string(time.hour) + ' ' +
                             std::to_string(time.minute) + ' ' + std::to_string(time.second));
}

CommandLine ComposeSend(int command, KindValueTable& values, const RtcBlock& rtc,
                        const CivilTime& now) {
  if (command == kRtcCommand) {
    EntryResult argument = RtcArgument(rtc, now);
    if (argument.accepted()) argument = values.Set(kRtcKind, argument.text);
    if (!argument.accepted()) return Refused(std::move(argument.message));
  }
  return ComposeCommandLine(command, values);
}

}  // namespace netloom::catalogue
