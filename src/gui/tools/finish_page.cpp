#include "gui/tools/finish_page.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "gui/tools/wizard_sheet.h"
#include "gui/tools/wizard_text_edit.h"

namespace netloom::tools {

CFinishPage::CFinishPage(CWizardSheet& sheet)
    : sheet_(sheet), text_(WizardTextEdit(this, kFinishText, QStringLiteral("Finish text"))) {
  setTitle(QStringLiteral("Finish"));
  setFinalPage(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_);
}

bool CFinishPage::validatePage() {
  return sheet_.WriteIdentity();
}

}  // namespace netloom::tools
