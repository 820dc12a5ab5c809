// Test support for the upgrade: a virtual module, an observer that records everything, HEX
// files made by an independent tool, and the module's state seen from outside.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <vector>

#include "core/firmware/hex_record.h"
#include "core/firmware/upgrade_procedure.h"
#include "core/link/serial/clock.h"
#include "support/boot_loader_client.h"
#include "support/ser2net_server.h"
#include "support/temp_folder.h"

namespace netloom::testsupport {

class RecordingObserver final : public firmware::UpgradeObserver {
 public:
  void OnLog(std::string_view text) override {
    std::lock_guard lock(mutex_);
    log_ += text;
  }
  void OnMessage(const firmware::UpgradeMessage& message) override {
    std::lock_guard lock(mutex_);
    messages_.push_back(message);
  }
  std::string Log() const {
    std::lock_guard lock(mutex_);
    return log_;
  }
  std::vector<std::string> Messages() const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> texts;
    for (const auto& m : messages_) texts.push_back(m.text);
    return texts;
  }
  firmware::UpgradeMessage LastMessage() const {
    std::lock_guard lock(mutex_);
    return messages_.empty() ? firmware::UpgradeMessage{} : messages_.back();
  }
  void Clear() {
    std::lock_guard lock(mutex_);
    log_.clear();
    messages_.clear();
  }

 private:
  mutable std::mutex mutex_;
  std::string log_;
  std::vector<firmware::UpgradeMessage> messages_;
};

// Short enough that the hundred reads of the verification stay quick, long enough for a module
// on a busy machine (every exchange tolerates many missed reads).
inline constexpr std::uint32_t kTestReadTimeoutMs = 50;
// Bound of any one step; generous for sanitizers on a shared machine.
inline constexpr auto kStepBound = std::chrono::seconds(120);

class UpgradeTest : public ::testing::Test {
 protected:
  UpgradeTest() {
    settings_.baudRate = kModuleRate;
    settings_.readTimeoutMs = kTestReadTimeoutMs;
  }

  std::unique_ptr<firmware::UpgradeProcedure> MakeProcedure() {
    return std::make_unique<firmware::UpgradeProcedure>(PortPath(), settings_, observer_, clock_);
  }

  // From now on the procedure reaches the module through a real ser2net in `mode`.
  void UseSer2net(Ser2netMode mode) {
    server_ = std::make_unique<Ser2netServer>(sim_->LinkPath(), mode);
    ASSERT_TRUE(server_->Running());
  }
  // The module's link, or the server's port after UseSer2net.
  std::string PortPath() const { return server_ ? server_->PortName() : sim_->LinkPath(); }

  // A HEX file of `binaryBytes` random bytes in records of `blockSize` bytes, made by srec_cat.
  std::string MakeHexFile(std::size_t binaryBytes, int blockSize = 16) {
    binary_.resize(binaryBytes);
    std::mt19937 random(static_cast<unsigned>(binaryBytes));
    for (auto& b : binary_) b = static_cast<std::uint8_t>(random());
    const auto bin = folder_.Write(
        "image.bin", std::string_view(reinterpret_cast<const char*>(binary_.data()), binaryBytes));
    const auto hex = folder_.File("image.hex");
    const auto command = "srec_cat " + bin + " -binary -o " + hex + " -intel -Output_Block_Size " +
                         std::to_string(blockSize);
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return hex;
  }
  firmware::FirmwareImage FileImage() const { return firmware::FirmwareImage::FromBinary(binary_); }
  static std::size_t CountLines(const std::string& path) {
    std::ifstream in(path);
    std::size_t lines = 0;
    for (std::string line; std::getline(in, line);) ++lines;
    return lines;
  }

  void EnterBootLoader() { testsupport::EnterBootLoader(*sim_); }
  bool AnswersAtCommands() { return testsupport::AnswersAtCommands(*sim_); }

  // An upload of a 64 KiB file, started and some lines into its run.
  std::unique_ptr<firmware::UpgradeProcedure> StartLongUpload() {
    const auto hex = MakeHexFile(64 * 1024);
    EnterBootLoader();
    auto procedure = MakeProcedure();
    EXPECT_TRUE(procedure->StartUpgrade(hex));
    EXPECT_TRUE(WaitFor([&] { return BootLoader().LinesAccepted() >= 10; }));
    return procedure;
  }

  static void Settle(firmware::UpgradeProcedure& procedure) {
    ASSERT_TRUE(procedure.WaitUntilSettled(kStepBound));
  }

  sim::BootLoaderFaults& BootLoader() { return sim_->Faults().BootLoader(); }
  sim::SimFaults& Faults() { return sim_->Faults(); }
  // A fresh module in place of the test's one.
  void RestartModule() { sim_ = MakeModule(); }

  // A module configured for 19200 baud, the rate the host's settings start with: the saved rate
  // differs from the 9600 an upgraded module comes back at.
  static constexpr std::uint32_t kModuleRate = 19200;
  static std::unique_ptr<testsupport::ScopedVirtualModule> MakeModule() {
    return std::make_unique<testsupport::ScopedVirtualModule>(
        testsupport::TestModuleOptions(kModuleRate));
  }
  std::unique_ptr<testsupport::ScopedVirtualModule> sim_ = MakeModule();
  std::unique_ptr<Ser2netServer> server_;
  link::CompressedClock clock_{100};
  RecordingObserver observer_;
  link::UartSettings settings_;
  TempFolder folder_;
  std::vector<std::uint8_t> binary_;
};

}  // namespace netloom::testsupport
