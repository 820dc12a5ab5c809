#include "gui/tools/step_page.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <utility>

#include "gui/tools/wizard_text_edit.h"

namespace netloom::tools {

CStepPage::CStepPage(const QString& title, std::string_view text, std::function<bool()> step)
    : step_(std::move(step)),
      text_(WizardTextEdit(this, text, title + QStringLiteral(" text"))),
      target_(new QLabel(this)) {
  setTitle(title);
  target_->setAccessibleName(title + QStringLiteral(" module"));
  target_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(target_);
  layout->addWidget(text_);
}

void CStepPage::ShowTarget(const QString& name) {
  target_->setText(QStringLiteral("Module: ") + name);
}

bool CStepPage::validatePage() {
  return step_();
}

}  // namespace netloom::tools
