// The UART settings dialog ("UART"): chooses the port and the line settings of a connection.
//
// Run it on a record and the port it names; OK rewrites both, Cancel leaves them. A typed device
// path (a port the list misses) is taken as well, and so is a network port name, which the list
// then offers among the recent network ports. UI thread only.
#pragma once

#include <QDialog>
#include <memory>

#include "core/link/serial/uart_settings.h"
#include "gui/model/com_setting_model.h"

class QComboBox;

namespace netloom::tools {

class CComSetting : public QDialog {
  Q_OBJECT
 public:
  // `ports` is the list to offer (ListPortChoices() in the product).
  CComSetting(link::UartSettings& record, model::PortChoice& port,
              std::vector<model::PortChoice> ports, QWidget* parent = nullptr);

  // Runs the dialog modally; Accepted when the record was rewritten. With nothing to list it
  // tells the user "Can't find COM port\r\n" and returns Rejected.
  int Run();

  QComboBox* portBox() const { return portBox_; }
  QComboBox* baudBox() const { return baudBox_; }
  QComboBox* byteSizeBox() const { return byteSizeBox_; }
  QComboBox* parityBox() const { return parityBox_; }
  QComboBox* stopBitsBox() const { return stopBitsBox_; }
  QComboBox* flowBox() const { return flowBox_; }
  const model::ComSettingModel& model() const { return model_; }

  void accept() override;

 private:
  void ShowSelections();
  model::LineSelections ReadSelections() const;
  void OnPortChanged(int index);

  link::UartSettings& record_;
  model::PortChoice& port_;
  model::ComSettingModel model_;
  QComboBox* portBox_;
  QComboBox* baudBox_;
  QComboBox* byteSizeBox_;
  QComboBox* parityBox_;
  QComboBox* stopBitsBox_;
  QComboBox* flowBox_;
};

}  // namespace netloom::tools
