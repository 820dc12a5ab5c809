#include "core/link/serial/telnet_codec.h"

namespace netloom::link::telnet {

void Decoder::Feed(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& data,
                   std::vector<Event>& events) {
  for (const std::uint8_t byte : input) {
    switch (state_) {
      case State::Data:
        if (byte == kIac) {
          state_ = State::Iac;
        } else {
          data.push_back(byte);
        }
        break;
      case State::Iac:
        if (byte == kIac) {
          data.push_back(byte);
          state_ = State::Data;
        } else if (byte >= kWill) {
          verb_ = byte;
          state_ = State::Verb;
        } else if (byte == kSb) {
          state_ = State::SubOption;
        } else {
          state_ = State::Data;  // NOP, GA, DM, a stray SE: nothing for this client
        }
        break;
      case State::Verb:
        events.push_back({verb_, byte, {}});
        state_ = State::Data;
        break;
      case State::SubOption:
        sub_ = {kSb, byte, {}};
        state_ = State::Sub;
        break;
      case State::Sub:
        if (byte == kIac) {
          state_ = State::SubIac;
        } else if (sub_.payload.size() < kMaxSubnegotiation) {
          sub_.payload.push_back(byte);
        }
        break;
      case State::SubIac:
        if (byte == kSe) {
          events.push_back(std::move(sub_));
          sub_ = {};
          state_ = State::Data;
        } else {
          // IAC IAC is a payload byte; anything else after IAC is taken as one too, so a peer
          // that forgets to double 0xFF does not swallow the stream.
          if (sub_.payload.size() < kMaxSubnegotiation) sub_.payload.push_back(byte);
          state_ = State::Sub;
        }
        break;
    }
  }
}

void AppendEscaped(std::span<const std::uint8_t> data, std::vector<std::uint8_t>& out) {
  for (const std::uint8_t byte : data) {
    out.push_back(byte);
    if (byte == kIac) out.push_back(kIac);
  }
}

void AppendNegotiation(std::uint8_t verb, std::uint8_t option, std::vector<std::uint8_t>& out) {
  out.insert(out.end(), {kIac, verb, option});
}

void AppendSubnegotiation(std::uint8_t option, std::span<const std::uint8_t> payload,
                          std::vector<std::uint8_t>& out) {
  out.insert(out.end(), {kIac, kSb, option});
  AppendEscaped(payload, out);
  out.insert(out.end(), {kIac, kSe});
}

}  // namespace netloom::link::telnet
