#include "core/link/walk/network_walk.h"

#include <string>
#include <utility>

#include "core/link/walk/net_info_parser.h"

namespace netloom::link {
namespace {

constexpr int kReadsPerByte = 3;

// Hands the line's bytes one at a time to `take` until it returns true. Each byte gets up to
// three one-byte reads; false when they all bring nothing (or fail), or the reply runs on past
// kMaxReplyBytes.
template <typename Take>
bool ReceiveBytewise(SerialPort& port, Take&& take) {
  for (std::size_t received = 0; received < kMaxReplyBytes; ++received) {
    std::uint8_t byte = 0;
    int reads = 0;
    while (ReadBytes(port, &byte, 1) == 0) {
      if (++reads == kReadsPerByte) return false;
    }
    if (take(byte)) return true;
  }
  return false;
}

}  // namespace

std::string NotHexLine(std::string_view address) {
  return "ATNETINFO " + std::string(address) +
         ": the reply broke off at a character that is not a hex digit; the node is left out\r\n";
}

NetworkWalk::NetworkWalk(SerialPort& port, Clock& clock, NodeTable& nodeTable,
                         std::int32_t& nodeCounter, DeviceDirectory& directory, Report showMessage,
                         Report appendOutput)
    : port_(port),
      clock_(clock),
      nodeTable_(nodeTable),
      nodeCounter_(nodeCounter),
      directory_(directory),
      showMessage_(std::move(showMessage)),
      appendOutput_(std::move(appendOutput)) {}

NodePtr NetworkWalk::QueryNode(std::string_view address, int depth) {
  clock_.Pause(kNodeQueryPauseMs);
  WriteText(port_, "ATNETINFO " + std::string(address) + " 0\r");
  std::optional<NodeRecord> record = ParseNetInfo(address);
  if (!record) return nullptr;
  const std::int32_t key = NodeKey(record->address);
  const bool known = nodeTable_.count(key) > 0;

  WriteText(port_, "ATNAMEREQ " + std::string(address) + "\r");
  record->name = ReadName();
  std::uint8_t rest[kReceiveBufferSize];
  ReadBytes(port_, rest, sizeof rest);  // whatever follows the name is of no use
  directory_.Add(record->address, record->name);

  if (known) {
    ++nodeCounter_;
    return nullptr;
  }
  auto node = std::make_shared<const NodeRecord>(std::move(*record));
  nodeTable_.emplace(key, node);
  if (--depth <= 0 || node->entryCount == 0) return node;
  for (const ChildEntry& child : node->children) {
    if (nodeTable_.count(NodeKey(child.address)) == 0) QueryNode(child.address, depth);
  }
  ++nodeCounter_;
  return node;
}

std::optional<NodeRecord> NetworkWalk::ParseNetInfo(std::string_view address) {
  NetInfoParser parser;
  ReceiveBytewise(port_,
                  [&](std::uint8_t byte) { return parser.Feed(byte) != ReplyState::Reading; });
  switch (parser.State()) {
    case ReplyState::Complete:
      return parser.Record();
    case ReplyState::ReadError:
      showMessage_(kReadErrorMessage);
      return std::nullopt;
    case ReplyState::NotHex:
      appendOutput_(NotHexLine(address));
      return std::nullopt;
    case ReplyState::Reading:
      break;
  }
  return std::nullopt;
}

std::string NetworkWalk::ReadName() {
  NameReader reader;
  std::string name(kDefaultNodeName);
  ReceiveBytewise(port_, [&](std::uint8_t byte) {
    auto result = reader.Feed(byte);
    if (result) name = std::move(*result);
    return result.has_value();
  });
  return name;
}

}  // namespace netloom::link
