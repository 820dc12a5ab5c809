// WriteConfig: the image from the current values, "ATCFGWRITE", the module's header, four
// frames with their acknowledgements, EOT and the module's verdict on the whole image.
#include <array>
#include <span>
#include <string>

#include "core/link/config/config_frames.h"
#include "core/link/config/config_image.h"
#include "core/link/config/config_messages.h"
#include "core/link/config/config_transfer.h"
#include "core/link/exchange/receive_byte.h"
#include "core/link/worker/worker_actions.h"

namespace netloom::link {
namespace {

constexpr std::string_view kWriteCommand = "ATCFGWRITE\r";
constexpr std::size_t kWriteEchoLength = 12;
// Answer cycles (of up to three one-byte reads each) without a verdict before giving up.
constexpr int kMaxAnswerCycles = 20;

enum class Answer { Accepted, Refused, Silent, Babbling };

// Waits for the module's answer to a frame (`refusal` ESC) or to EOT (`refusal` NAK), in cycles
// of up to three one-byte reads; other bytes are passed over. An ACK is taken whenever it comes:
// the module has the data then, and stopping there would leave it half-programmed.
Answer AwaitAnswer(SerialPort& port, std::uint8_t refusal) {
  for (int cycle = 1; cycle <= kMaxAnswerCycles + 1; ++cycle) {
    for (int read = 1; read <= kReadsPerByte; ++read) {
      std::uint8_t byte = 0;
      if (ReadBytes(port, &byte, 1) == 0) {
        if (read == kReadsPerByte) return Answer::Silent;
        continue;
      }
      if (byte == kAck) return Answer::Accepted;
      if (byte == refusal) return Answer::Refused;
    }
  }
  return Answer::Babbling;
}

// The module's header up to its EOT; the failure's message, or empty to go on.
std::string ReceiveHeader(SerialPort& port) {
  HeaderReceiver receiver;
  for (;;) {
    const auto byte = ReceiveByte(port);
    if (!byte) return std::string(kConfigHeaderTimeout);
    switch (receiver.Feed(*byte)) {
      case FeedResult::Ended:
        return {};
      case FeedResult::Failed:
        return receiver.Message();
      case FeedResult::More:
      case FeedResult::Accepted:
        break;
    }
  }
}

void SendFrame(SerialPort& port, std::span<const std::uint8_t> payload) {
  WriteByte(port, kStx);
  WriteText(port, HexByte(static_cast<std::uint8_t>(payload.size())));
  for (const std::uint8_t byte : payload) WriteText(port, HexByte(byte));
  WriteText(port, HexByte(FrameChecksum(payload)));
}

using detail::Outcome;

// Frames and EOT.
Outcome SendImage(WorkerContext& ctx, detail::ConfigTransfer& transfer, const ConfigImage& image) {
  WriteByte(ctx.port, kStx);
  for (std::size_t offset = 0; offset < image.size(); offset += kMaxFramePayload) {
    const std::size_t size = std::min(kMaxFramePayload, image.size() - offset);
    SendFrame(ctx.port, std::span(image).subspan(offset, size));
    switch (AwaitAnswer(ctx.port, kEsc)) {
      case Answer::Accepted:
        transfer.FrameDone();
        break;
      case Answer::Refused:
        return {std::string(kSendChecksumError)};
      case Answer::Silent:
      case Answer::Babbling:
        return {std::string(kFrameAckTimeout)};
    }
  }
  WriteByte(ctx.port, kEot);
  switch (AwaitAnswer(ctx.port, kNak)) {
    case Answer::Accepted:
      ctx.DiscardRead();
      return {std::string(kWritingFinished), true};
    case Answer::Refused:
      return {std::string(kEndChecksumError)};
    case Answer::Silent:
      return {std::string(kEndTimeout)};
    case Answer::Babbling:
      return {std::string(kEndCycleTimeout)};
  }
  return {};
}

Outcome Write(WorkerContext& ctx, detail::ConfigTransfer& transfer) {
  // An image is only ever made whole, checksum included; a value that cannot be encoded as it
  // stands sends nothing.
  const EncodeResult encoded = EncodeImage(ctx.configValues);
  if (!encoded.ok()) return {encoded.error};
  transfer.Store(encoded.image);

  WriteText(ctx.port, kWriteCommand);
  std::array<std::uint8_t, kWriteEchoLength> echo{};
  ReadBytes(ctx.port, echo.data(), echo.size());
  if (std::string failure = ReceiveHeader(ctx.port); !failure.empty()) return {failure};
  return SendImage(ctx, transfer, encoded.image);
}

}  // namespace

CommandReport WriteConfigImage(WorkerContext& ctx) {
  return detail::RunTransfer(ctx, WorkerCommand::WriteConfig, Write);
}

}  // namespace netloom::link
