// The upgrade against the virtual module's boot loader, through a real pseudo-terminal.
#include "core/firmware/upgrade_procedure.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "core/firmware/upgrade_texts.h"
#include "upgrade_fixture.h"

namespace netloom::firmware {
namespace {

using testsupport::UpgradeTest;
using testsupport::WaitFor;

bool Contains(const std::string& text, std::string_view part) {
  return text.find(part) != std::string::npos;
}

TEST_F(UpgradeTest, VerifiedUploadDeliversTheFileAndReturnsToAtCommandMode) {
  const auto hex = MakeHexFile(3000);
  auto procedure = MakeProcedure();

  ASSERT_TRUE(procedure->StartUpgradeMode());
  EXPECT_FALSE(procedure->StartUpgrade(hex)) << "only one step at a time";
  Settle(*procedure);
  EXPECT_TRUE(Contains(observer_.Log(), "\r\nWaiting 5 sec to reset......"));
  EXPECT_TRUE(BootLoader().InBootLoader());
  EXPECT_EQ(procedure->Settings().readTimeoutMs, 200u);
  // Back to a short read time-out, so the verification's hundred reads stay quick.
  ASSERT_TRUE(procedure->ChangeUart(sim_->LinkPath(), settings_));

  ASSERT_TRUE(procedure->StartUpgrade(hex));
  Settle(*procedure);
  EXPECT_EQ(procedure->LastResult(), UpgradeResult::Finished);
  EXPECT_EQ(observer_.Messages(), std::vector<std::string>{"Upgrade finish~!!"});
  EXPECT_EQ(BootLoader().VerifiedImage().Bytes(), FileImage().Bytes());
  const auto log = observer_.Log();
  for (const auto* part :
       {"\r\nUpgrade Mode\r\nBaud Rate change to 115200\r\n", "Harbinor Wireless Inc.\x02\r\n",
        "End of transmission\r\n", "Verify ok\r\n",
        "\r\nAT Command Mode\r\nBaud Rate change to 9600\r\nOK\r\n"}) {
    EXPECT_TRUE(Contains(log, part)) << part << " in " << log;
  }
  EXPECT_EQ(procedure->State(), UpgradeState::Idle);
  EXPECT_EQ(procedure->Settings().baudRate, 9600u);
  EXPECT_FALSE(procedure->HasUpgradePort());
  EXPECT_EQ(procedure->Progress().percent, 0);
  EXPECT_EQ(procedure->Progress().framesAcknowledged, CountLines(hex));
  EXPECT_TRUE(AnswersAtCommands());
  EXPECT_EQ(procedure->Cancel(), CancelResult::CloseNow);
  EXPECT_EQ(procedure->State(), UpgradeState::Closed);
}

TEST_F(UpgradeTest, ThroughSer2netTheRateChangesReachTheModuleAndTheFileArrivesByteExact) {
  UseSer2net(testsupport::Ser2netMode::Rfc2217);
  const auto hex = MakeHexFile(3000);
  auto procedure = MakeProcedure();
  ASSERT_TRUE(procedure->StartUpgradeMode());
  Settle(*procedure);
  EXPECT_TRUE(BootLoader().InBootLoader());
  ASSERT_TRUE(procedure->ChangeUart(PortPath(), settings_));

  // The module's boot loader hears only 115200 and its return only 9600: a rate the server
  // did not set would be garbage.
  ASSERT_TRUE(procedure->StartUpgrade(hex));
  Settle(*procedure);
  EXPECT_EQ(procedure->LastResult(), UpgradeResult::Finished) << observer_.Log();
  EXPECT_EQ(observer_.Messages(), std::vector<std::string>{"Upgrade finish~!!"});
  EXPECT_EQ(BootLoader().VerifiedImage().Bytes(), FileImage().Bytes());
  EXPECT_TRUE(procedure->AtModeAnswered());
  EXPECT_TRUE(AnswersAtCommands());
}

TEST_F(UpgradeTest, ARawTcpPortRefusesBothStepsAndLeavesTheModuleAlone) {
  UseSer2net(testsupport::Ser2netMode::Raw);
  const auto hex = MakeHexFile(64);
  auto procedure = MakeProcedure();
  EXPECT_FALSE(procedure->StartUpgradeMode());
  EXPECT_FALSE(procedure->StartUpgrade(hex));
  EXPECT_EQ(observer_.Messages(),
            (std::vector<std::string>(2, std::string(kFixedRatePortMessage))));
  EXPECT_EQ(procedure->State(), UpgradeState::Idle);
  EXPECT_FALSE(BootLoader().InBootLoader());
  EXPECT_EQ(procedure->Cancel(), CancelResult::CloseNow);
}

struct FaultCase {
  const char* name;
  std::function<void(sim::BootLoaderFaults&)> fault;
  UpgradeResult result;
  std::string message;  // empty: none
  std::string inLog;
  std::size_t linesAccepted;
};

TEST_F(UpgradeTest, BootLoaderFaultsEndTheUploadWithTheirMessage) {
  const std::vector<FaultCase> cases = {
      {"nak", [](auto& f) { f.SetNakAtLine(3); }, UpgradeResult::Failed,
       "The upgrade checksum error!", "", 2},
      {"no identification", [](auto& f) { f.SetSilentToIdentify(true); }, UpgradeResult::Failed,
       "Upgrade timeout: cannot communicate with target.", "", 0},
      {"silent on line 2", [](auto& f) { f.SetSilentFromLine(2); }, UpgradeResult::Failed,
       "Upgrade timeout: no response from target", "", 1},
      {"ack on the 100th read", [](auto& f) { f.SetChatterBeforeAck(2, 98); },
       UpgradeResult::Finished, "Upgrade finish~!!", std::string(98, '*'), 6},
      {"ack on the 101st read", [](auto& f) { f.SetChatterBeforeAck(2, 99); },
       UpgradeResult::Failed, "Upgrade timeout: no response from target", "", 2},
      {"eot early", [](auto& f) { f.SetEotAfterLine(2); }, UpgradeResult::Finished,
       "Upgrade finish~!!", "End of transmission\r\n", 2},
      {"verification fails", [](auto& f) { f.SetFailVerify(true); }, UpgradeResult::Failed, "",
       "Image check failed\r\nVerify fail\r\n", 6},
  };
  const auto hex = MakeHexFile(64);  // four data records and the end-of-file record
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RestartModule();
    c.fault(BootLoader());
    observer_.Clear();
    EnterBootLoader();
    auto procedure = MakeProcedure();
    ASSERT_TRUE(procedure->StartUpgrade(hex));
    Settle(*procedure);
    EXPECT_EQ(procedure->LastResult(), c.result);
    const auto messages = observer_.Messages();
    EXPECT_EQ(messages,
              c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
    EXPECT_TRUE(Contains(observer_.Log(), c.inLog)) << observer_.Log();
    EXPECT_EQ(BootLoader().LinesAccepted(), c.linesAccepted);
    // Whatever happened, Cancel leaves the module in AT command mode at the saved rate.
    const bool failed = c.result == UpgradeResult::Failed;
    EXPECT_EQ(procedure->HasUpgradePort(), failed);
    EXPECT_EQ(procedure->Cancel(), failed ? CancelResult::Returning : CancelResult::CloseNow);
    Settle(*procedure);
    EXPECT_EQ(procedure->State(), UpgradeState::Closed);
    EXPECT_TRUE(AnswersAtCommands());
  }
}

TEST_F(UpgradeTest, CancelAfterANakReturnsTheModuleAtTheSavedRate) {
  const auto hex = MakeHexFile(256);
  BootLoader().SetNakAtLine(3);
  EnterBootLoader();
  auto procedure = MakeProcedure();
  ASSERT_TRUE(procedure->StartUpgrade(hex));
  Settle(*procedure);
  EXPECT_EQ(observer_.Messages(), std::vector<std::string>{"The upgrade checksum error!"});
  EXPECT_EQ(BootLoader().LinesAccepted(), 2u);
  EXPECT_TRUE(procedure->HasUpgradePort());
  EXPECT_EQ(procedure->Settings().baudRate, 115200u);

  Faults().SetRecording(true);
  EXPECT_EQ(procedure->Cancel(), CancelResult::Returning);
  Settle(*procedure);
  EXPECT_EQ(procedure->State(), UpgradeState::Closed);
  EXPECT_EQ(procedure->Settings().baudRate, 19200u);
  EXPECT_FALSE(procedure->HasUpgradePort());
  // The 0x4E went into the port the failure had closed: only the two commands arrived.
  const auto received = Faults().Received();
  EXPECT_EQ(std::string(received.begin(), received.end()), "ATUPGRADE 0\r ATRESET\r ");
  EXPECT_TRUE(observer_.Log().ends_with("\r\nAT Command Mode\r\nOK\r\nOK\r\n")) << observer_.Log();
  EXPECT_TRUE(AnswersAtCommands());
}

TEST_F(UpgradeTest, AnUploadPortThatDoesNotOpenIsStillReturnedByCancel) {
  const auto hex = MakeHexFile(256);
  EnterBootLoader();
  auto held = link::OpenPort(sim_->LinkPath());  // someone else has the port at 115200
  ASSERT_TRUE(held.port);
  auto procedure = MakeProcedure();
  ASSERT_TRUE(procedure->StartUpgrade(hex));
  Settle(*procedure);
  EXPECT_EQ(procedure->LastResult(), UpgradeResult::Failed);
  EXPECT_TRUE(procedure->HasUpgradePort());

  held.port.reset();
  EXPECT_EQ(procedure->Cancel(), CancelResult::Returning);
  Settle(*procedure);
  EXPECT_TRUE(observer_.Log().ends_with("\r\nAT Command Mode\r\nOK\r\nOK\r\n")) << observer_.Log();
  EXPECT_TRUE(AnswersAtCommands());
}

TEST_F(UpgradeTest, AReturnTheModuleDoesNotAnswerIsToldApart) {
  // The return's answer is one read: on a loaded machine the module's "OK" can take longer
  // than the 50 ms the other tests read with.
  settings_.readTimeoutMs = 2 * testsupport::kTestReadTimeoutMs;
  const auto hex = MakeHexFile(64);
  for (const bool quiet : {false, true}) {
    SCOPED_TRACE(quiet);
    BootLoader().SetQuietReturn(quiet);
    observer_.Clear();
    EnterBootLoader();
    auto procedure = MakeProcedure();
    ASSERT_TRUE(procedure->StartUpgrade(hex));
    Settle(*procedure);
    EXPECT_EQ(procedure->LastResult(), UpgradeResult::Finished);
    EXPECT_EQ(observer_.Messages().back(), "Upgrade finish~!!");
    EXPECT_EQ(procedure->AtModeAnswered(), !quiet);
    EXPECT_EQ(observer_.LastMessage().detail, quiet ? firmware::kNoAtModeAnswerHint : "");
  }
}

TEST_F(UpgradeTest, BaudSavedFlagAcrossUpgradeFinishUartAndCancel) {
  const auto hex = MakeHexFile(64);
  auto procedure = MakeProcedure();
  EXPECT_FALSE(procedure->BaudSaved());

  EnterBootLoader();
  ASSERT_TRUE(procedure->StartUpgrade(hex));
  EXPECT_TRUE(procedure->BaudSaved());
  Settle(*procedure);
  ASSERT_EQ(procedure->LastResult(), UpgradeResult::Finished);
  EXPECT_EQ(procedure->Settings().baudRate, 9600u);
  EXPECT_EQ(procedure->SavedBaudRate(), 19200u);

  // A further upload saves nothing new: the rate before it (9600) is not kept.
  BootLoader().SetNakAtLine(1);
  EnterBootLoader();
  ASSERT_TRUE(procedure->StartUpgrade(hex));
  Settle(*procedure);
  ASSERT_EQ(procedure->LastResult(), UpgradeResult::Failed);
  EXPECT_EQ(procedure->SavedBaudRate(), 19200u);

  // New UART settings clear the flag, so the next upload saves the newly chosen rate: the
  // module's own since the upgrade, so that Cancel can reach it.
  auto chosen = settings_;
  chosen.baudRate = 9600;
  ASSERT_TRUE(procedure->ChangeUart(sim_->LinkPath(), chosen));
  EXPECT_FALSE(procedure->BaudSaved());
  EXPECT_TRUE(Contains(observer_.Log(), " 9600 8-None-1 FLOW:None\r\n"));
  ASSERT_TRUE(procedure->StartUpgrade(hex));  // still in the boot loader after the NAK
  Settle(*procedure);
  EXPECT_TRUE(procedure->BaudSaved());
  EXPECT_EQ(procedure->SavedBaudRate(), 9600u);

  EXPECT_EQ(procedure->Cancel(), CancelResult::Returning);
  Settle(*procedure);
  EXPECT_EQ(procedure->Settings().baudRate, 9600u);
  EXPECT_TRUE(AnswersAtCommands());
}

TEST_F(UpgradeTest, CloseStopsARunningUploadAndReturnsTheModule) {
  auto procedure = StartLongUpload();
  Faults().SetRecording(true);
  procedure->Close();
  Settle(*procedure);
  EXPECT_EQ(procedure->State(), UpgradeState::Closed);
  EXPECT_EQ(procedure->LastResult(), UpgradeResult::Stopped);
  EXPECT_TRUE(observer_.Messages().empty());
  // The port was still open, so the boot loader heard the 0x4E before the two commands.
  const auto received = Faults().Received();
  const std::string text(received.begin(), received.end());
  EXPECT_TRUE(text.ends_with("NATUPGRADE 0\r ATRESET\r ")) << text;
  EXPECT_TRUE(Contains(observer_.Log(), "Upgrade cancelled\r\n"));
  EXPECT_TRUE(AnswersAtCommands());
}

TEST_F(UpgradeTest, DestroyingARunningProcedureWaitsForItsReturn) {
  auto procedure = StartLongUpload();
  procedure.reset();
  EXPECT_TRUE(AnswersAtCommands());
}

TEST_F(UpgradeTest, AModuleSentIntoItsBootLoaderIsReturnedByCloseAndCancel) {
  // Tenfold: the six-second wait after "Upgrade Mode" lasts long enough to close within it.
  link::CompressedClock tenfold(10);
  for (const bool closeDuringTheWait : {true, false}) {
    SCOPED_TRACE(closeDuringTheWait ? "Close during Upgrade Mode" : "Cancel after it");
    observer_.Clear();
    auto procedure =
        std::make_unique<UpgradeProcedure>(sim_->LinkPath(), settings_, observer_, tenfold);
    ASSERT_TRUE(procedure->StartUpgradeMode());
    if (closeDuringTheWait) {
      ASSERT_TRUE(WaitFor([&] { return Contains(observer_.Log(), "Waiting 5 sec to reset"); }));
      procedure->Close();
    } else {
      Settle(*procedure);
      ASSERT_TRUE(WaitFor([&] { return BootLoader().InBootLoader(); }));
      EXPECT_EQ(procedure->Cancel(), CancelResult::Returning);
    }
    Settle(*procedure);
    EXPECT_EQ(procedure->State(), UpgradeState::Closed);
    if (closeDuringTheWait) {
      EXPECT_FALSE(Contains(observer_.Log(), "reset......")) << observer_.Log();  // cut short
    }
    EXPECT_TRUE(Contains(observer_.Log(), "\r\nAT Command Mode\r\n")) << observer_.Log();
    EXPECT_TRUE(AnswersAtCommands());
  }
}

TEST_F(UpgradeTest, AReturnThatCannotOpenItsPortStaysOwedSoCancelCanTryAgain) {
  const auto hex = MakeHexFile(256);
  BootLoader().SetNakAtLine(2);
  EnterBootLoader();
  auto procedure = MakeProcedure();
  ASSERT_TRUE(procedure->StartUpgrade(hex));
  Settle(*procedure);
  ASSERT_EQ(procedure->LastResult(), UpgradeResult::Failed);
  // New UART settings after the failed upload clear the saved rate; the module is still owed.
  ASSERT_TRUE(procedure->ChangeUart(sim_->LinkPath(), settings_));
  ASSERT_FALSE(procedure->BaudSaved());

  auto held = link::OpenPort(sim_->LinkPath());  // someone else has the port
  ASSERT_TRUE(held.port);
  observer_.Clear();
  EXPECT_EQ(procedure->Cancel(), CancelResult::Returning);
  Settle(*procedure);
  EXPECT_EQ(observer_.Messages(), std::vector<std::string>{"Can't open this COM Port~!!"});
  EXPECT_EQ(procedure->State(), UpgradeState::Idle);
  EXPECT_TRUE(procedure->HasUpgradePort());

  held.port.reset();
  EXPECT_EQ(procedure->Cancel(), CancelResult::Returning);
  Settle(*procedure);
  EXPECT_EQ(procedure->State(), UpgradeState::Closed);
  EXPECT_FALSE(procedure->HasUpgradePort());
  EXPECT_TRUE(AnswersAtCommands());
}

TEST(UpgradeProcedure, RefusesPathsAndPortsItCannotUse) {
  testsupport::RecordingObserver observer;
  link::CompressedClock clock(100);
  link::UartSettings settings;
  settings.readTimeoutMs = testsupport::kTestReadTimeoutMs;
  UpgradeProcedure procedure("/nonexistent/tty", settings, observer, clock);

  EXPECT_FALSE(procedure.StartUpgrade("/tmp/FIRMWARE.HEX"));
  EXPECT_EQ(observer.Messages(), std::vector<std::string>{"Please input file path!!"});
  EXPECT_FALSE(procedure.BaudSaved());

  observer.Clear();
  ASSERT_TRUE(procedure.StartUpgradeMode());
  ASSERT_TRUE(procedure.WaitUntilSettled(testsupport::kStepBound));
  EXPECT_EQ(observer.LastMessage().text, "Can't open this COM Port~!!");
  EXPECT_FALSE(observer.LastMessage().detail.empty());

  // The file is checked first; then the port that never opened fails the handshake.
  testsupport::TempFolder folder;
  const auto hex = folder.Write("app.hex", ":00000001FF\n");
  for (const auto& [path, message] :
       {std::pair{folder.File("missing.hex"), "Can not use this file"},
        std::pair{hex, "Upgrade timeout: cannot communicate with target."}}) {
    observer.Clear();
    ASSERT_TRUE(procedure.StartUpgrade(path));
    ASSERT_TRUE(procedure.WaitUntilSettled(testsupport::kStepBound));
    EXPECT_EQ(observer.Messages(), std::vector<std::string>{message});
    EXPECT_FALSE(observer.LastMessage().detail.empty());
    EXPECT_EQ(procedure.LastResult(), UpgradeResult::Failed);
    // Counted all the same: Cancel tries to return a module left in its boot loader.
    EXPECT_TRUE(procedure.HasUpgradePort());
  }
  EXPECT_TRUE(procedure.BaudSaved());
  EXPECT_EQ(procedure.Cancel(), CancelResult::Returning);
  ASSERT_TRUE(procedure.WaitUntilSettled(testsupport::kStepBound));
  EXPECT_EQ(observer.LastMessage().text, "Can't open this COM Port~!!");
  // The return never reached the module: still owed, and Cancel may try again.
  EXPECT_EQ(procedure.State(), UpgradeState::Idle);
  EXPECT_TRUE(procedure.HasUpgradePort());
}

}  // namespace
}  // namespace netloom::firmware
