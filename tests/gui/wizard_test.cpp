// The setup wizard on a network view connected to the virtual module through a pseudo-terminal.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "core/link/config/config_messages.h"
#include "core/link/identity/identity_reply.h"
#include "core/link/serial/clock.h"
#include "gui/res/resource_ids.h"
#include "gui/tools/parameter_page.h"
#include "gui/tools/step_page.h"
#include "gui/tools/type_page.h"
#include "gui/tools/wizard_sheet.h"
#include "gui_test_support.h"

namespace netloom::guitest {
namespace {

using tools::CWizardSheet;

class WizardTest : public testsupport::VirtualModuleTest {
 protected:
  WizardTest() {
    view().controller().SetClock(clock_);
    // The wizard is a window of its own; the frame behind it is not needed on screen.
    net_.frame->hide();
  }

  view::CNetloomView& view() { return net_.view(); }
  void Command(int id) {
    net_.frame->OnCommand(id);
    QCoreApplication::processEvents();  // commands are posted to the view
  }
  // Setup > Wizard; the sheet it opened, active.
  CWizardSheet* OpenWizard() {
    Command(res::kWizard);
    auto* sheet = qobject_cast<CWizardSheet*>(view().wizardWindow());
    if (sheet) {
      EXPECT_TRUE(QTest::qWaitForWindowActive(sheet));
    }
    return sheet;
  }
  static void Click(CWizardSheet* sheet, QWizard::WizardButton button) {
    sheet->button(button)->click();
  }
  // Welcome's Next (the identity read), then Type's Next: on the Parameter page.
  static void ToParameterPage(CWizardSheet* sheet) {
    Click(sheet, QWizard::NextButton);
    ASSERT_EQ(sheet->currentId(), CWizardSheet::kTypePage);
    Click(sheet, QWizard::NextButton);
    ASSERT_EQ(sheet->currentId(), CWizardSheet::kParameterPage);
  }
  // Nothing on the shown page is clipped, and the sheet keeps the size it had on Welcome.
  static void ExpectPageFits(CWizardSheet* sheet, QSize welcomeSize) {
    QCoreApplication::processEvents();
    for (auto* label : sheet->currentPage()->findChildren<QLabel*>()) {
      if (!label->wordWrap()) continue;
      EXPECT_GE(label->height(), label->heightForWidth(label->width()))
          << sheet->currentPage()->title().toStdString();
    }
    EXPECT_EQ(sheet->size(), welcomeSize) << sheet->currentPage()->title().toStdString();
  }
  bool WizardClosed() {
    return QTest::qWaitFor([&] { return !view().wizardOpen(); }, kSlowMs);
  }
  // Walks the network once (a remote exchange needs its node in the node table), then picks
  // `address` as a click on its node does.
  void WalkAndPick(const char* address) {
    model::ConnectionController& controller = view().controller();
    controller.StartRefresh();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return controller.snapshot().nodeTable.count(link::NodeKey(address)) != 0; },
        kSlowMs));
    controller.StopRefresh();
    ASSERT_TRUE(controller.PickNode(link::NodeKey(address)));
  }

  link::CompressedClock clock_{100};
  NetworkFrame net_{sim_.LinkPath()};
};

TEST_F(WizardTest, AFullRunChangesTheModulesIdentity) {
  ModalAnswerer answers;
  CWizardSheet* sheet = OpenWizard();
  ASSERT_NE(sheet, nullptr);
  EXPECT_TRUE(view().controller().portOpen());  // the wizard connects first
  EXPECT_FALSE(sheet->button(QWizard::BackButton)->isVisible());
  const QSize welcomeSize = sheet->size();
  Click(sheet, QWizard::NextButton);
  ASSERT_EQ(sheet->currentId(), CWizardSheet::kTypePage);
  ExpectPageFits(sheet, welcomeSize);
  EXPECT_TRUE(sheet->typePage()->typeButton(0)->isChecked());  // the demo module coordinates
  sheet->typePage()->typeButton(1)->setChecked(true);
  Click(sheet, QWizard::NextButton);
  auto* page = sheet->parameterPage();
  page->startModeBox()->setCurrentIndex(2);
  page->channelBox()->setCurrentText(QStringLiteral("1A"));
  page->panIdEdit()->setText(QStringLiteral("beef"));
  page->deviceNameEdit()->setText(QStringLiteral("Lab42"));
  ExpectPageFits(sheet, welcomeSize);
  Click(sheet, QWizard::NextButton);
  ASSERT_EQ(sheet->currentId(), CWizardSheet::kFinishPage);
  ExpectPageFits(sheet, welcomeSize);
  EXPECT_TRUE(sheet->button(QWizard::BackButton)->isVisible());
  EXPECT_TRUE(sheet->button(QWizard::FinishButton)->isVisible());
  EXPECT_EQ(sheet->requested(), (link::ModuleIdentity{2, 26, 0xBEEF, 1, 4, "Lab42"}));
  Click(sheet, QWizard::FinishButton);
  EXPECT_TRUE(answers.seen().isEmpty()) << answers.seen().join('|').toStdString();
  ASSERT_TRUE(WizardClosed());

  // A fresh wizard reads what the module took.
  sheet = OpenWizard();
  ASSERT_NE(sheet, nullptr);
  ToParameterPage(sheet);
  EXPECT_EQ(sheet->current(), (link::ModuleIdentity{2, 26, 0xBEEF, 1, 4, "Lab42"}));
  EXPECT_EQ(sheet->parameterPage()->startModeBox()->currentText(), QStringLiteral("Star MODE"));
  EXPECT_EQ(sheet->parameterPage()->panIdEdit()->text(), QStringLiteral("BEEF"));
}

