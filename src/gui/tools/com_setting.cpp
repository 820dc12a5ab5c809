#include "gui/tools/com_setting.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>
#include <string_view>
#include <utility>

#include "core/link/serial/line_names.h"
#include "core/link/serial/network_port_name.h"
#include "core/link/serial/port_directory.h"

namespace netloom::tools {
namespace {

// A box listing `choices`, each shown by `text`.
template <typename Choices, typename Text>
QComboBox* FixedBox(QWidget* parent, const Choices& choices, Text text) {
  auto* box = new QComboBox(parent);
  for (const auto& choice : choices) box->addItem(text(choice));
  return box;
}

QString NameText(std::string_view name) {
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

QString PortLabel(const model::PortChoice& port) {
  const QString name = QString::fromStdString(port.name);
  if (port.demo || port.description.empty()) return name;
  return QStringLiteral("%1  (%2)").arg(name, QString::fromStdString(port.description));
}

}  // namespace

CComSetting::CComSetting(link::UartSettings& record, model::PortChoice& port,
                         std::vector<model::PortChoice> ports, QWidget* parent)
    : QDialog(parent), record_(record), port_(port), model_(std::move(ports), port, record) {
  setWindowTitle(QStringLiteral("UART"));
  portBox_ = new QComboBox(this);
  // A device path the list misses, or a network port (rfc2217://HOST:PORT, tcp://HOST:PORT),
  // may be typed.
  portBox_->setEditable(true);
  portBox_->setInsertPolicy(QComboBox::NoInsert);
  portBox_->setMinimumWidth(260);
  for (const auto& p : model_.ports()) portBox_->addItem(PortLabel(p));
  const auto number = [](auto value) { return QString::number(value); };
  const auto named = [](const auto& name) { return NameText(name.text); };
  baudBox_ = FixedBox(this, link::kOfferedBaudRates, number);
  byteSizeBox_ = FixedBox(this, link::kOfferedByteSizes, number);
  parityBox_ = FixedBox(this, link::kParityNames, named);
  stopBitsBox_ = FixedBox(this, link::kOfferedStopBits,
                          [](link::StopBits code) { return NameText(link::StopBitsText(code)); });
  flowBox_ = FixedBox(this, link::kFlowNames, named);
  flowBox_->setEnabled(false);

  auto* form = new QFormLayout;
  form->setLabelAlignment(Qt::AlignRight);
  const std::pair<const char*, QComboBox*> rows[] = {
      {"COM Port", portBox_}, {"Baud Rate", baudBox_},     {"Byte Size", byteSizeBox_},
      {"Parity", parityBox_}, {"Stop Bits", stopBitsBox_}, {"Flow Control", flowBox_}};
  for (const auto& [name, box] : rows) {
    // Its own name, not the label's text with its colon.
    box->setAccessibleName(QString::fromLatin1(name));
    form->addRow(QString::fromLatin1(name) + QStringLiteral(" : "), box);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &CComSetting::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CComSetting::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);

  portBox_->setCurrentIndex(model_.selectedPort());
  ShowSelections();
  connect(portBox_, &QComboBox::activated, this, &CComSetting::OnPortChanged);
}

int CComSetting::Run() {
  if (model_.NoPorts()) {
    QMessageBox::information(parentWidget(), QStringLiteral("Netloom"),
                             QStringLiteral("Can't find COM port\r\n"));
    return Rejected;
  }
  return exec();
}

void CComSetting::OnPortChanged(int index) {
  model_.SelectPort(index);
  ShowSelections();
}

void CComSetting::ShowSelections() {
  const model::LineSelections& s = model_.selections();
  baudBox_->setCurrentIndex(s.baud);
  byteSizeBox_->setCurrentIndex(s.byteSize);
  parityBox_->setCurrentIndex(s.parity);
  stopBitsBox_->setCurrentIndex(s.stopBits);
  flowBox_->setCurrentIndex(s.flow);
}

model::LineSelections CComSetting::ReadSelections() const {
  return {baudBox_->currentIndex(), byteSizeBox_->currentIndex(), parityBox_->currentIndex(),
          stopBitsBox_->currentIndex(), flowBox_->currentIndex()};
}

void CComSetting::accept() {
  const QString typed = portBox_->currentText().trimmed();
  const int listed = portBox_->findText(typed, Qt::MatchFixedString);
  model_.SetSelections(ReadSelections());
  if (listed >= 0) {
    model_.SelectPort(listed);
    model_.SetSelections(ReadSelections());
    model_.Apply(record_, port_);
  } else if (link::IsNetworkPortName(typed.toStdString())) {
    // A network port: remembered for the list once it is well-formed.
    std::string error;
    if (!link::ParseNetworkPortName(typed.toStdString(), error)) {
      QMessageBox::warning(this, QStringLiteral("UART"), QString::fromStdString(error));
      return;
    }
    model_.Apply(record_, port_);
    port_ = model::PortChoiceFor(typed.toStdString());
    model::ProcessRecentNetworkPorts().Add(port_.path);
  } else {
    // A typed port: a name under /dev or a path.
    const auto path = link::ResolvePort(typed.toStdString());
    if (!path) {
      QMessageBox::warning(this, QStringLiteral("UART"),
                           QStringLiteral("No such port: %1").arg(typed));
      return;
    }
    model_.Apply(record_, port_);
    port_ = model::PortChoice{typed.toStdString(), *path, std::string(), false};
  }
  QDialog::accept();
}

}  // namespace netloom::tools
