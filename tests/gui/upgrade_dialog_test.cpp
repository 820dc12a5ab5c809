// The firmware upgrade dialog against the virtual module's boot loader through a pseudo-terminal,
// with HEX files made by an independent tool.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <fstream>
#include <random>

#include "core/firmware/hex_record.h"
#include "core/link/serial/clock.h"
#include "gui/shell/application_look.h"
#include "gui/shell/main_frame.h"
#include "gui/tools/upgrade_dialog.h"
#include "gui_test_support.h"
#include "support/boot_loader_client.h"
#include "support/temp_folder.h"

namespace netloom::guitest {
namespace {

using firmware::UpgradeState;
using tools::CUpgradeDialog;

// While it lives, the dialog's close question is answered with `answer`.
class QuestionAnswerer {
 public:
  explicit QuestionAnswerer(QMessageBox::StandardButton answer) {
    timer_.setInterval(20);
    QObject::connect(&timer_, &QTimer::timeout, [this, answer] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || !box->isVisible() || !box->button(answer)) return;
      ++asked_;
      box->button(answer)->click();
    });
    timer_.start();
  }
  int asked() const { return asked_; }

 private:
  QTimer timer_;
  int asked_ = 0;
};

class UpgradeDialogTest : public ::testing::Test {
 protected:
  // The module runs at the rate the dialog's settings start with: the saved rate differs from
  // the 9600 an upgraded module comes back at.
  static constexpr std::uint32_t kModuleRate = 19200;

  UpgradeDialogTest() {
    settings_.baudRate = kModuleRate;
    // Short, so that the hundred reads of the verification stay quick.
    settings_.readTimeoutMs = 50;
    dialog_ = new CUpgradeDialog(settings_, {"vmod", sim_.LinkPath(), "virtual module", false},
                                 nullptr, clock_);
    dialog_->show();
  }
  ~UpgradeDialogTest() override { delete dialog_.data(); }

  // The dialog in place of the fixture's, its pauses on `clock`.
  void ReplaceDialog(link::Clock& clock) {
    delete dialog_.data();
    dialog_ = new CUpgradeDialog(settings_, {"vmod", sim_.LinkPath(), "virtual module", false},
                                 nullptr, clock);
    dialog_->show();
  }

  // A HEX file of `bytes` random bytes in 16-byte records, made by srec_cat.
  std::string MakeHexFile(std::size_t bytes) {
    binary_.resize(bytes);
    std::mt19937 random(7);
    for (auto& b : binary_) b = static_cast<std::uint8_t>(random());
    const auto bin = folder_.Write(
        "image.bin", std::string_view(reinterpret_cast<const char*>(binary_.data()), bytes));
    const auto hex = folder_.File("image.hex");
    const auto command = "srec_cat " + bin + " -binary -o " + hex + " -intel -Output_Block_Size 16";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return hex;
  }
  // The frames the file's lines become: a colon, then the line's bytes.
  static std::string FramesOf(const std::string& hex) {
    std::ifstream in(hex);
    std::string frames;
    for (std::string line; std::getline(in, line);) {
      frames += ':';
      for (std::size_t i = 1; i + 1 < line.size(); i += 2)
        frames += static_cast<char>(std::stoi(line.substr(i, 2), nullptr, 16));
    }
    return frames;
  }
  void EnterBootLoader() { testsupport::EnterBootLoader(sim_); }
  bool AnswersAtCommands() { return testsupport::AnswersAtCommands(sim_); }
  sim::BootLoaderFaults& BootLoader() { return sim_.Faults().BootLoader(); }
  void Upgrade(const std::string& path) {
    dialog_->pathEdit()->setText(QString::fromStdString(path));
    dialog_->upgradeButton()->click();
  }
  bool WaitIdle() {
    return QTest::qWaitFor(
        [&] {
          return dialog_->procedure().State() == UpgradeState::Idle &&
                 dialog_->upgradeButton()->isEnabled();
        },
        kSlowMs * 3);
  }
  bool WaitClosed() {
    return QTest::qWaitFor([&] { return dialog_.isNull(); }, kSlowMs * 3);
  }
  QString Log() const { return dialog_->log()->toPlainText(); }