TEST_F(WizardTest, PagesNameTheLocalModuleAndItsPort) {
  CWizardSheet* sheet = OpenWizard();
  ASSERT_NE(sheet, nullptr);
  const QString name = QStringLiteral("Module: local module on ") +
                       QString::fromStdString(view().controller().port().name);
  EXPECT_EQ(sheet->welcomePage()->target()->text(), name);
  EXPECT_EQ(sheet->finishPage()->target()->text(), name);
}

// The write goes to the node Welcome read, whatever is picked in between.
TEST_F(WizardTest, ANodePickedBetweenWelcomeAndFinishDoesNotReceiveTheWrite) {
  WalkAndPick("1A01");
  CWizardSheet* sheet = OpenWizard();
  ASSERT_NE(sheet, nullptr);
  const QString name = QStringLiteral("Module: node 1A01 through the coordinator");
  EXPECT_EQ(sheet->welcomePage()->target()->text(), name);
  sim_.Faults().SetRecording(true);
  ToParameterPage(sheet);
  ASSERT_TRUE(view().controller().PickNode(link::NodeKey("2B02")));
  sheet->parameterPage()->deviceNameEdit()->setText(QStringLiteral("Moved"));
  Click(sheet, QWizard::NextButton);
  ASSERT_EQ(sheet->currentId(), CWizardSheet::kFinishPage);
  EXPECT_EQ(sheet->finishPage()->target()->text(), name);
  Click(sheet, QWizard::FinishButton);
  ASSERT_TRUE(WizardClosed());
  const auto bytes = sim_.Faults().Received();
  const std::string received(bytes.begin(), bytes.end());
  const std::size_t write = received.find("ATINFOI 0002");
  ASSERT_NE(write, std::string::npos) << received;
  EXPECT_EQ(received.rfind("ATCONSOLE ", write), received.rfind("ATCONSOLE 1A01 0\r", write));
  EXPECT_EQ(received.find("2B02"), std::string::npos) << received;
}

TEST_F(WizardTest, UndefinedStartModeShowsAtCommandAndStarModeStoresFour) {
  for (std::int32_t mode : {2, 3}) {
    sim_.Faults().Exchanges().SetIdentityReply(
        link::FormatIdentityReply({2, 0x1A, 0x0042, 2, mode, "Probe"}));
    CWizardSheet* sheet = OpenWizard();
    ASSERT_NE(sheet, nullptr);
    ToParameterPage(sheet);
    auto* page = sheet->parameterPage();
    EXPECT_EQ(page->startModeBox()->currentText(), QStringLiteral("AT Command")) << mode;
    EXPECT_EQ(page->channelBox()->currentText(), QStringLiteral("1A"));
    EXPECT_EQ(page->panIdEdit()->text(), QStringLiteral("0042"));
    page->startModeBox()->setCurrentText(QStringLiteral("Star MODE"));
    Click(sheet, QWizard::NextButton);
    EXPECT_EQ(sheet->requested().startMode, 4);
    EXPECT_EQ(sheet->requested().channel, 26);
    EXPECT_EQ(sheet->requested().deviceType, 2);
    Click(sheet, QWizard::CancelButton);
    ASSERT_TRUE(WizardClosed());
  }
}

