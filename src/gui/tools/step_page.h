// A wizard page that explains a step in a read-only text, names the module the step is for, and
// runs the step when the user moves on (Next, or Finish on the last page); a failed step keeps
// the page. The wizard's Welcome page (the identity read) and Finish page (the identity write)
// are two of them. UI thread only.
#pragma once

#include <QWizardPage>
#include <functional>
#include <string_view>

class QLabel;
class QPlainTextEdit;

namespace netloom::tools {

class CStepPage : public QWizardPage {
  Q_OBJECT
 public:
  // `step` returns whether the wizard may move on. The text is named "<title> text".
  CStepPage(const QString& title, std::string_view text, std::function<bool()> step);
  bool validatePage() override;
  // The line that names the module the step is for ("Module: node 1A2B through the
  // coordinator").
  void ShowTarget(const QString& name);

  QPlainTextEdit* text() const { return text_; }
  QLabel* target() const { return target_; }

 private:
  std::function<bool()> step_;
  QPlainTextEdit* text_;
  QLabel* target_;
};

}  // namespace netloom::tools
