// What the UART settings dialog shows and stores, without the dialog.
//
// Built from the listed ports and the record being edited: the record's port is selected with
// its settings, or the first port with the defaults when the record's port is not listed.
// Each port remembers the selections it had when the dialog opened; switching ports shows them
// (selections the user changed are not stored back). UI thread only.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "core/link/serial/uart_settings.h"
#include "gui/model/port_choice.h"

namespace netloom::model {

// Selected entries of the five line-setting boxes, which list the offered choices of
// line_names.h; -1 is no selection.
struct LineSelections {
  int baud = 4;      // "9600"
  int byteSize = 2;  // "8"
  int parity = 0;    // "None"
  int stopBits = 0;  // "1"
  int flow = 0;      // "None"
  bool operator==(const LineSelections&) const = default;
};

class ComSettingModel {
 public:
  ComSettingModel(std::vector<PortChoice> ports, const PortChoice& recordPort,
                  const link::UartSettings& record);

  bool NoPorts() const { return ports_.empty(); }
  const std::vector<PortChoice>& ports() const { return ports_; }
  int selectedPort() const { return selectedPort_; }
  const LineSelections& selections() const { return selections_; }

  // A different port was picked: its remembered selections fill the boxes.
  void SelectPort(int index);
  // The user changed a box.
  void SetSelections(const LineSelections& selections) { selections_ = selections; }
  // OK: writes the selected port and the line settings into the record.
  void Apply(link::UartSettings& record, PortChoice& port) const;

 private:
  std::vector<PortChoice> ports_;
  int selectedPort_ = -1;
  LineSelections selections_;
  std::map<int, LineSelections> remembered_;
};

}  // namespace netloom::model
