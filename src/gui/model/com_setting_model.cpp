#include "gui/model/com_setting_model.h"

#include <algorithm>
#include <array>
#include <optional>

#include "core/link/serial/line_names.h"

namespace netloom::model {
namespace {

using link::kOfferedBaudRates;

// The offered choice at `selection`, or nothing when no entry is selected.
template <typename Choice, std::size_t N>
std::optional<Choice> Chosen(const std::array<Choice, N>& choices, int selection) {
  if (selection < 0 || selection >= static_cast<int>(N)) return std::nullopt;
  return choices[static_cast<std::size_t>(selection)];
}

// Byte size and stop bits are placed by arithmetic, not looked up, so that a record's byte size 6
// shows "5" and its one and a half stop bits show "1" rather than nothing.
LineSelections SelectionsOf(const link::UartSettings& record) {
  LineSelections s;
  const auto baud = std::find(kOfferedBaudRates.begin(), kOfferedBaudRates.end(), record.baudRate);
  s.baud =
      baud == kOfferedBaudRates.end() ? -1 : static_cast<int>(baud - kOfferedBaudRates.begin());
  s.byteSize = record.byteSize == 5 ? 0 : record.byteSize - 6;
  s.parity = static_cast<int>(record.parity);
  s.stopBits = static_cast<int>(record.stopBits) / 2;
  s.flow = 0;  // only "None" is offered
  return s;
}

}  // namespace

ComSettingModel::ComSettingModel(std::vector<PortChoice> ports, const PortChoice& recordPort,
                                 const link::UartSettings& record)
    : ports_(std::move(ports)) {
  if (ports_.empty()) return;
  const auto found = std::find_if(ports_.begin(), ports_.end(),
                                  [&](const PortChoice& p) { return p.SamePort(recordPort); });
  if (found != ports_.end()) {
    selectedPort_ = static_cast<int>(found - ports_.begin());
    selections_ = SelectionsOf(record);
    // Byte sizes the dialog does not offer (6, or anything above 8) show no entry.
    if (selections_.byteSize < 0 || selections_.byteSize > 2) selections_.byteSize = -1;
    if (selections_.parity > 4) selections_.parity = -1;
  } else {
    selectedPort_ = 0;
    selections_ = LineSelections{};
  }
  remembered_[selectedPort_] = selections_;
}

void ComSettingModel::SelectPort(int index) {
  if (index < 0 || index >= static_cast<int>(ports_.size())) return;
  selectedPort_ = index;
  const auto it = remembered_.find(index);
  selections_ = it == remembered_.end() ? LineSelections{} : it->second;
}

void ComSettingModel::Apply(link::UartSettings& record, PortChoice& port) const {
  if (selectedPort_ < 0) return;
  port = ports_[static_cast<std::size_t>(selectedPort_)];
  const LineSelections& s = selections_;
  if (const auto baud = Chosen(kOfferedBaudRates, s.baud)) record.baudRate = *baud;
  if (const auto size = Chosen(link::kOfferedByteSizes, s.byteSize)) record.byteSize = *size;
  if (const auto parity = Chosen(link::kParityNames, s.parity)) record.parity = parity->code;
  record.stopBits = Chosen(link::kOfferedStopBits, s.stopBits).value_or(link::StopBits::One);
  record.flowControl = Chosen(link::kFlowNames, s.flow).value_or(link::kFlowNames[0]).code;
}

}  // namespace netloom::model
