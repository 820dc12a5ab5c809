#include "gui/view/netloom_view.h"

#include <QApplication>
#include <QCursor>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QVBoxLayout>

#include "gui/panes/output_view.h"
#include "gui/tools/com_setting.h"
#include "gui/tools/message_box.h"
#include "gui/tools/tool_windows.h"
#include "gui/tools/wizard_sheet.h"
#include "gui/view/netloom_doc.h"
#include "gui/view/topology_diagram.h"

namespace netloom::view {
namespace {

// A finished wizard stays this long before it goes.
constexpr std::chrono::milliseconds kWizardEndDelay{500};

}  // namespace

CNetloomView::CNetloomView(CNetloomDoc* document, QWidget* parent)
    : QWidget(parent),
      document_(document),
      diagram_(CreateDiagram()),
      listPorts_([] { return model::ListPortChoices(); }) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(diagram_);
  controller_.AddObserver(*this);
  wizardEnd_.setSingleShot(true);
  connect(&wizardEnd_, &QTimer::timeout, this, &CNetloomView::DeleteWizard);
}

CNetloomView::~CNetloomView() {
  // A frame disconnects before its view goes; the controller's own end is the last resort.
  controller_.RemoveObserver(*this);
  wizard_.reset();  // it works on this view's controller: it cannot outlive the view
  ShowWaitCursor(false);
}

QWidget* CNetloomView::wizardWindow() const {
  return wizard_.get();
}

void CNetloomView::SetOutputView(panes::COutputView* output) {
  outputView_ = output;
  if (output)
    output->edit()->SetSink([this](const std::string& text) { controller_.SendRawText(text); });
}

model::ViewCommandState CNetloomView::CommandState() const {
  return {controller_.portOpen(), controller_.worker() != nullptr, controller_.autoRefresh(),
          layoutMode_, controller_.waiting()};
}

void CNetloomView::OnInitialUpdate(bool askSettings) {
  const auto ports = listPorts_();
  model_.Reset(model::DefaultPortChoice(ports));
  link::UartSettings settings = controller_.uartSettings();
  model::PortChoice port = controller_.port();
  if (askSettings) tools::CComSetting(settings, port, ports, window()).Run();
  layoutMode_ = 1;
  controller_.ApplySettings(settings, port, false);
}

void CNetloomView::ChangePortSettings() {
  controller_.RunIfIdle([this] {
    link::UartSettings settings = controller_.uartSettings();
    model::PortChoice port = controller_.port();
    tools::CComSetting dialog(settings, port, listPorts_(), window());
    if (dialog.Run() == QDialog::Accepted) controller_.ApplySettings(settings, port, true);
  });
}

void CNetloomView::StateChanged(model::ConnectionState state) {
  using State = model::ConnectionState;
  ShowWaitCursor(state == State::Opening || controller_.waiting());
  if (state == State::Closed) CloseWizard();
  UpdateTitle();
  ShowPortSettings();
  emit commandStateChanged();
}

void CNetloomView::UpdateTitle() {
  const std::string& file = model_.insight().filePath();
  QString title = QString::fromStdString(controller_.port().name) +
                  QString::fromLatin1(model::TitleSuffix(controller_.state()));
  if (!file.empty())
    title.prepend(QFileInfo(QString::fromStdString(file)).fileName() + QStringLiteral(" - "));
  if (title != title_) {
    title_ = title;
    emit titleChanged();
  }
  if (document_) document_->SetTitle(title_);
}

void CNetloomView::ShowWaitCursor(bool shown) {
  if (shown == waitCursorShown_) return;
  waitCursorShown_ = shown;
  if (shown)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

void CNetloomView::ShowMessage(std::string_view text, std::string_view detail) {
  tools::ShowMessageBox(window(), text, detail);
}

void CNetloomView::OpenWizard() {
  controller_.RunIfIdle([this] {
    if (wizard_) {
      ShowMessage("Wizard is working,Please check!!", {});
      wizard_->raise();
      wizard_->activateWindow();
      return;
    }
    if (!controller_.Connect()) return;
    wizard_ = tools::OpenSetupWizard(controller_);
    // Cancel, Finish, the close box and CloseWizard all end it here.
    connect(wizard_.get(), &QWizard::finished, this, [this] { wizardEnd_.start(kWizardEndDelay); });
  });
}

void CNetloomView::CloseWizard() {
  if (wizard_) wizard_->close();  // during an exchange it closes once the exchange has ended
}

void CNetloomView::DeleteWizard() {
  if (wizard_ && wizard_->busy()) return wizardEnd_.start(kWizardEndDelay);
  wizard_.reset();
}

void CNetloomView::ClearOutput() {
  if (outputView_) outputView_->edit()->ClearOutput();
}

void CNetloomView::OpenUpgrade() {
  tools::OpenUpgradeDialog(controller_.uartSettings(), controller_.port(), window());
}

void CNetloomView::SetTreeLayout() {
  SetLayout(0);
}

void CNetloomView::SetCircleLayout() {
  SetLayout(1);
}

void CNetloomView::SetLayout(int mode) {
  layoutMode_ = mode;
  // At once, from the last walk: while the refresh is stopped no next redraw would come. The
  // other layout puts every node elsewhere: the user's place means nothing there, the
  // coordinator is shown.
  if (controller_.snapshot().rootNode) {
    diagram_->ForgetUserPlace();
    ClearDiagram();
    DrawNetwork();
  }
  emit commandStateChanged();
}

void CNetloomView::AskRefreshTime() {
  controller_.RunIfIdle([this] {
    bool ok = false;
    const int seconds = QInputDialog::getInt(
        window(), QStringLiteral("Refresh Time"), QStringLiteral("Seconds between network walks:"),
        controller_.refreshSeconds(), model::RefreshPeriods::kMinSeconds,
        model::RefreshPeriods::kMaxSeconds, 1, &ok);
    if (!ok) return;
    controller_.SetRefreshSeconds(seconds);
    emit commandStateChanged();
  });
}

void CNetloomView::AppendOutput(std::string_view text) {
  if (outputView_) outputView_->edit()->AppendOutput(text);
}

QString CNetloomView::PortSettingsLine() const {
  return QString::fromStdString(controller_.PortSettingsLine());
}

void CNetloomView::ShowPortSettings() {
  emit portSettingsShown(PortSettingsLine());
}

}  // namespace netloom::view
