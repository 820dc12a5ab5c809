#include "gui/tools/message_box.h"

#include <QMessageBox>

namespace netloom::tools {

QString DisplayText(std::string_view text) {
  QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return shown;
}

void ShowMessageBox(QWidget* parent, std::string_view text, std::string_view detail) {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Netloom"),
                  QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                  QMessageBox::Ok, parent);
  if (!detail.empty())
    box.setInformativeText(QString::fromUtf8(detail.data(), static_cast<qsizetype>(detail.size())));
  box.exec();
}

}  // namespace netloom::tools
