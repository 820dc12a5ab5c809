#include "gui/tools/parameter_page.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "core/catalogue/value_entry.h"
#include "core/link/identity/identity_reply.h"
#include "gui/model/wizard_rules.h"
#include "gui/tools/message_box.h"
#include "gui/tools/wizard_sheet.h"
#include "gui/tools/wizard_text_edit.h"

namespace netloom::tools {
namespace {

constexpr std::string_view kHelpText =
    "Channel :\r\n   Set the channel number :\r\n   Input : \"B\" to \"1A\"(HEX)\r\n\r\n"
    "PAN ID :\r\n   Set the PAN (Personal Area Network) ID :\r\n"
    "   Input : \"0\" to \"FFFF\" (HEX)\r\n"
    "   PS. Set ID = 0xFFFF to send message to all PANs.\r\n\r\n"
    "Device Name :\r\n"
    "   Device name can be defined by user to identify a device in the network\r\n"
    "   Input : 16-character ASCII string\r\n\r\n"
    "Attention :\r\n   Please make sure \"Channel\" and \"PAN ID\" setting are the same for all "
    "devices in the same network";

std::string Text(const QLineEdit* edit) {
  return edit->text().toStdString();
}

}  // namespace

CParameterPage::CParameterPage(CWizardSheet& sheet)
    : sheet_(sheet),
      help_(WizardTextEdit(this, kHelpText, QStringLiteral("Parameter help"))),
      startModeBox_(new QComboBox(this)),
      channelBox_(new QComboBox(this)),
      panIdEdit_(new QLineEdit(this)),
      deviceNameEdit_(new QLineEdit(this)) {
  setTitle(QStringLiteral("Parameter"));
  for (auto entry : model::kStartModeEntries)
    startModeBox_->addItem(QString::fromLatin1(entry.data(), static_cast<qsizetype>(entry.size())));
  for (const auto& entry : model::ChannelEntries())
    channelBox_->addItem(QString::fromStdString(entry));
  startModeBox_->setAccessibleName(QStringLiteral("Start Mode"));
  channelBox_->setAccessibleName(QStringLiteral("Channel"));
  panIdEdit_->setAccessibleName(QStringLiteral("Pan ID"));
  deviceNameEdit_->setAccessibleName(QStringLiteral("Device Name"));
  panIdEdit_->installEventFilter(this);
  deviceNameEdit_->installEventFilter(this);

  auto* form = new QFormLayout;
  form->setLabelAlignment(Qt::AlignRight);
  form->addRow(QStringLiteral("Start Mode : "), startModeBox_);
  form->addRow(QStringLiteral("Channel : "), channelBox_);
  form->addRow(QStringLiteral("Pan ID : "), panIdEdit_);
  form->addRow(QStringLiteral("Device Name : "), deviceNameEdit_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(help_);
  layout->addLayout(form);
}

void CParameterPage::initializePage() {
  const link::ModuleIdentity& current = sheet_.current();
  startModeBox_->setCurrentIndex(model::StartModeEntry(current.startMode));
  channelBox_->setCurrentIndex(current.channel - model::kFirstChannel);
  panIdEdit_->setText(QStringLiteral("%1").arg(current.panId, 4, 16, QLatin1Char('0')).toUpper());
  moduleName_ = current.deviceName;
  deviceNameEdit_->setText(QString::fromStdString(catalogue::ShownText(moduleName_)));
}

catalogue::EntryResult CParameterPage::DeviceName() const {
  return catalogue::TypedText({}, Text(deviceNameEdit_), moduleName_);
}

bool CParameterPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::FocusOut || checking_) return false;
  // Only a focus move inside the program is checked, not the user switching to another one.
  const auto reason = static_cast<QFocusEvent*>(event)->reason();
  if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
      QApplication::activeWindow() == nullptr)
    return false;
  // Checked once the focus has moved, as after a kill-focus notification.
  auto* edit = static_cast<QLineEdit*>(watched);
  pendingCheck_ = edit;
  QMetaObject::invokeMethod(
      this, [this, edit] { CheckEdit(edit); }, Qt::QueuedConnection);
  return false;
}

void CParameterPage::CheckEdit(QLineEdit* edit) {
  pendingCheck_ = nullptr;
  if (edit == panIdEdit_) return Report(model::CheckPanIdText(Text(edit)), edit);
  const auto name = DeviceName();
  Report(name.accepted() ? model::CheckDeviceNameText(name.text)
                         : model::FieldCheck{{name.message}, true},
         edit);
}

void CParameterPage::Report(const model::FieldCheck& check, QLineEdit* edit) {
  const CWizardSheet::BusyScope busy(sheet_);
  checking_ = true;
  for (auto message : check.messages) ShowMessageBox(window(), message);
  if (check.refocus) {
    window()->activateWindow();  // back from the message box
    edit->setFocus(Qt::OtherFocusReason);
  }
  checking_ = false;
}

bool CParameterPage::validatePage() {
  // Values that would be stored wrong are not taken. When the click on Next took the focus from
  // the edit, its own check is about to say why.
  const auto refuse = [this](const model::FieldCheck& check, QLineEdit* edit) {
    if (pendingCheck_ != edit) Report(check, edit);
    return false;
  };
  const std::string panId = Text(panIdEdit_);
  if (!model::PanIdUsable(panId)) return refuse(model::CheckPanIdText(panId), panIdEdit_);
  // A name the module would refuse or that would split its request on the wire.
  const auto bytes = DeviceName();
  if (!bytes.accepted()) return refuse({{bytes.message}, true}, deviceNameEdit_);
  const std::string& name = bytes.text;
  if (const auto why = link::CheckDeviceName(name)) return refuse({{*why}, true}, deviceNameEdit_);
  link::ModuleIdentity& requested = sheet_.requested();
  requested.startMode = model::StartModeOfEntry(startModeBox_->currentIndex());
  requested.channel = channelBox_->currentIndex() + model::kFirstChannel;
  requested.panId = model::PanIdOf(panId);
  requested.deviceName = name;
  return true;
}

}  // namespace netloom::tools