TEST_F(WizardTest, PanIdAndDeviceNameAreCheckedWhenTheyLoseTheFocus) {
  CWizardSheet* sheet = OpenWizard();
  ASSERT_NE(sheet, nullptr);
  ToParameterPage(sheet);
  auto* page = sheet->parameterPage();
  struct Case {
    QLineEdit* edit;
    QString text;
    QStringList messages;
  };
  sheet->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(sheet));
  const QString sixteen(16, QLatin1Char('n'));
  const Case cases[] = {
      {page->panIdEdit(), "12", {"Please input 4 word", "Please input 0 to 9 or A to F (a to f)"}},
      {page->panIdEdit(), "12345", {"Please input 4 word"}},
      {page->panIdEdit(), "ffff", {}},
      {page->deviceNameEdit(), sixteen, {}},
      {page->deviceNameEdit(), sixteen + "n", {"Please Less than 16 word"}},
      {page->deviceNameEdit(), "My Node", {"Don't input space to DeviceName"}},
  };
  for (const auto& c : cases) {
    ModalAnswerer answers;
    c.edit->setFocus();
    c.edit->setText(c.text);
    page->startModeBox()->setFocus();  // the edit loses the focus
    ASSERT_TRUE(page->startModeBox()->hasFocus() || !c.messages.isEmpty());
    QCoreApplication::processEvents();  // the check runs once the focus has moved
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet));
    EXPECT_EQ(answers.seen(), c.messages) << c.text.toStdString();
    // A failed check puts the focus back into the edit.
    EXPECT_EQ(QApplication::focusWidget() == c.edit, !c.messages.isEmpty()) << c.text.toStdString();
  }
  // Next anyway with five digits: the first four are the PAN ID.
  page->deviceNameEdit()->setText(sixteen);
  page->panIdEdit()->setText(QStringLiteral("12345"));
  Click(sheet, QWizard::NextButton);
  ASSERT_EQ(sheet->currentId(), CWizardSheet::kFinishPage);
  EXPECT_EQ(sheet->requested().panId, 0x1234);
  Click(sheet, QWizard::BackButton);
  page->panIdEdit()->setText(QStringLiteral("ffff"));
  Click(sheet, QWizard::NextButton);
  EXPECT_EQ(sheet->requested().panId, 0xFFFF);
  EXPECT_EQ(sheet->requested().deviceName, sixteen.toStdString());
}

TEST_F(WizardTest, AFailedWriteStaysOnTheFinishPage) {
  sim_.Faults().Exchanges().SetIdentityWriteAnswer(sim::IdentityWriteAnswer::Eot);
  CWizardSheet* sheet = OpenWizard();
  ASSERT_NE(sheet, nullptr);
  ToParameterPage(sheet);
  Click(sheet, QWizard::NextButton);
  ModalAnswerer answers;
  Click(sheet, QWizard::FinishButton);
  EXPECT_EQ(answers.seen(),
            QStringList{QStringLiteral("Version error. Please check device's version is [0002].")});
  EXPECT_EQ(sheet->currentId(), CWizardSheet::kFinishPage);
  EXPECT_TRUE(sheet->isVisible());
  EXPECT_TRUE(view().wizardOpen());
}

TEST_F(WizardTest, ASecondStartPointsAtTheOpenWizardAndCancelClosesIt) {
  CWizardSheet* sheet = OpenWizard();
  ASSERT_NE(sheet, nullptr);
  {
    ModalAnswerer answers;
    Command(res::kWizard);
    EXPECT_EQ(answers.seen(), QStringList{QStringLiteral("Wizard is working,Please check!!")});
    EXPECT_EQ(view().wizardWindow(), sheet);
  }
  Click(sheet, QWizard::CancelButton);
  EXPECT_TRUE(view().wizardOpen());  // it goes half a second later
  ASSERT_TRUE(WizardClosed());
  EXPECT_NE(OpenWizard(), nullptr);  // and a new one may start
}

TEST_F(WizardTest, ClosingTheConnectionWhileWelcomeWaitsEndsTheWait) {
  ModalAnswerer answers;
  CWizardSheet* sheet = OpenWizard();
  ASSERT_NE(sheet, nullptr);
  QSignalSpy closeReady(net_.frame.get(), &view::CChildFrame::closeReady);
  sim_.Faults().SetSilent(true);  // the read would only end by its time-outs
  bool stillWaitingAfterDisconnect = false;
  QTimer::singleShot(0, &view(), [&] {
    ASSERT_TRUE(view().controller().waiting());
    Command(res::kDisconnect);  // a command during the wait is dropped: the wait goes on
    stillWaitingAfterDisconnect = view().controller().waiting() && view().controller().portOpen();
    // Closing the document's window closes the connection: the worker stops, the wait ends.
    EXPECT_FALSE(net_.frame->close());
  });
  Click(sheet, QWizard::NextButton);
  EXPECT_TRUE(stillWaitingAfterDisconnect);
  EXPECT_NE(sheet->currentId(), CWizardSheet::kTypePage);
  EXPECT_FALSE(view().controller().portOpen());
  ASSERT_TRUE(WizardClosed());
  // And the window may close now (it may have been told while the wizard went).
  EXPECT_TRUE(!closeReady.isEmpty() || closeReady.wait(kSlowMs));
  EXPECT_TRUE(net_.frame->close());
  EXPECT_TRUE(answers.seen().isEmpty()) << answers.seen().join('|').toStdString();
}

