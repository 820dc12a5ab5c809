// The handshake around one frame of the upload, as a state machine over the bytes the boot
// loader sends (no I/O: the procedure reads one byte at a time and acts on the reaction).
//
// Before the frame is sent, STX asks for it; after, ACK accepts it, NAK rejects it and STX is
// ignored. EOT at any point only marks the end of transmission; any other byte is logged.
#pragma once

#include <cstdint>
#include <string>

namespace netloom::firmware {

// Reads of one byte each that a frame may take before the target counts as silent.
inline constexpr int kFrameReadLimit = 100;

enum class ExchangeEvent {
  None,          // keep reading
  SendFrame,     // write the frame now (the exchange counts it as sent)
  Acknowledged,  // the frame was accepted: take the next line
  Rejected,      // NAK: the checksum error ends the transfer
};

struct ExchangeReaction {
  ExchangeEvent event = ExchangeEvent::None;
  bool endOfTransmission = false;  // EOT: log it and go to verification after this frame
  std::string log;                 // text for the upgrade log (a byte outside the protocol)
};

class FrameExchange {
 public:
  ExchangeReaction Take(std::uint8_t byte);
  bool FrameSent() const { return sent_; }

 private:
  bool sent_ = false;
};

}  // namespace netloom::firmware
