// The application object: the per-user settings, the main frame and the start-up sequence.
//
// Command line: no arguments open a network document whose UART dialog shows at once;
// `--demo` opens it connected to the demo network and running; `--port PATH` the same on PATH;
// a FILE opens a saved network offline or a session log read-only instead.
#pragma once

#include <QObject>
#include <QSettings>
#include <QStringList>
#include <memory>
#include <optional>

#include "gui/shell/main_frame.h"

namespace netloom::shell {

// What the command line asks for: the first document, or a file to open instead.
struct StartOptions {
  DocumentStart document;
  QString file;  // a saved network or a session log (`netloom FILE`); empty: none
};
// Nothing and `error` set for a bad command line.
std::optional<StartOptions> ParseStartOptions(const QStringList& arguments, QString& error);

class CNetloomApp : public QObject {
  Q_OBJECT
 public:
  CNetloomApp();
  ~CNetloomApp() override;

  // Creates and shows the main frame, then opens the first document or the file (after the
  // window shows).
  void InitInstance(const StartOptions& start);

  CMainFrame* mainFrame() const { return mainFrame_.get(); }
  QSettings& settings() { return settings_; }

 private:
  QSettings settings_;
  std::unique_ptr<CMainFrame> mainFrame_;
};

}  // namespace netloom::shell
