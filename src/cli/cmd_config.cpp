// netloom-cli config: the Parameters pane's read and write buttons without the pane.
//
// read prints the 51 configuration items as the decode leaves them. write starts from the
// module's image (a read) or the defaults, applies --from and --set, writes the image and with
// --verify reads it back and names every item that differs, so that nobody leaves a module
// half-programmed without knowing it.
#include <algorithm>
#include <cstdio>
#include <ostream>

#include "cli/cli.h"
#include "cli/cli_link.h"
#include "cli/interrupt.h"
#include "cli/module_target.h"
#include "cli/options.h"
#include "core/catalogue/config_items.h"
#include "core/catalogue/config_profile.h"
#include "core/catalogue/value_entry.h"
#include "core/catalogue/value_tables.h"
#include "core/link/config/config_image.h"
#include "core/link/worker/connection.h"

namespace netloom::cli {
namespace {

constexpr const char* kConfigName = "config";
using catalogue::ConfigCatalogue;
using catalogue::ItemLabel;
using catalogue::kItemCount;
using Values = std::vector<std::string>;

// What write is asked to do, checked before the port is opened.
struct WritePlan {
  bool defaults = false;
  bool verify = false;
  std::vector<std::pair<int, std::string>> fromFile;  // item, stored text
  std::vector<std::pair<int, std::string>> sets;      // item, typed text
};

std::optional<std::pair<int, std::string>> ParseSet(const std::string& text, std::string& error) {
  const auto eq = text.find('=');
  if (eq == std::string::npos) {
    error = "bad --set '" + text + "' (NAME=VALUE)";
    return std::nullopt;
  }
  const std::string name = text.substr(0, eq);
  const auto item = catalogue::FindConfigItem(name);
  if (!item) {
    error = "unknown configuration item '" + name + "'";
    return std::nullopt;
  }
  return std::pair{*item, text.substr(eq + 1)};
}

std::optional<WritePlan> ParsePlan(const ParsedArgs& args, std::string& error) {
  WritePlan plan;
  plan.defaults = args.Has("--defaults");
  plan.verify = args.Has("--verify");
  if (const auto from = args.Get("--from")) {
    auto items = catalogue::ReadProfileFile(*from, error);
    if (!items) return std::nullopt;
    plan.fromFile = std::move(*items);
  }
  for (const auto& text : args.All("--set")) {
    auto set = ParseSet(text, error);
    if (!set) return std::nullopt;
    plan.sets.push_back(std::move(*set));
  }
  return plan;
}

void PrintItems(std::ostream& out, const Values& values, bool json) {
  if (json) {
    out << catalogue::ProfileJson(values) << "\n";
    return;
  }
  for (int i = 0; i < kItemCount; ++i) {
    char index[8];
    std::snprintf(index, sizeof index, "%2d", i);
    std::string name(ConfigCatalogue()[static_cast<std::size_t>(i)].name);
    name.resize(std::max<std::size_t>(name.size(), 18), ' ');
    out << index << "  " << name << values[static_cast<std::size_t>(i)] << "\n";
  }
}

// The plan's values in `table`; the exit status when one is refused. The file's read-only and
// per-module items are skipped, and named once on standard error when `tell`.
std::optional<int> ApplyPlan(const WritePlan& plan, catalogue::ConfigValueTable& table,
                             CommandIo& io, bool tell) {
  // Most messages name the item already; the digit messages do not.
  const auto refused = [&](int item, const std::string& message) {
    std::string reason = OneLine(message);
    const auto name = ConfigCatalogue()[static_cast<std::size_t>(item)].name;
    if (reason.rfind(name, 0) != 0) reason = ItemLabel(item) + ": " + reason;
    return UsageError(io, kConfigName, reason);
  };
  const catalogue::ProfileLoad load = catalogue::ApplyProfile(table, plan.fromFile);
  if (!load.refused.empty())
    return refused(load.refused.front().first, load.refused.front().second);
  if (tell && !load.skipped.empty())
    io.err << kConfigName << ": " << catalogue::SkippedItemsText(load.skipped) << "\n";
  for (const auto& [item, text] : plan.sets) {
    const auto entered = catalogue::EnterConfigValue(table, item, text);
    if (!entered.accepted()) return refused(item, entered.message);
  }
  // Nothing goes out that the image cannot carry as it stands.
  catalogue::ConfigValueTable trial;
  trial.Assign(table.Snapshot());
  if (const auto encoded = link::EncodeImage(trial); !encoded.ok()) {
    return UsageError(io, kConfigName, encoded.error);
  }
  return std::nullopt;
}

int RunWrite(CliLink& link, const WritePlan& plan, const std::string& to, CommandIo& io) {
  catalogue::ConfigValueTable& table = link.ConfigValues();
  // A node is read first even for the defaults: nothing is written unless it answers itself.
  if (!plan.defaults || !to.empty()) {
    ShowStep(io, "reading the configuration");
    if (const auto status = TransferConfig(link, link::WorkerCommand::ReadConfig, to, io))
      return *status;
  }
  if (plan.defaults) table.LoadDefaults();
  if (const auto status = ApplyPlan(plan, table, io, true)) return *status;
  ShowStep(io, "writing the configuration");
  if (const auto status = TransferConfig(link, link::WorkerCommand::WriteConfig, to, io))
    return *status;
  if (!plan.verify) return kExitOk;

  const Values wrote = table.Snapshot();
  ShowStep(io, "reading it back");
  if (const auto status = TransferConfig(link, link::WorkerCommand::ReadConfig, to, io))
    return *status;
  if (const std::string differences = catalogue::DescribeDifferences(wrote, table.Snapshot());
      !differences.empty()) {
    link.Fail("verify: " + differences);
    return kExitFailed;
  }
  io.out << "verified: the module holds all " << kItemCount << " items as written\n";
  return kExitOk;
}

int RunConfig(const std::vector<std::string>& args, CommandIo& io) {
  ReadWriteArgs command;
  if (const auto status = ParseReadWrite(kConfigName, args, io, command)) return *status;
  const bool write = command.write;
  const ParsedArgs& parsed = command.parsed;
  const std::string& to = command.to;
  std::string error;
  const auto plan = write ? ParsePlan(parsed, error) : std::optional<WritePlan>(WritePlan{});
  if (!plan) return UsageError(io, kConfigName, error);
  if (write) {
    // Every value is checked before the port is touched, on the defaults; only the key's
    // editability hangs on the module (its SecurityEnable), so the check lets the key be typed.
    catalogue::ConfigValueTable trial;
    trial.LoadDefaults();
    trial.SetKeyEditable("01");
    if (const auto status = ApplyPlan(*plan, trial, io, false)) return *status;
  }

  CliLink link(kConfigName, io, false);
  if (const auto status = link.Open(parsed)) return *status;
  if (!to.empty()) {
    if (const auto status = DirectTo(link, to, io)) return *status;
  }
  int status = kExitOk;
  if (write) {
    status = RunWrite(link, *plan, to, io);
  } else {
    ShowStep(io, "reading the configuration");
    if (const auto failed = TransferConfig(link, link::WorkerCommand::ReadConfig, to, io)) {
      status = *failed;
    } else {
      PrintItems(io.out, link.ConfigValues().Snapshot(), parsed.Has("--json"));
    }
  }
  link.Close();
  return InterruptGuard::Signal() != 0 ? InterruptGuard::ExitStatus() : status;
}

const CommandRegistrar kConfig({
    .name = kConfigName,
    .summary = "read or write a module's configuration",
    .run = RunConfig,
    .synopsis = {"config read --port P [--to ADDR] [--json]",
                 "config write --port P [--to ADDR] [--defaults] [--from FILE] "
                 "[--set NAME=VALUE]... [--verify]"},
    .description = "read prints the module's 51 configuration items: index, name, value.\n"
                   "write starts from the module's image (or the catalogue defaults with "
                   "--defaults), applies the items of FILE (as printed by 'config read --json'; "
                   "read-only items and the module's own, such as MACAddr and SerialNum, are "
                   "skipped and named), then each --set (NAME is an item name or index, VALUE as "
                   "typed into the "
                   "Parameters pane; option items by option text), and writes the image.",
    .flags = ReadWriteFlags(
        {JsonFlag("{\"items\":[{\"index\":0,\"name\":...,\"value\":...}]}", "read"),
         Switch("--defaults", "start from the catalogue defaults instead of the module's image",
                "write"),
         {.name = "--from",
          .valueName = "FILE",
          .help = "apply the items of FILE, a JSON document as 'config read --json' prints it",
          .kind = ValueKind::File,
          .action = "write"},
         {.name = "--set",
          .repeatable = true,
          .valueName = "NAME=VALUE",
          .help = "set one item (NAME: item name or index); may be given many times",
          .action = "write"},
         Switch("--verify", "read the image back and name every item that differs (exit 1)",
                "write")}),
    .operands = {ReadWriteOperand()},
});

}  // namespace
}  // namespace netloom::cli
