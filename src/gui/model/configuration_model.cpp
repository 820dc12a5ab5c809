#include "gui/model/configuration_model.h"

#include <algorithm>
#include <utility>

#include "core/catalogue/config_items.h"
#include "core/catalogue/config_profile.h"
#include "gui/model/connection_controller.h"

namespace netloom::model {
namespace {

// A module's own identity: what a write never takes from the defaults or from another module.
constexpr int kSerialNumItem = 49;
constexpr int kOwnItems[] = {catalogue::kMacAddrItem, kSerialNumItem};

std::vector<std::string> Defaults() {
  catalogue::ConfigValueTable table;
  table.LoadDefaults();
  return table.Snapshot();
}

}  // namespace

std::string ComparisonText(const std::vector<int>& differing, std::string_view other) {
  const std::string with(other);
  if (differing.empty()) return "The grid and the " + with + " hold the same values.";
  std::string labels;
  for (int item : differing) labels += (labels.empty() ? "" : ", ") + catalogue::ItemLabel(item);
  return std::to_string(differing.size()) +
         (differing.size() == 1 ? " item differs" : " items differ") + " from the " + with + ": " +
         labels;
}

ConfigurationModel::ConfigurationModel() {
  Reset();
}

void ConfigurationModel::Attach(ConnectionController& controller) {
  controller_ = &controller;
  controller.AddObserver(*this);
}

void ConfigurationModel::Detach() {
  if (controller_) controller_->RemoveObserver(*this);
  controller_ = nullptr;
  pending_ = Pending::None;
}

void ConfigurationModel::AddObserver(ConfigurationObserver& observer) {
  observers_.push_back(&observer);
}

void ConfigurationModel::RemoveObserver(ConfigurationObserver& observer) {
  std::erase(observers_, &observer);
}

std::vector<int> ConfigurationModel::EditedItems() const {
  const std::vector<std::string> values = values_.Snapshot();
  std::vector<int> items;
  for (const catalogue::ConfigGroup& group : catalogue::ConfigGroups())
    for (int item : group.items)
      if (values[static_cast<std::size_t>(item)] != unedited_[static_cast<std::size_t>(item)])
        items.push_back(item);
  std::sort(items.begin(), items.end());
  return items;
}

void ConfigurationModel::Reset() {
  values_.LoadDefaults();
  values_.SetKeyEditable(values_.Get(catalogue::kSecurityEnableItem));
  unedited_ = values_.Snapshot();
  source_.reset();
  pending_ = Pending::None;
  Show();
}

void ConfigurationModel::MarkUnedited() {
  unedited_ = values_.Snapshot();
}

void ConfigurationModel::LoadDefaults() {
  std::vector<std::string> values = Defaults();
  for (int item : kOwnItems) values[static_cast<std::size_t>(item)] = values_.Get(item);
  values_.Assign(values);
}

ConfigSource ConfigurationModel::Target() const {
  return {controller_->port().name, controller_->parametersTarget()};
}

void ConfigurationModel::Start(Pending pending, bool write) {
  pending_ = pending;
  transferTarget_ = Target();
  if (write)
    controller_->WriteConfig();
  else
    controller_->ReadConfig();
}

void ConfigurationModel::Read() {
  if (controller_) Start(Pending::Read, false);
}

std::string ConfigurationModel::WriteQuestion() const {
  if (!controller_) return {};
  const ConfigSource target = Target();
  if (source_ && source_->SameModule(target)) return {};
  const std::string to = DescribeTarget(target.target, target.port);
  const std::string from =
      source_ ? "The values in the grid were read from " +
                    DescribeTarget(source_->target, source_->port) + ", not from " + to + "."
              : "Nothing was read from " + to + ": the grid holds the default values.";
  return from + "\nWrite them to " + to +
         "? Its own MACAddr and SerialNum are read first and kept unless you edited them.";
}

void ConfigurationModel::Write(bool verify) {
  if (!controller_) return;
  kept_ = values_.Snapshot();
  if (!WriteQuestion().empty()) {
    verify_ = verify;
    return Start(Pending::ReadBeforeWrite, false);
  }
  Start(verify ? Pending::VerifyWrite : Pending::Write, true);
}

void ConfigurationModel::CompareWithModule() {
  if (!controller_) return;
  kept_ = values_.Snapshot();
  Start(Pending::CompareRead, false);
}

void ConfigurationModel::ConfigTransferEnded(bool write, bool succeeded) {
  const Pending pending = std::exchange(pending_, Pending::None);
  if (!write) return ReadEnded(pending, succeeded);
  if (!succeeded) return;
  unedited_ = values_.Snapshot();  // the module holds them
  source_ = transferTarget_;
  Show();
  if (pending != Pending::VerifyWrite) return;
  controller_->Announce("Verify: reading the configuration back");
  Start(Pending::VerifyRead, false);
}

void ConfigurationModel::ReadEnded(Pending pending, bool succeeded) {
  const std::vector<std::string> module = values_.Snapshot();
  switch (pending) {
    case Pending::VerifyRead: {
      if (!succeeded) {
        const std::string text = "Verify: the configuration could not be read back.";
        controller_->Announce(text);
        return Report({text, {}});
      }
      TakeRead(module);
      const std::vector<int> differing = catalogue::DifferingItems(kept_, module);
      const std::string text =
          differing.empty() ? "Verify: the module holds all " +
                                  std::to_string(catalogue::kItemCount) + " items as written."
                            : "Verify: " + catalogue::DescribeDifferences(kept_, module);
      controller_->Announce(text);
      return Report({text, differing});
    }
    case Pending::CompareRead: {
      if (!succeeded) return;
      // The module's values become the unedited ones; the grid keeps its own.
      values_.Assign(kept_);
      values_.SetKeyEditable(values_.Get(catalogue::kSecurityEnableItem));
      TakeRead(module);
      const std::vector<int> differing = catalogue::DifferingItems(kept_, module);
      return Report({ComparisonText(differing, "module"), differing});
    }
    case Pending::ReadBeforeWrite: {
      std::vector<std::string> values = kept_;
      if (!succeeded) {
        values_.Assign(values);
        values_.SetKeyEditable(values_.Get(catalogue::kSecurityEnableItem));
        Show();
        controller_->Announce("Nothing was written: the module's own values could not be read.");
        return;
      }
      // The module keeps its identity unless the user typed another.
      for (int item : kOwnItems) {
        const auto slot = static_cast<std::size_t>(item);
        if (kept_[slot] == unedited_[slot]) values[slot] = module[slot];
      }
      values_.Assign(values);
      values_.SetKeyEditable(values_.Get(catalogue::kSecurityEnableItem));
      TakeRead(module);
      kept_ = values_.Snapshot();
      return Start(verify_ ? Pending::VerifyWrite : Pending::Write, true);
    }
    case Pending::None:  // a read the model did not start: from where the pane points now
      transferTarget_ = Target();
      [[fallthrough]];
    case Pending::Read:
    case Pending::Write:
    case Pending::VerifyWrite:
      if (succeeded) TakeRead(module);
      return;
  }
}

void ConfigurationModel::TakeRead(std::vector<std::string> module) {
  unedited_ = std::move(module);
  source_ = transferTarget_;
  Show();
}

void ConfigurationModel::Show() {
  const auto observers = observers_;
  for (ConfigurationObserver* observer : observers) observer->ConfigurationShown();
}

void ConfigurationModel::Report(const ConfigReport& report) {
  const auto observers = observers_;
  for (ConfigurationObserver* observer : observers) observer->ConfigurationReported(report);
}

}  // namespace netloom::model
