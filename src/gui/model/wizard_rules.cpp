#include "gui/model/wizard_rules.h"

#include <cctype>

#include "core/link/identity/identity_reply.h"
#include "core/link/worker/link_session.h"

namespace netloom::model {
namespace {

constexpr std::size_t kPanIdDigits = 4;
constexpr std::int32_t kStarMode = 4;

bool IsHexDigit(char c) {
  return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

}  // namespace

link::ModuleIdentity DefaultWizardIdentity() {
  return {1, kFirstChannel, 0x1234, 0, 0, "Device001"};
}

std::string IdentityTargetName(std::string_view target, std::string_view portName) {
  if (link::IsNoAddress(target)) return "local module on " + std::string(portName);
  return "node " + std::string(target) + " through the coordinator";
}

int StartModeEntry(std::int32_t startMode) {
  if (startMode == 1) return 1;
  return startMode >= kStarMode ? 2 : 0;
}

std::int32_t StartModeOfEntry(int entry) {
  if (entry == 2) return kStarMode;
  return entry == 1 ? 1 : 0;
}

std::vector<std::string> ChannelEntries() {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::vector<std::string> entries;
  for (std::int32_t channel = kFirstChannel; channel <= 0x1A; ++channel) {
    std::string entry;
    if (channel >= 16) entry += kDigits[channel / 16];
    entry += kDigits[channel % 16];
    entries.push_back(entry);
  }
  return entries;
}

int DeviceTypeButton(std::int32_t deviceType) {
  return deviceType >= 0 && deviceType <= 2 ? deviceType : -1;
}

FieldCheck CheckPanIdText(std::string_view text) {
  FieldCheck check;
  const bool lengthFailed = text.size() != kPanIdDigits;
  if (lengthFailed) check.messages.push_back(kPanIdLengthMessage);
  for (std::size_t i = 0; i < kPanIdDigits; ++i) {
    if (i >= text.size() || !IsHexDigit(text[i])) {
      check.messages.push_back(kPanIdDigitMessage);
      check.refocus = true;
      return check;
    }
  }
  check.refocus = lengthFailed;
  return check;
}

FieldCheck CheckDeviceNameText(std::string_view text) {
  FieldCheck check;
  if (text.size() > link::kMaxDeviceNameLength) check.messages.push_back(kNameTooLongMessage);
  if (text.empty()) check.messages.push_back(kNameEmptyMessage);
  if (text.find(' ') != std::string_view::npos) check.messages.push_back(kNameSpaceMessage);
  check.refocus = !check.messages.empty();
  return check;
}

std::int32_t PanIdOf(std::string_view text) {
  std::int32_t value = 0;
  for (std::size_t i = 0; i < kPanIdDigits && i < text.size(); ++i) {
    const char c = text[i];
    const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : (c & ~0x20) - 55;
    value = value * 16 + digit;
  }
  return value;
}

bool PanIdUsable(std::string_view text) {
  if (text.size() < kPanIdDigits) return false;
  for (std::size_t i = 0; i < kPanIdDigits; ++i)
    if (!IsHexDigit(text[i])) return false;
  return true;
}

}  // namespace netloom::model
