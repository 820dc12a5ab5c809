#include "gui/tools/step_page.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <utility>

#include "gui/tools/wizard_text_edit.h"

namespace netloom::tools {

CStepPage::CStepPage(const QString& title, std::string_view text, std::function<bool()> step)
    : step_(std::move(step)), text_(WizardTextEdit(this, text, title + QStringLiteral(" text"))) {
  setTitle(title);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_);
}

bool CStepPage::validatePage() {
  return step_();
}

}  // namespace netloom::tools
