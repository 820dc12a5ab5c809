#include "cli/manual_page.h"

#include <ostream>
#include <span>

#include "cli/cli.h"

namespace netloom::cli {
namespace {

struct Entry {
  std::string_view name;
  std::string_view text;
};

constexpr Entry kEnvironment[] = {
    {"NETLOOM_TRACE",
     "Set (to anything but empty or 0), every byte written to and read from the port and every "
     "link failure is logged to standard error."},
    {"XDG_RUNTIME_DIR",
     "Virtual modules publish their links in $XDG_RUNTIME_DIR/netloom, where 'netloom-cli ports' "
     "finds them; without it, in /tmp/netloom-UID."},
};

constexpr Entry kFiles[] = {
    {"/dev/ttyUSB*, /dev/ttyACM*, /dev/serial/by-id/*",
     "The serial ports of USB adapters; the by-id names stay the same when the adapter is "
     "plugged into another socket."},
    {"$XDG_RUNTIME_DIR/netloom/, /tmp/netloom-UID/", "The links of running virtual modules."},
    {"/usr/lib/udev/rules.d/60-netloom.rules",
     "Gives the user at the seat access to the common USB-serial adapters (FTDI, Silicon Labs "
     "CP210x, WCH CH340/CH341, Prolific PL2303) and keeps ModemManager from probing them. "
     "Without it, a port opens only for members of the dialout group."},
};

// "--port P" as a roff tag: the flag bold, its value italic.
std::string FlagTag(const FlagSpec& flag) {
  std::string tag = "\\fB" + RoffText(flag.name) + "\\fR";
  if (flag.takesValue) tag += " \\fI" + RoffText(flag.valueName) + "\\fR";
  if (flag.repeatable) tag += " ...";
  return tag;
}

void Paragraphs(std::ostream& out, const std::string& text) {
  std::size_t start = 0;
  while (start <= text.size()) {
    auto end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    out << ".PP\n" << RoffText(text.substr(start, end - start)) << "\n";
    start = end + 1;
  }
}

void WriteCommandSection(std::ostream& out, const CommandInfo& command) {
  out << ".SS " << RoffText(command.name) << "\n" << RoffText(command.summary) << ".\n";
  for (const auto& line : command.synopsis) {
    out << ".PP\n\\fBnetloom\\-cli\\fR " << RoffText(line) << "\n";
  }
  Paragraphs(out, command.description);
  for (const auto& operand : command.operands) {
    out << ".TP\n\\fI" << RoffText(operand.name) << "\\fR\n" << RoffText(operand.help) << "\n";
  }
  for (const auto& flag : command.flags) {
    out << ".TP\n" << FlagTag(flag) << "\n" << RoffText(flag.help);
    if (!flag.action.empty()) out << " (" << RoffText(flag.action) << " only)";
    out << "\n";
  }
  out << ".TP\n\\fB\\-\\-help\\fR\nprint the command's help\n";
}

void Entries(std::ostream& out, std::string_view section, std::span<const Entry> entries) {
  out << ".SH " << section << "\n";
  for (const auto& entry : entries) {
    out << ".TP\n\\fB" << RoffText(entry.name) << "\\fR\n" << RoffText(entry.text) << "\n";
  }
}

}  // namespace

std::string RoffText(std::string_view text) {
  std::string roff;
  for (const char c : text) {
    if (c == '\\') {
      roff += "\\e";
    } else if (c == '-') {
      roff += "\\-";
    } else {
      if ((c == '.' || c == '\'') && (roff.empty() || roff.back() == '\n')) roff += "\\&";
      roff += c;
      // A JSON example is one long word; a line may break after each of its commas.
      if (c == ',') roff += "\\:";
    }
  }
  return roff;
}

void WriteManualPage(std::ostream& out) {
  out << ".TH NETLOOM\\-CLI 1 \"\" \"netloom\\-cli " << RoffText(NETLOOM_VERSION)
      << "\" \"User Commands\"\n"
         ".ad l\n.nh\n.SH NAME\n"
         "netloom\\-cli \\- manage ZigBee radio modules over a serial port from the command line\n"
         ".SH SYNOPSIS\n"
         "\\fBnetloom\\-cli\\fR \\fIcommand\\fR [\\fIoptions\\fR] [\\fIoperands\\fR]\n"
         ".br\n"
         "\\fBnetloom\\-cli\\fR \\fIcommand\\fR \\fB\\-\\-help\\fR\n"
         ".br\n"
         "\\fBnetloom\\-cli\\fR \\fB\\-\\-help\\fR | \\fB\\-\\-version\\fR\n"
         ".SH DESCRIPTION\n"
         "\\fBnetloom\\-cli\\fR is the headless twin of the desktop program \\fBnetloom\\fR(1). "
         "It drives the same module\\-link code: it walks a network, sends console commands, "
         "reads and writes a module's configuration and identity, uploads firmware, and runs "
         "a virtual module with a demo network for trying all of this without hardware.\n"
         ".PP\n"
         "Results go to standard output, failures and progress to standard error. A flag's "
         "value may follow it as the next argument or after '=' (\\fB\\-\\-port=/dev/ttyUSB0\\fR); "
         "\\fB\\-\\-\\fR ends the options.\n"
         ".SH COMMANDS\n";
  for (const auto& [name, command] : Commands()) WriteCommandSection(out, command);
  out << ".SH \"EXIT STATUS\"\n";
  for (const auto& [status, meaning] : kExitStatuses) {
    out << ".TP\n\\fB" << status << "\\fR\n" << RoffText(meaning) << "\n";
  }
  Entries(out, "ENVIRONMENT", kEnvironment);
  Entries(out, "FILES", kFiles);
  out << ".SH \"SEE ALSO\"\n\\fBnetloom\\fR(1), \\fBudev\\fR(7)\n";
}

}  // namespace netloom::cli
