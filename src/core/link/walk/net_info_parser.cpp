#include "core/link/walk/net_info_parser.h"

#include <cctype>
#include <cstddef>

namespace netloom::link {
namespace {

int HexValue(std::string_view digits) {
  int value = 0;
  for (const char c : digits) {
    const int digit = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
    value = value * 16 + digit;
  }
  return value;
}

// Addresses travel low byte first: c0 c1 c2 c3 is the address c2 c3 c0 c1.
std::string WireAddress(std::string_view c) {
  return {c[2], c[3], c[0], c[1]};
}

}  // namespace

ReplyState NetInfoParser::Feed(std::uint8_t byte) {
  if (state_ != ReplyState::Reading || byte == ' ') return state_;
  switch (field_) {
    case Field::Open:
      if (byte == '<') field_ = Field::Length;
      return state_;
    case Field::Close:
      state_ = byte == '>' ? ReplyState::Complete : ReplyState::ReadError;
      return state_;
    default:
      break;
  }
  if (std::isxdigit(byte) == 0) {
    state_ = ReplyState::NotHex;
    return state_;
  }
  digits_.push_back(static_cast<char>(byte));
  const bool isAddress = field_ == Field::OwnAddress || field_ == Field::FirstAddress ||
                         field_ == Field::SecondAddress;
  if (digits_.size() == (isAddress ? 4u : 2u)) {
    EndField();
    digits_.clear();
  }
  return state_;
}

void NetInfoParser::EndField() {
  switch (field_) {
    case Field::Length:
      // Integer division as the module counts: lengths below 8 announce no entry.
      record_.entryCount = (HexValue(digits_) - 2) / 6;
      field_ = Field::OwnAddress;
      break;
    case Field::OwnAddress:
      record_.address = WireAddress(digits_);
      field_ = record_.entryCount > 0 ? Field::Kind : Field::Close;
      break;
    case Field::Kind:
      kind_ = HexValue(digits_);
      field_ = Field::Value;
      break;
    case Field::Value:
      field_ = Field::FirstAddress;
      break;
    case Field::FirstAddress:
      firstAddress_ = WireAddress(digits_);
      field_ = Field::SecondAddress;
      break;
    case Field::SecondAddress:
      if (kind_ == 1) record_.children.push_back({firstAddress_});
      ++entriesRead_;
      field_ = entriesRead_ == record_.entryCount ? Field::Close : Field::Kind;
      break;
    case Field::Open:
    case Field::Close:
      break;
  }
}

std::optional<std::string> NameReader::Feed(std::uint8_t byte) {
  if (!inName_) {
    ++countBefore_;
    inName_ = byte == '<';
    if (countBefore_ > kMaxBytesBeforeName) return std::string(kDefaultNodeName);
    return std::nullopt;
  }
  if (byte == '>') return name_.substr(0, name_.find('\0'));
  if (name_.size() >= kMaxNodeNameLength) return std::string(kDefaultNodeName);
  name_.push_back(static_cast<char>(byte));
  return std::nullopt;
}

}  // namespace netloom::link
