// The wizard's last page: Finish writes the requested identity and the module restarts with it;
// a failed write stays on this page (Finish again, or Cancel). UI thread only.
#pragma once

#include <QWizardPage>
#include <string_view>

class QPlainTextEdit;

namespace netloom::tools {

class CWizardSheet;

inline constexpr std::string_view kFinishText =
    "Please press \"Finished\" button to close window\r\n"
    "Then the device will restart with user's setting.\r\nIt takes 5 second to restart.\r\n\r\n"
    "Warning :\r\n"
    "During reset, do not disconnect the module";

class CFinishPage : public QWizardPage {
  Q_OBJECT
 public:
  explicit CFinishPage(CWizardSheet& sheet);
  bool validatePage() override;

  QPlainTextEdit* text() const { return text_; }

 private:
  CWizardSheet& sheet_;
  QPlainTextEdit* text_;
};

}  // namespace netloom::tools
