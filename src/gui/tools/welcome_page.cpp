#include "gui/tools/welcome_page.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "gui/tools/wizard_sheet.h"
#include "gui/tools/wizard_text_edit.h"

namespace netloom::tools {

CWelcomePage::CWelcomePage(CWizardSheet& sheet)
    : sheet_(sheet), text_(WizardTextEdit(this, kWelcomeText, QStringLiteral("Welcome text"))) {
  setTitle(QStringLiteral("Welcome"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_);
}

bool CWelcomePage::validatePage() {
  return sheet_.ReadIdentity();
}

}  // namespace netloom::tools
