#include "gui/shell/netloom_app.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include "gui/res/resources.h"
#include "gui/shell/application_look.h"

namespace netloom::shell {

std::optional<DocumentStart> ParseStartOptions(const QStringList& arguments, QString& error) {
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
  if (!parser.parse(arguments)) {
    error = parser.errorText();
    return std::nullopt;
  }
  if (parser.isSet(QStringLiteral("help"))) parser.showHelp(0);
  // --help-all (the options with Qt's) is listed by --help; only process() prints it.
  if (parser.isSet(QStringLiteral("help-all"))) parser.process(arguments);
  if (parser.isSet(QStringLiteral("version"))) parser.showVersion();
  if (!parser.positionalArguments().isEmpty()) {
    error = QStringLiteral("Unexpected argument: %1").arg(parser.positionalArguments().first());
    return std::nullopt;
  }
  if (parser.isSet(demo) && parser.isSet(port)) {
    error = QStringLiteral("--demo and --port exclude each other");
    return std::nullopt;
  }
  DocumentStart start;
  if (parser.isSet(demo)) start.kind = DocumentStart::Kind::Demo;
  if (parser.isSet(port)) {
    start.kind = DocumentStart::Kind::Port;
    start.portPath = parser.value(port).toStdString();
  }
  return start;
}

CNetloomApp::CNetloomApp() : settings_(kSettingsOrganisation, kSettingsApplication) {
  res::InitResources();
  QApplication::setWindowIcon(res::ApplicationIcon());
}

CNetloomApp::~CNetloomApp() = default;

void CNetloomApp::InitInstance(const DocumentStart& start) {
  mainFrame_ = std::make_unique<CMainFrame>(settings_);
  mainFrame_->show();
  // The first document opens once the window is up, so its UART dialog sits on a painted frame.
  QTimer::singleShot(0, mainFrame_.get(),
                     [frame = mainFrame_.get(), start] { frame->OpenNetworkDocument(start); });
}

}  // namespace netloom::shell