  testsupport::ScopedVirtualModule sim_{testsupport::TestModuleOptions(kModuleRate)};
  link::CompressedClock clock_{100};
  // Tenfold: the six-second wait after "Upgrade Mode" lasts long enough to close within it.
  link::CompressedClock tenfold_{10};
  link::UartSettings settings_;
  testsupport::TempFolder folder_;
  std::vector<std::uint8_t> binary_;
  QPointer<CUpgradeDialog> dialog_;
};

TEST_F(UpgradeDialogTest, UploadsAFileFrameByFrameAndFinishes) {
  const auto hex = MakeHexFile(4096);
  EnterBootLoader();
  sim_.Faults().SetRecording(true);
  ModalAnswerer answers;
  Upgrade(hex);
  EXPECT_FALSE(dialog_->upgradeButton()->isEnabled());  // the six controls wait for the upload
  EXPECT_FALSE(dialog_->pathEdit()->isEnabled());
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(answers.seen(), QStringList{QStringLiteral("Upgrade finish~!!")});

  // What reached the module: identification requests, then exactly the file's lines.
  const auto received = sim_.Faults().Received();
  const std::string wire(received.begin(), received.end());
  const auto frames = FramesOf(hex);
  const auto at = wire.find(frames);
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(wire.substr(0, at).find_first_not_of('Y'), std::string::npos);
  EXPECT_EQ(BootLoader().VerifiedImage().Bytes(),
            firmware::FirmwareImage::FromBinary(binary_).Bytes());

  for (const char* part : {"Upgrade Mode\nBaud Rate change to 115200\n", "End of transmission\n",
                           "Verify ok\n", "AT Command Mode\nBaud Rate change to 9600\n"})
    EXPECT_TRUE(Log().contains(QString::fromLatin1(part))) << part;
  EXPECT_EQ(dialog_->progressBar()->value(), 0);
  EXPECT_EQ(dialog_->procedure().Settings().baudRate, 9600u);
  EXPECT_TRUE(
      dialog_->preview()->toPlainText().startsWith(QStringLiteral("258 lines, 258 records")))
      << dialog_->preview()->toPlainText().toStdString();
  EXPECT_TRUE(AnswersAtCommands());
}

TEST_F(UpgradeDialogTest, ThePreviewIsMadeOffTheUiThreadOncePerVersionOfTheFile) {
  const auto hex = MakeHexFile(4096);
  const auto summaryShown = [&] {
    return dialog_->preview()->toPlainText().startsWith(QStringLiteral("258 lines, 258 records"));
  };
  dialog_->pathEdit()->setText(QString::fromStdString(hex));
  emit dialog_->pathEdit()->editingFinished();
  EXPECT_EQ(dialog_->preview()->toPlainText(), QStringLiteral("Reading the file..."));
  ASSERT_TRUE(QTest::qWaitFor(summaryShown, kSlowMs));
  emit dialog_->pathEdit()->editingFinished();  // the same file: shown at once, not read again
  EXPECT_TRUE(summaryShown());
}

TEST_F(UpgradeDialogTest, CancelAfterANakReturnsTheModuleAtTheSavedRate) {
  const auto hex = MakeHexFile(256);
  BootLoader().SetNakAtLine(3);
  dialog_->upgradeModeButton()->click();
  EXPECT_FALSE(dialog_->upgradeModeButton()->isEnabled());
  ASSERT_TRUE(WaitIdle());
  EXPECT_TRUE(Log().endsWith(QStringLiteral("\nWaiting 5 sec to reset......")));
  EXPECT_TRUE(BootLoader().InBootLoader());

  ModalAnswerer answers;
  Upgrade(hex);
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(answers.seen(), QStringList{QStringLiteral("The upgrade checksum error!")});
  EXPECT_EQ(BootLoader().LinesAccepted(), 2u);
  EXPECT_EQ(dialog_->procedure().SavedBaudRate(), 19200u);

  dialog_->cancelButton()->click();
  EXPECT_FALSE(dialog_->cancelButton()->isEnabled());  // the module is being returned
  ASSERT_TRUE(WaitClosed());
  EXPECT_TRUE(AnswersAtCommands());
}

