#include "gui/model/com_setting_model.h"

#include <algorithm>

namespace netloom::model {
namespace {

LineSelections SelectionsOf(const link::UartSettings& record) {
  LineSelections s;
  const auto baud = std::find(kBaudTable.begin(), kBaudTable.end(), record.baudRate);
  s.baud = baud == kBaudTable.end() ? -1 : static_cast<int>(baud - kBaudTable.begin());
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
  if (selections_.baud >= 0)
    record.baudRate = kBaudTable[static_cast<std::size_t>(selections_.baud)];
  if (selections_.byteSize >= 0)
    record.byteSize =
        static_cast<std::uint8_t>(selections_.byteSize == 0 ? 5 : selections_.byteSize + 6);
  if (selections_.parity >= 0) record.parity = static_cast<link::Parity>(selections_.parity);
  record.stopBits = static_cast<link::StopBits>(std::max(selections_.stopBits, 0) * 2);
  record.flowControl = static_cast<link::FlowControl>(std::max(selections_.flow, 0));
}

}  // namespace netloom::model
