// The boot loader: "ATUPGRADE 1" then "ATRESET" restart the local module into it; it answers
// the identification request, asks for each record with STX, checks every record's own
// checksum (NAK for a bad one), keeps the image, verifies it after the end-of-file record and
// returns to command mode on "ATUPGRADE 0" then "ATRESET".
#include <algorithm>
#include <cctype>
#include <chrono>
#include <string>
#include <vector>

#include "core/sim/handlers.h"
#include "core/sim/node_image.h"
#include "core/sim/wire/boot_loader_bytes.h"
#include "core/sim/wire/control_bytes.h"
#include "core/sim/wire/flash_image.h"

namespace netloom::sim {
namespace {

using namespace std::chrono_literals;
using namespace wire;

constexpr auto kIdleWait = 1000ms;  // between looks for a stop while nothing comes
// While it waits for a record it says again that it is ready: the host's identification read
// takes the first ready byte along with the identification.
constexpr auto kReadyRepeat = 250ms;
constexpr auto kByteWait = 1000ms;  // for each further byte of a record or a text line
constexpr std::string_view kAtOk = "OK\r\n";
constexpr std::uint32_t kBootLoaderRate = 115200;
// A module that took a new firmware image comes back at the default command-mode rate, which its
// image then names.
constexpr std::uint32_t kFreshFirmwareRate = 9600;

std::string Trimmed(std::string text) {
  const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
  text.erase(text.begin(), std::find_if_not(text.begin(), text.end(), blank));
  text.erase(std::find_if_not(text.rbegin(), text.rend(), blank).base(), text.end());
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

class BootLoader {
 public:
  explicit BootLoader(SimContext& ctx) : ctx_(ctx), faults_(ctx.faults.BootLoader()) {}

  // Serves until "ATRESET" with the upgrade flag cleared.
  void Run() {
    faults_.NoteInBootLoader(true);
    // Also when a pulled adapter ends the loader in the middle: a re-plugged module starts in
    // command mode.
    struct LeaveNote {
      sim::BootLoaderFaults& faults;
      ~LeaveNote() { faults.NoteInBootLoader(false); }
    } leave{faults_};
    for (;;) {
      const auto byte = ctx_.link.ReadByte(AwaitingRecord() ? kReadyRepeat : kIdleWait);
      if (!byte) {
        if (AwaitingRecord()) ctx_.link.Write(std::string(1, static_cast<char>(kStx)));
        continue;
      }
      // At the command-mode rate it hears only the host's return ("ATUPGRADE 0", "ATRESET").
      if (ctx_.link.TookAtReturnRate() && *byte != 'A' && *byte != 'a') continue;
      if (*byte == kIdentifyRequest) {
        Identify();
      } else if (*byte == kRecordStart) {
        TakeRecord();
      } else if (*byte == kCancelRequest) {
        Restart();
        ctx_.link.Write("Upgrade cancelled\r\n");
      } else if (*byte == 'A' || *byte == 'a') {
        if (TakeText(static_cast<char>(*byte))) break;
      }
    }
    ctx_.link.SetLineRate(ApplyImageLineRate(ctx_.network));
    ctx_.link.Restart();
    ctx_.session = {};
  }

 private:
  void Restart() {
    image_ = {};
    line_ = 0;
    rejected_ = false;
    taking_ = false;
    faults_.NoteLinesAccepted(0);
  }

  void Identify() {
    if (faults_.SilentToIdentify()) return;
    Restart();
    taking_ = true;
    std::string reply(kIdentification);
    reply += static_cast<char>(kStx);
    ctx_.link.Write(reply);
  }

  bool Silenced() const {
    return faults_.SilentFromLine() != 0 && line_ >= faults_.SilentFromLine();
  }
  bool AwaitingRecord() const { return taking_ && !Silenced(); }

  void TakeRecord() {
    std::vector<std::uint8_t> frame{kRecordStart};
    const auto count = ctx_.link.ReadByte(kByteWait);
    if (!taking_ || !count) return;
    frame.push_back(*count);
    while (frame.size() < RecordLength(*count)) {
      const auto byte = ctx_.link.ReadByte(kByteWait);
      if (!byte) break;
      frame.push_back(*byte);
    }
    ++line_;
    if (Silenced()) return;
    const auto record = RecordOf(frame);
    if (!record || line_ == faults_.NakAtLine()) {
      rejected_ = true;
      ctx_.link.Write(std::string(1, static_cast<char>(kNak)));
      return;
    }
    image_.Apply(*record);
    faults_.NoteLinesAccepted(line_);
    std::string reply;
    if (line_ == faults_.ChatterLine()) reply.append(faults_.ChatterCount(), '*');
    if (record->kind == RecordKind::EndOfFile || line_ == faults_.EotAfterLine()) {
      reply += static_cast<char>(kEot);
      reply += static_cast<char>(kAck);
      ctx_.link.Write(reply);
      Verify();
      return;
    }
    reply += static_cast<char>(kAck);
    reply += static_cast<char>(kStx);
    ctx_.link.Write(reply);
  }

  void Verify() {
    taking_ = false;
    faults_.NoteVerifiedImage(image_);
    const bool good = !rejected_ && !image_.Bytes().empty() && !faults_.FailVerify();
    if (good) {
      ConfigureLineRate(ctx_.network, kFreshFirmwareRate);
      ctx_.link.SetLineRate(kBootLoaderRate, kFreshFirmwareRate);
    }
    // The failure text must not hold the verification byte.
    ctx_.link.Write(good ? std::string(1, static_cast<char>(kVerifiedMark)) + "\r\n"
                         : "Image check failed\r\n");
  }

  // A text command; true when it returns the module to command mode.
  bool TakeText(char first) {
    const auto rest = ctx_.link.ReadLine(kByteWait);
    if (!rest) return false;
    const auto command = Trimmed(first + *rest);
    SimNode& local = ctx_.network.Local();
    if (command == "ATUPGRADE 0" || command == "ATUPGRADE 1") {
      local.upgradePending = command.back() == '1';
      if (!faults_.QuietReturn()) ctx_.link.Write(kAtOk);
    } else if (command == "ATRESET") {
      if (!faults_.QuietReturn()) ctx_.link.Write(kAtOk);
      if (!local.upgradePending) return true;
      ctx_.link.Restart();
      Restart();
    }
    return false;
  }

  SimContext& ctx_;
  BootLoaderFaults& faults_;
  FlashImage image_;
  std::size_t line_ = 0;
  bool rejected_ = false;
  bool taking_ = false;  // identified and not yet verified
};

}  // namespace

void AddBootLoaderHandlers(HandlerRegistry& registry) {
  registry.Add("UPGRADE", [](SimContext& ctx, const SimCommand& command) {
    if (command.args.size() != 1 || (command.args[0] != "0" && command.args[0] != "1")) {
      ctx.link.Write("ERROR\r\n");
      return;
    }
    ctx.Node().upgradePending = command.args[0] == "1";
    ctx.link.Write(kAtOk);
  });
  // A reset with the upgrade flag set restarts the local module into its boot loader; any other
  // reset stays what it was.
  const SimHandler* earlier = registry.Find("RESET");
  SimHandler plainReset =
      earlier ? *earlier
              : SimHandler([](SimContext& ctx, const SimCommand&) { ctx.link.Write(kAtOk); });
  registry.Add("RESET", [plainReset](SimContext& ctx, const SimCommand& command) {
    if (&ctx.Node() != &ctx.network.Local() || !ctx.Node().upgradePending) {
      plainReset(ctx, command);
      return;
    }
    ctx.link.Write(kAtOk);
    ctx.link.Restart();
    ctx.link.SetLineRate(kBootLoaderRate, ApplyImageLineRate(ctx.network));
    BootLoader(ctx).Run();
  });
}

}  // namespace netloom::sim
