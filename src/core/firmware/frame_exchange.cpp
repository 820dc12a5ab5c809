#include "core/firmware/frame_exchange.h"

#include "core/firmware/boot_loader_protocol.h"

namespace netloom::firmware {

ExchangeReaction FrameExchange::Take(std::uint8_t byte) {
  if (byte == kEot) return {ExchangeEvent::None, true, {}};
  if (!sent_) {
    if (byte != kStx) return {ExchangeEvent::None, false, LoggedByte(byte)};
    sent_ = true;
    return {ExchangeEvent::SendFrame, false, {}};
  }
  switch (byte) {
    case kStx:
      return {};
    case kAck:
      return {ExchangeEvent::Acknowledged, false, {}};
    case kNak:
      return {ExchangeEvent::Rejected, false, {}};
    default:
      return {ExchangeEvent::None, false, LoggedByte(byte)};
  }
}

}  // namespace netloom::firmware
