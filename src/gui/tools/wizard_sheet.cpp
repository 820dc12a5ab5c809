#include "gui/tools/wizard_sheet.h"

#include <QAbstractButton>
#include <string_view>
#include <utility>

#include "gui/model/connection_controller.h"
#include "gui/model/wizard_rules.h"
#include "gui/tools/message_box.h"
#include "gui/tools/parameter_page.h"
#include "gui/tools/step_page.h"
#include "gui/tools/type_page.h"

namespace netloom::tools {
namespace {

constexpr std::string_view kWelcomeText =
    "Welcome to \"Console Wizard\" !!\r\n"
    "This wizard only needs several steps to setup the zigbee module.\r\n"
    "It can setup the basic module fastly and become any type of zigbee device.\r\n\r\n"
    "Before using : \r\nPlease make sure the device has already been connected to the "
    "computer.\r\n\r\n"
    "If have any problems :\r\nPlease check the user manual or contact our technical support !!";

constexpr std::string_view kFinishText =
    "Please press \"Finished\" button to close window\r\n"
    "Then the device will restart with user's setting.\r\nIt takes 5 second to restart.\r\n\r\n"
    "Warning :\r\n"
    "During reset, do not disconnect the module";

}  // namespace

CWizardSheet::CWizardSheet(model::ConnectionController& controller, QWidget* parent)
    : QWizard(parent, Qt::Window),
      controller_(controller),
      target_(controller.selectedAddress()),
      current_(model::DefaultWizardIdentity()),
      requested_(current_),
      welcomePage_(new CStepPage(QStringLiteral("Welcome"), kWelcomeText,
                                 [this] { return ReadIdentity(); })),
      typePage_(new CTypePage(*this)),
      parameterPage_(new CParameterPage(*this)),
      finishPage_(new CStepPage(QStringLiteral("Finish"), kFinishText,
                                [this] { return WriteIdentity(); })) {
  finishPage_->setFinalPage(true);
  const QString targetName =
      QString::fromStdString(model::IdentityTargetName(target_, controller_.port().name));
  welcomePage_->ShowTarget(targetName);
  finishPage_->ShowTarget(targetName);
  setWizardStyle(QWizard::ClassicStyle);
  // Each page fills its controls once, the first time it is shown; Back keeps what they hold.
  setOption(QWizard::IndependentPages, true);
  setOption(QWizard::NoBackButtonOnStartPage, true);
  setAccessibleName(QStringLiteral("Setup wizard"));
  setPage(kWelcomePage, welcomePage_);
  setPage(kTypePage, typePage_);
  setPage(kParameterPage, parameterPage_);
  setPage(kFinishPage, finishPage_);
  setStartId(kWelcomePage);
  // Wide enough for the Type page's heading to keep its two lines, and as tall as the tallest
  // page, so that the sheet neither clips a page nor changes size from page to page.
  setMinimumSize(600, 430);
  // The title bar carries the page's title, as a wizard sheet's does.
  connect(this, &QWizard::currentIdChanged, this, [this] {
    if (currentPage()) setWindowTitle(currentPage()->title());
  });
  const std::pair<QWizard::WizardButton, const char*> buttonNames[] = {
      {QWizard::BackButton, "Back"},
      {QWizard::NextButton, "Next"},
      {QWizard::FinishButton, "Finish"},
      {QWizard::CancelButton, "Cancel"}};
  for (const auto& [which, name] : buttonNames) button(which)->setAccessibleName(name);
}

bool CWizardSheet::ReadIdentity() {
  if (!RunExchange([this] { controller_.ReadIdentity(target_); })) return false;
  const auto identity = controller_.identity();
  current_ = identity.current;
  requested_ = identity.requested;
  return true;
}

bool CWizardSheet::WriteIdentity() {
  return RunExchange([this] { controller_.WriteIdentity(target_, requested_); });
}

void CWizardSheet::done(int result) {
  if (exchanging_) {
    closeAfterExchange_ = result;  // the wait runs on this sheet's stack: it ends first
    return;
  }
  QWizard::done(result);
}

bool CWizardSheet::RunExchange(const std::function<void()>& request) {
  const BusyScope busy(*this);
  request();
  exchanging_ = true;
  const bool reported =
      controller_.Wait([](const link::LinkState& s) { return s.identity.status != 0; });
  exchanging_ = false;
  // No report: no connection, or it is closing (the view closes the wizard).
  const auto identity = controller_.identity();
  const bool succeeded = reported && identity.status == 1;
  if (reported && !succeeded) ShowMessageBox(this, identity.message);
  if (const auto result = std::exchange(closeAfterExchange_, std::nullopt)) {
    // Closed during the wait: the wizard goes instead of moving on, once this call has returned.
    QMetaObject::invokeMethod(
        this, [this, result] { done(*result); }, Qt::QueuedConnection);
    return false;
  }
  if (!reported || succeeded) return succeeded;
  raise();
  activateWindow();
  if (currentPage()) currentPage()->setFocus();
  return false;
}

}  // namespace netloom::tools
