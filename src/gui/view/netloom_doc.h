// A network document: no data of its own, only the title its views set ("ttyUSB0", "ttyUSB0*").
// There is nothing to save or load yet: Save and Save As stay disabled.
#pragma once

#include <QObject>
#include <QString>

namespace netloom::view {

class CNetloomDoc : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;

  const QString& GetTitle() const { return title_; }
  void SetTitle(const QString& title) { title_ = title; }

 private:
  QString title_ = QStringLiteral("Netloom");
};

}  // namespace netloom::view
