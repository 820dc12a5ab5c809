#include "gui/shell/netloom_app.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include "gui/res/resources.h"
#include "gui/shell/application_look.h"

namespace netloom::shell {

std::optional<StartOptions> ParseStartOptions(const QStringList& arguments, QString& error) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Netloom: ZigBee module manager"));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption demo(QStringLiteral("demo"),
                                QStringLiteral("Open the demo network, connected and running."));
  const QCommandLineOption port(
      QStringLiteral("port"),
      QStringLiteral("Open PATH (a serial device, or a network port rfc2217://HOST:PORT or "
                     "tcp://HOST:PORT), connected and running."),
      QStringLiteral("PATH"));
  parser.addOption(demo);
  parser.addOption(port);
  parser.addPositionalArgument(QStringLiteral("FILE"),
                               QStringLiteral("A saved network (.netloom) to show offline, or a "
                                              "session log to read."),
                               QStringLiteral("[FILE]"));
  if (!parser.parse(arguments)) {
    error = parser.errorText();
    return std::nullopt;
  }
  if (parser.isSet(QStringLiteral("help"))) parser.showHelp(0);
  // --help-all (the options with Qt's) is listed by --help; only process() prints it.
  if (parser.isSet(QStringLiteral("help-all"))) parser.process(arguments);
  if (parser.isSet(QStringLiteral("version"))) parser.showVersion();
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1) {
    error = QStringLiteral("Unexpected argument: %1").arg(files[1]);
    return std::nullopt;
  }
  if (!files.isEmpty() && (parser.isSet(demo) || parser.isSet(port))) {
    error = QStringLiteral("a FILE excludes --demo and --port");
    return std::nullopt;
  }
  if (parser.isSet(demo) && parser.isSet(port)) {
    error = QStringLiteral("--demo and --port exclude each other");
    return std::nullopt;
  }
  StartOptions start;
  if (parser.isSet(demo)) start.document.kind = DocumentStart::Kind::Demo;
  if (parser.isSet(port)) {
    start.document.kind = DocumentStart::Kind::Port;
    start.document.portPath = parser.value(port).toStdString();
  }
  if (!files.isEmpty()) start.file = files.first();
  return start;
}

CNetloomApp::CNetloomApp() : settings_(kSettingsOrganisation, kSettingsApplication) {
  res::InitResources();
  QApplication::setWindowIcon(res::ApplicationIcon());
}

CNetloomApp::~CNetloomApp() = default;

void CNetloomApp::InitInstance(const StartOptions& start) {
  mainFrame_ = std::make_unique<CMainFrame>(settings_);
  mainFrame_->show();
  // The first document opens once the window is up, so its UART dialog sits on a painted frame.
  QTimer::singleShot(0, mainFrame_.get(), [frame = mainFrame_.get(), start] {
    if (start.file.isEmpty())
      frame->OpenNetworkDocument(start.document);
    else
      frame->OpenFile(start.file);
  });
}

}  // namespace netloom::shell
