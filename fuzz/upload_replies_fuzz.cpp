// What the boot loader sends during an upload, as the upload reads it: the identification reply
// first, then one byte at a time through the frame handshake (a new frame after each ACK, the
// transfer's end at NAK), every byte outside the protocol turned into a log text.
#include <algorithm>
#include <cstdlib>

#include "core/firmware/boot_loader_protocol.h"
#include "core/firmware/frame_exchange.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace netloom::firmware;
  const std::size_t identification = std::min(size, kIdentification.size() + 1);
  (void)IsIdentification({data, identification});
  FrameExchange exchange;
  for (std::size_t i = identification; i < size; ++i) {
    const ExchangeReaction reaction = exchange.Take(data[i]);
    if (reaction.event == ExchangeEvent::None && !reaction.endOfTransmission &&
        reaction.log.empty() && !exchange.FrameSent()) {
      std::abort();  // a byte before the frame that was neither acted on nor logged
    }
    if (reaction.event == ExchangeEvent::Acknowledged) exchange = FrameExchange();
    if (reaction.event == ExchangeEvent::Rejected) break;
  }
  return 0;
}
