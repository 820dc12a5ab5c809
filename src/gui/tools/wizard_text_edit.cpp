#include "gui/tools/wizard_text_edit.h"

#include <QPlainTextEdit>

#include "gui/tools/message_box.h"

namespace netloom::tools {

QPlainTextEdit* WizardTextEdit(QWidget* parent, std::string_view text,
                               const QString& accessibleName) {
  auto* edit = new QPlainTextEdit(DisplayText(text), parent);
  edit->setReadOnly(true);
  // A scroll bar that came and went with the wrapping would relayout the edit without end.
  edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  edit->setAccessibleName(accessibleName);
  edit->setMinimumSize(460, 200);
  return edit;
}

}  // namespace netloom::tools
