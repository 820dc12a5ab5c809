// A session log opened from a file, offline: a read-only output pane with every entry timed and
// marked by direction (model::TimedTextLines), or in hex with its text beside (the Hex box).
// No port, no typing: it is a record. UI thread only.
#pragma once

#include <QWidget>
#include <vector>

#include "core/link/serial/session_log.h"

class QCheckBox;
class QPlainTextEdit;

namespace netloom::view {

class SessionLogFrame : public QWidget {
  Q_OBJECT
 public:
  SessionLogFrame(std::vector<link::LogEntry> entries, const QString& path,
                  QWidget* parent = nullptr);

  const QString& path() const { return path_; }
  // The tab's title: the file's name.
  QString title() const;
  QPlainTextEdit* pane() const { return pane_; }
  void SetHexShown(bool shown);
  bool hexShown() const;

 private:
  std::vector<link::LogEntry> entries_;
  QString path_;
  QCheckBox* hex_;
  QPlainTextEdit* pane_;
};

}  // namespace netloom::view