TEST_F(WizardTest, AModulesNameGoesBackByteForByteAndTypedNamesAreSevenBit) {
  const std::string latin1Name = "Caf\xE9-\xC4rger";  // not UTF-8
  sim_.Faults().Exchanges().SetIdentityReply(
      link::FormatIdentityReply({2, 0x0B, 0x1234, 0, 0, latin1Name}));
  CWizardSheet* sheet = OpenWizard();
  ASSERT_NE(sheet, nullptr);
  ToParameterPage(sheet);
  auto* name = sheet->parameterPage()->deviceNameEdit();
  EXPECT_EQ(name->text(), QStringLiteral("Caf\u00E9-\u00C4rger"));
  {
    // Typed letters beyond 7-bit ASCII are refused, whatever their length in bytes.
    ModalAnswerer answers;
    name->setText(QStringLiteral("K\u00FCche"));
    Click(sheet, QWizard::NextButton);
    EXPECT_EQ(answers.seen(), QStringList{QStringLiteral(
                                  "\"\u00FC\" is not a character the module takes (7-bit ASCII)")});
    EXPECT_EQ(sheet->currentId(), CWizardSheet::kParameterPage);
  }
  name->setText(QStringLiteral("Caf\u00E9-\u00C4rger"));  // as shown: the module's own again
  Click(sheet, QWizard::NextButton);
  ASSERT_EQ(sheet->currentId(), CWizardSheet::kFinishPage);
  EXPECT_EQ(sheet->requested().deviceName, latin1Name);
  Click(sheet, QWizard::FinishButton);
  ASSERT_TRUE(WizardClosed());

  // The module took the bytes it had given.
  sim_.Faults().Exchanges().SetIdentityReply(std::nullopt);
  sheet = OpenWizard();
  ASSERT_NE(sheet, nullptr);
  Click(sheet, QWizard::NextButton);
  EXPECT_EQ(sheet->current().deviceName, latin1Name);
}

TEST_F(WizardTest, ClosingTheWizardWhileAPageWaitsClosesItOnceTheExchangeHasEnded) {
  // Longer than the half second a finished wizard stays, so a close during the wait would see
  // the wizard go while the wait still ran on it.
  link::UartSettings settings = view().controller().uartSettings();
  settings.readTimeoutMs = 2000;
  ASSERT_TRUE(view().controller().ApplySettings(settings, view().controller().port(), false));
  const QString timeout = QString::fromLatin1(
      link::kIdentityTimeout.data(), static_cast<qsizetype>(link::kIdentityTimeout.size()));
  for (const bool onFinish : {false, true}) {
    SCOPED_TRACE(onFinish ? "Finish" : "Welcome");
    sim_.Faults().SetSilent(false);
    sim_.Faults().Exchanges().SetIdentityWriteAnswer(sim::IdentityWriteAnswer::Normal);
    QPointer<CWizardSheet> sheet = OpenWizard();
    ASSERT_NE(sheet, nullptr);
    if (onFinish) {
      ToParameterPage(sheet);
      Click(sheet, QWizard::NextButton);
      ASSERT_EQ(sheet->currentId(), CWizardSheet::kFinishPage);
      sim_.Faults().Exchanges().SetIdentityWriteAnswer(sim::IdentityWriteAnswer::Silence);
    } else {
      sim_.Faults().SetSilent(true);
    }
    ModalAnswerer answers;
    bool keptDuringTheWait = false;
    QTimer::singleShot(0, &view(), [&] {
      ASSERT_TRUE(view().controller().waiting());
      sheet->close();  // the close box, Alt+F4
      keptDuringTheWait = !sheet.isNull() && sheet->isVisible();
    });
    Click(sheet, onFinish ? QWizard::FinishButton : QWizard::NextButton);
    ASSERT_FALSE(sheet.isNull());
    EXPECT_TRUE(keptDuringTheWait);
    EXPECT_EQ(sheet->currentId(),
              onFinish ? CWizardSheet::kFinishPage : CWizardSheet::kWelcomePage);
    ASSERT_TRUE(WizardClosed());
    EXPECT_TRUE(sheet.isNull());
    EXPECT_EQ(answers.seen(), QStringList{timeout});  // what the exchange ended with
    EXPECT_TRUE(view().controller().portOpen());
  }
}

}  // namespace
}  // namespace netloom::guitest
