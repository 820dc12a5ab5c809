#include "core/catalogue/value_tables.h"

#include <algorithm>

namespace netloom::catalogue {
namespace detail {

std::string TextSlots::Get(int slot) const {
  std::lock_guard lock(mutex_);
  return InRange(slot) ? values_[static_cast<std::size_t>(slot)] : std::string();
}

EntryResult TextSlots::Set(int slot, std::string_view text) {
  if (!InRange(slot)) return EntryResult::Refused("No such value slot");
  if (text.size() > kMaxValueLength) return EntryResult::Refused(std::string(kValueTooLongMessage));
  std::lock_guard lock(mutex_);
  values_[static_cast<std::size_t>(slot)] = text;
  return EntryResult::Stored(std::string(text));
}

void TextSlots::Clear(int slot) {
  std::lock_guard lock(mutex_);
  if (InRange(slot)) values_[static_cast<std::size_t>(slot)].clear();
}

std::vector<std::string> TextSlots::Snapshot() const {
  std::lock_guard lock(mutex_);
  return values_;
}

EntryResult TextSlots::Assign(const std::vector<std::string>& values) {
  if (values.size() != count_) return EntryResult::Refused("Wrong number of values");
  bool tooLong = std::any_of(values.begin(), values.end(),
                             [](const std::string& text) { return text.size() > kMaxValueLength; });
  if (tooLong) return EntryResult::Refused(std::string(kValueTooLongMessage));
  std::lock_guard lock(mutex_);
  values_ = values;
  return EntryResult::Stored({});
}

}  // namespace detail

void ConfigValueTable::LoadDefaults() {
  std::lock_guard lock(mutex_);
  for (int i = 0; i < kItemCount; ++i) {
    values_[static_cast<std::size_t>(i)] =
        ConfigCatalogue()[static_cast<std::size_t>(i)].defaultValue;
  }
}

void ConfigValueTable::SetKeyEditable(std::string_view securityValue) {
  bool off = securityValue.size() == 2 && securityValue[0] == '0' && securityValue[1] == '0';
  std::lock_guard lock(mutex_);
  keyEditable_ = !off;
}

bool ConfigValueTable::ItemEnabled(int item) const {
  if (!InRange(item)) return false;
  if (item == kNetworkKeyItem) {
    std::lock_guard lock(mutex_);
    return keyEditable_;
  }
  return ConfigCatalogue()[static_cast<std::size_t>(item)].enabled;
}

KindValueTable& GlobalKindValues() {
  static KindValueTable table;
  return table;
}

}  // namespace netloom::catalogue
