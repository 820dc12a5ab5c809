// Console command composition: the exact bytes the AT console's Send hands to the link worker
// for the current command, built from the KindValueTable.
//
// Lines: command 0..55 gives "AT" + name, then for each parameter kind one space, "S" before a
// "SREG Type" value, and the kind's slot text (empty slots give empty arguments), then CR (no
// LF); 57 "Send Message" gives slot 6 unchanged, 58 "+++", 59 "---", all three without CR; 56
// (NoCommand) gives nothing. A line is at most 255 bytes; a longer one is refused, not cut.
//
// Threads: composition reads the table through one snapshot; call from the UI thread (it owns
// the console's slots), or from any thread on a table of its own.
#pragma once

#include <string>
#include <string_view>

#include "core/catalogue/entry_result.h"
#include "core/catalogue/value_tables.h"

namespace netloom::catalogue {

inline constexpr std::size_t kMaxLineLength = 255;
inline constexpr std::string_view kYearErrorMessage = "Year Error!\n(2000~2099)";
inline constexpr std::string_view kLineTooLongMessage =
    "Command line too long!\n(at most 255 characters)";

struct CommandLine {
  enum class Status {
    Line,     // `line` is to be sent
    Nothing,  // NoCommand: nothing is sent, nothing is said
    Refused,  // nothing is sent; `message` is for the user
  };
  Status status = Status::Nothing;
  std::string line;
  std::string message;
};

// The slot side of building the console grid for `command`: each of its kinds gets its initial
// text (InitialKindText; the RTC slot keeps its text), and "Send Message" empties slot 6.
void ResetCommandSlots(KindValueTable& values, int command);

// The line for command `command` (0..59) from the slots of `values`.
CommandLine ComposeCommandLine(int command, const KindValueTable& values);

// A calendar date and time of day, local time.
struct CivilTime {
  int year = 2000;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
};

CivilTime LocalNow();

// The RTC block of the console grid as Send reads it.
struct RtcBlock {
  bool modify = false;      // "RTC Mode" is "Modify" (false: "Display")
  bool systemTime = false;  // "System Time" is checked
  CivilTime date;           // the "Date" row; its date is used
  CivilTime time;           // the "Time" row; its time of day is used
};

// The RTC argument (slot 26) for Send: empty in "Display" mode; else "%d %d %d %d %d %d" of
// year - 2000, month, day, hour, minute, second, from `now` when "System Time" is checked
// (year unchecked), else from the date and time rows, whose year must lie in 2000..2099
// (refused with kYearErrorMessage otherwise).
EntryResult RtcArgument(const RtcBlock& rtc, const CivilTime& now);

// The Send action: for "RTC" (46) first puts RtcArgument into slot 26 (a refused year leaves the
// slot as it was and sends nothing), then composes the current command.
CommandLine ComposeSend(int command, KindValueTable& values, const RtcBlock& rtc,
                        const CivilTime& now);

}  // namespace netloom::catalogue
