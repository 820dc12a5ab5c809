// The wizard's Type page: coordinator, router or end device, each explained. It shows the
// module's device type the first time it is shown; Next stores the choice. UI thread only.
#pragma once

#include <QWizardPage>
#include <array>

class QRadioButton;

namespace netloom::tools {

class CWizardSheet;

class CTypePage : public QWizardPage {
  Q_OBJECT
 public:
  explicit CTypePage(CWizardSheet& sheet);
  void initializePage() override;
  bool validatePage() override;

  // 0 "Coordinator", 1 "Router", 2 "EndDevice".
  QRadioButton* typeButton(int type) const { return buttons_[static_cast<std::size_t>(type)]; }

 private:
  CWizardSheet& sheet_;
  std::array<QRadioButton*, 3> buttons_{};
};

}  // namespace netloom::tools
