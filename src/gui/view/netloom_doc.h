// A network document: no data of its own, only the title its views set ("ttyUSB0", "ttyUSB0*").
// Saving stores nothing; loading reads nothing.
#pragma once

#include <QObject>
#include <QString>

namespace netloom::view {

class CNetloomDoc : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;

  const QString& GetTitle() const { return title_; }
  void SetTitle(const QString& title) {
    if (title == title_) return;
    title_ = title;
    emit titleChanged(title_);
  }

 signals:
  void titleChanged(const QString& title);

 private:
  QString title_ = QStringLiteral("Netloom");
};

}  // namespace netloom::view
