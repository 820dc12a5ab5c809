// netloom-cli at: one console command line, as the AT console's Send does, and the reply.
#include <algorithm>
#include <cctype>
#include <charconv>
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/cli.h"
#include "cli/cli_link.h"
#include "cli/module_target.h"
#include "cli/options.h"
#include "core/link/worker/connection.h"

namespace netloom::cli {
namespace {

// The worker's text fields hold at most 255 characters.
constexpr std::size_t kMaxText = 255;
constexpr std::uint32_t kDefaultWaitMs = 1000;
constexpr std::uint32_t kDefaultTimeoutMs = 10000;

struct AtRequest {
  std::string text;  // what goes on the wire
  bool raw = false;
  std::string to;  // empty: the local module
  std::uint32_t waitMs = kDefaultWaitMs;
  std::uint32_t timeoutMs = kDefaultTimeoutMs;
};

// A --wait or --timeout value in milliseconds; nothing and `error` set when it is none.
bool ParseMilliseconds(const ParsedArgs& args, const std::string& flag, std::uint32_t& value,
                       std::string& error) {
  const auto text = args.Get(flag);
  if (!text) return true;
  const char* end = text->data() + text->size();
  const auto [ptr, ec] = std::from_chars(text->data(), end, value);
  if (text->empty() || ec != std::errc() || ptr != end) {
    error = "bad " + flag.substr(2) + " '" + *text + "' (milliseconds)";
    return false;
  }
  return true;
}

std::optional<AtRequest> ParseRequest(const ParsedArgs& args, std::string& error) {
  AtRequest request;
  request.raw = args.Has("--raw");
  for (const auto& word : args.positional) {
    request.text += (request.text.empty() ? "" : " ") + word;
  }
  if (request.text.empty()) {
    error = "no COMMAND given";
    return std::nullopt;
  }
  if (!request.raw) request.text += '\r';
  if (request.text.size() > kMaxText) {
    error = "COMMAND is too long (at most " + std::to_string(kMaxText) + " characters)";
    return std::nullopt;
  }
  if (const auto to = args.Get("--to")) {
    if (!IsNodeAddress(*to)) {
      error = "bad address '" + *to + "' (four hex digits)";
      return std::nullopt;
    }
    if (request.raw) {
      error = "--raw goes to the local module; it takes no --to";
      return std::nullopt;
    }
    request.to = *to;
  }
  if (!ParseMilliseconds(args, "--wait", request.waitMs, error) ||
      !ParseMilliseconds(args, "--timeout", request.timeoutMs, error)) {
    return std::nullopt;
  }
  return request;
}

int RunAt(const std::vector<std::string>& args, CommandIo& io) {
  ParsedArgs parsed;
  if (const auto status = ParseCommandLine("at", args, io, parsed)) return *status;
  std::string error;
  const auto request = ParseRequest(parsed, error);
  if (!request) return UsageError(io, "at", error);

  const bool json = parsed.Has("--json");
  CliLink link("at", io, !json);
  if (const auto status = link.Open(parsed)) return *status;

  const auto failure = SendConsoleLine(link, request->text, request->raw, request->to);
  if (!failure) {
    link.Close();
    return InterruptGuard::ExitStatus();
  }
  if (!failure->empty()) {
    link.Fail(*failure);
    return kExitFailed;
  }
  const bool quiet =
      link.WaitQuiet(std::chrono::milliseconds(request->waitMs), std::chrono::steady_clock::now(),
                     std::chrono::milliseconds(request->timeoutMs));
  link.Close();
  if (!quiet) return InterruptGuard::ExitStatus();
  if (const std::string lost = link.LostText(); !lost.empty()) {
    link.Fail(lost);
    return kExitFailed;
  }
  if (json) {
    // Line noise is not UTF-8: such bytes are replaced rather than refused.
    const nlohmann::ordered_json document{{"sent", request->text}, {"reply", link.Echoed()}};
    io.out << document.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
  }
  return kExitOk;
}

std::vector<FlagSpec> AtFlags() {
  auto flags = LineFlags();
  flags.insert(flags.end(),
               {NodeFlag("send it to node ADDR (four hex digits) through the coordinator"),
                {.name = "--wait",
                 .valueName = "MS",
                 .help = "quiet time in milliseconds that ends the reply (default 1000)",
                 .kind = ValueKind::Number},
                {.name = "--timeout",
                 .valueName = "MS",
                 .help = "longest wait for the reply in all, for a module that keeps talking "
                         "(default 10000)",
                 .kind = ValueKind::Number},
                Switch("--raw", "send COMMAND unchanged, nothing appended, no remote set-up"),
                JsonFlag("{\"sent\":\"...\",\"reply\":\"...\"}")});
  return flags;
}

const CommandRegistrar kAt({
    .name = "at",
    .summary = "send one console command line",
    .run = RunAt,
    .synopsis = {"at --port P [--to ADDR] [--wait MS] [--timeout MS] [--raw] [--json] [--] "
                 "COMMAND"},
    .description = "Sends one console command line (a CR is appended) and prints the module's "
                   "reply as it arrives, until the line has been quiet for MS milliseconds. "
                   "\"--\" ends the options: COMMAND may start with \"--\" (at --raw -- ---).",
    .flags = AtFlags(),
    .operands = {{.name = "COMMAND",
                  .help = "the command line as typed into the AT console, for example ATINFO"}},
});

}  // namespace
}  // namespace netloom::cli
