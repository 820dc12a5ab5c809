// The wizard's first page: what the wizard does; Next reads the module's identity and moves on
// only when the read succeeded. UI thread only.
#pragma once

#include <QWizardPage>
#include <string_view>

class QPlainTextEdit;

namespace netloom::tools {

class CWizardSheet;

inline constexpr std::string_view kWelcomeText =
    "Welcome to \"Console Wizard\" !!\r\n"
    "This wizard only needs several steps to setup the zigbee module.\r\n"
    "It can setup the basic module fastly and become any type of zigbee device.\r\n\r\n"
    "Before using : \r\nPlease make sure the device has already been connected to the "
    "computer.\r\n\r\n"
    "If have any problems :\r\nPlease check the user manual or contact our technical support !!";

class CWelcomePage : public QWizardPage {
  Q_OBJECT
 public:
  explicit CWelcomePage(CWizardSheet& sheet);
  bool validatePage() override;

  QPlainTextEdit* text() const { return text_; }

 private:
  CWizardSheet& sheet_;
  QPlainTextEdit* text_;
};

}  // namespace netloom::tools
