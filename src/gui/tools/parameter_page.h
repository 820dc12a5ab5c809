// The wizard's Parameter page: start mode, channel, PAN ID and device name. It shows the
// module's values the first time it is shown; the PAN ID and device name edits are checked when
// they lose the focus (the message, and the focus back into the edit); Next stores the values.
// The device name is the module's bytes, one character each: left as it was it goes back byte
// for byte; typed characters beyond 7-bit ASCII are refused. UI thread only.
#pragma once

#include <QWizardPage>
#include <string>
#include <string_view>

#include "core/catalogue/entry_result.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace netloom::model {
struct FieldCheck;
}

namespace netloom::tools {

class CWizardSheet;

class CParameterPage : public QWizardPage {
  Q_OBJECT
 public:
  explicit CParameterPage(CWizardSheet& sheet);
  void initializePage() override;
  bool validatePage() override;

  QComboBox* startModeBox() const { return startModeBox_; }
  QComboBox* channelBox() const { return channelBox_; }
  QLineEdit* panIdEdit() const { return panIdEdit_; }
  QLineEdit* deviceNameEdit() const { return deviceNameEdit_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The device name edit's text as the bytes the module gets, or why it cannot have them.
  catalogue::EntryResult DeviceName() const;
  // The focus-out check of `edit`.
  void CheckEdit(QLineEdit* edit);
  // Shows the check's messages and puts the focus back into `edit` when it says so.
  void Report(const model::FieldCheck& check, QLineEdit* edit);

  CWizardSheet& sheet_;
  QPlainTextEdit* help_;
  QComboBox* startModeBox_;
  QComboBox* channelBox_;
  QLineEdit* panIdEdit_;
  QLineEdit* deviceNameEdit_;
  std::string moduleName_;  // the device name the edit was filled with, as the module gave it
  QLineEdit* pendingCheck_ = nullptr;  // lost the focus; its check is queued
  bool checking_ = false;  // a check's message box is up: its own focus changes are not checked
};

}  // namespace netloom::tools
