// ReadConfig: "ATCFGREAD", the module's frames, the image check, storing and decoding.
#include <array>
#include <string>

#include "core/link/config/config_frames.h"
#include "core/link/config/config_image.h"
#include "core/link/config/config_messages.h"
#include "core/link/config/config_transfer.h"
#include "core/link/exchange/receive_byte.h"
#include "core/link/worker/worker_actions.h"

namespace netloom::link {
namespace {

constexpr std::string_view kReadCommand = "ATCFGREAD\r";
// The module echoes the command followed by CR LF.
constexpr std::size_t kReadEchoLength = 11;

using detail::Outcome;

// Receives frames until EOT and the byte after it; the image, or the failure's message.
std::string ReceiveImage(SerialPort& port, detail::ConfigTransfer& transfer, ConfigImage& image) {
  ImageReceiver receiver;
  for (;;) {
    const auto byte = ReceiveByte(port);
    if (!byte) return std::string(kConfigReadTimeout);
    switch (receiver.Feed(*byte)) {
      case FeedResult::More:
        break;
      case FeedResult::Accepted:
        WriteByte(port, kAck);
        transfer.FrameDone();
        break;
      case FeedResult::Ended:
        if (!ReceiveByte(port)) return std::string(kConfigReadTimeout);  // one more, not used
        image = receiver.Image();
        return {};
      case FeedResult::Failed:
        return std::string(receiver.Message());
    }
  }
}

Outcome Read(WorkerContext& ctx, detail::ConfigTransfer& transfer) {
  WriteText(ctx.port, kReadCommand);
  std::array<std::uint8_t, kReadEchoLength> echo{};
  ReadBytes(ctx.port, echo.data(), echo.size());

  ConfigImage image{};
  if (std::string failure = ReceiveImage(ctx.port, transfer, image); !failure.empty())
    return {failure};
  if (!ImageChecksumOk(image)) return {std::string(kImageChecksumError)};

  transfer.Store(image);
  ctx.DiscardRead();
  if (DecodeImage(image, ctx.configValues) == DecodeResult::VersionMismatch) {
    return {ReadVersionError()};
  }
  detail::SetTransferredImage(ctx, image);  // the image shown is the one last read, from any node
  ctx.listener.ConfigValuesChanged();
  return {{}, true};
}

}  // namespace

CommandReport ReadConfigImage(WorkerContext& ctx) {
  return detail::RunTransfer(ctx, WorkerCommand::ReadConfig, Read);
}

}  // namespace netloom::link
