// The read-only multi-line text the wizard's pages explain themselves with. UI thread only.
#pragma once

#include <QString>
#include <string_view>

class QPlainTextEdit;
class QWidget;

namespace netloom::tools {

// A read-only edit showing `text`, named `accessibleName` for screen readers.
QPlainTextEdit* WizardTextEdit(QWidget* parent, std::string_view text,
                               const QString& accessibleName);

}  // namespace netloom::tools