TEST_F(UpgradeDialogTest, APathWithCapitalExtensionIsRefused) {
  ModalAnswerer answers;
  sim_.Faults().SetRecording(true);
  Upgrade(folder_.File("FIRMWARE.HEX"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !answers.seen().isEmpty(); }, kSlowMs));
  EXPECT_EQ(answers.seen(), QStringList{QStringLiteral("Please input file path!!")});
  EXPECT_TRUE(dialog_->upgradeButton()->isEnabled());
  EXPECT_FALSE(dialog_->procedure().BaudSaved());
  EXPECT_TRUE(sim_.Faults().Received().empty());
}

TEST_F(UpgradeDialogTest, ClosingDuringAnUploadAsksThenStopsAndReturnsTheModule) {
  const auto hex = MakeHexFile(64 * 1024);
  EnterBootLoader();
  Upgrade(hex);
  ASSERT_TRUE(QTest::qWaitFor([&] { return BootLoader().LinesAccepted() >= 10; }, kSlowMs));
  {
    QuestionAnswerer no(QMessageBox::No);
    dialog_->close();
    EXPECT_EQ(no.asked(), 1);
  }
  EXPECT_FALSE(dialog_.isNull());
  EXPECT_EQ(dialog_->procedure().State(), UpgradeState::Transferring);
  {
    QuestionAnswerer yes(QMessageBox::Yes);
    dialog_->close();
    EXPECT_EQ(yes.asked(), 1);
    ASSERT_TRUE(WaitClosed());
  }
  EXPECT_LT(BootLoader().LinesAccepted(), FramesOf(hex).size() / 22);
  EXPECT_TRUE(AnswersAtCommands());
}

TEST_F(UpgradeDialogTest, APortHeldByANetworkWindowIsNamedAndCancelStillReturnsTheModule) {
  const auto hex = MakeHexFile(256);
  EnterBootLoader();
  NetworkFrame net(sim_.LinkPath());
  ASSERT_TRUE(net.view().controller().Connect());
  ModalAnswerer answers;
  Upgrade(hex);
  // The step fails at once: wait for its message rather than for the idle controls.
  ASSERT_TRUE(QTest::qWaitFor([&] { return !answers.seen().isEmpty(); }, kSlowMs));
  ASSERT_TRUE(WaitIdle());
  ASSERT_EQ(answers.seen().size(), 1);
  // The message stays; what holds the port is said under it.
  EXPECT_EQ(answers.seen().first(),
            QStringLiteral("Upgrade timeout: cannot communicate with target."));
  net.view().controller().Disconnect();
  dialog_->cancelButton()->click();
  ASSERT_TRUE(WaitClosed());
  EXPECT_TRUE(AnswersAtCommands());
}

TEST_F(UpgradeDialogTest, ClosingDuringUpgradeModeReturnsTheModule) {
  ReplaceDialog(tenfold_);
  dialog_->upgradeModeButton()->click();
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return Log().contains(QStringLiteral("Waiting 5 sec")); }, kSlowMs));
  {
    QuestionAnswerer yes(QMessageBox::Yes);
    dialog_->close();
    ASSERT_TRUE(WaitClosed());
  }
  EXPECT_TRUE(AnswersAtCommands());
}

TEST_F(UpgradeDialogTest, QuittingDuringAnUploadAsksThroughTheDialogAndReturnsTheModule) {
  QSettings settings(shell::kSettingsOrganisation, shell::kSettingsApplication);
  settings.clear();
  shell::CMainFrame frame(settings);
  frame.show();
  dialog_->setParent(&frame, dialog_->windowFlags());  // as a network view opens it
  dialog_->show();
  const auto hex = MakeHexFile(64 * 1024);
  EnterBootLoader();
  Upgrade(hex);
  ASSERT_TRUE(QTest::qWaitFor([&] { return BootLoader().LinesAccepted() >= 10; }, kSlowMs));
  {
    QuestionAnswerer yes(QMessageBox::Yes);
    EXPECT_FALSE(frame.close());  // the program waits while the dialog returns the module
    EXPECT_EQ(yes.asked(), 1);
    ASSERT_FALSE(dialog_.isNull());
    EXPECT_TRUE(dialog_->isVisible());
    ASSERT_TRUE(WaitClosed());
  }
  EXPECT_TRUE(QTest::qWaitFor([&] { return !frame.isVisible(); }, kSlowMs));
  EXPECT_TRUE(AnswersAtCommands());
}

}  // namespace
}  // namespace netloom::guitest
