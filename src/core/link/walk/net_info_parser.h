// Parsers for the two replies of the network walk. They do no I/O: the walk feeds them the
// bytes it reads, one at a time, and stops reading when they say so.
//
// ATNETINFO reply:  "<" LL AAAA { TT BB XXXX YYYY } ">"   (blanks anywhere are skipped)
//   LL      two hex digits, bytes after it: two for the address, six per entry, so
//           entryCount = (LL - 2) / 6
//   AAAA    the node's own address, low byte first on the wire ("3412" is the address 1234)
//   TT BB   the entry's kind (1: a child of the node) and a value byte that is not kept
//   XXXX    first address, low byte first; for a child its short address
//   YYYY    second address, read and not kept
// Bytes before "<" are ignored. A character other than ">" where the reply must close is a
// read error (the user sees kReadErrorMessage). A character that is not a hex digit where a field
// is expected ends the reply as if it broke off there: nothing after it can be trusted.
//
// ATNAMEREQ reply: any bytes, "<", up to 17 name characters, ">".
//
// Thread safety: none needed; a parser belongs to the one exchange that feeds it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/link/walk/node_table.h"

namespace netloom::link {

// Shown to the user when a network information reply does not close as it must.
inline constexpr std::string_view kReadErrorMessage = "read error!!";

enum class ReplyState {
  Reading,    // feed the next byte
  Complete,   // the record is whole
  ReadError,  // malformed reply: show kReadErrorMessage, leave the node out
  NotHex,     // a character that is not a hex digit inside a field: the reply broke off there
};

class NetInfoParser {
 public:
  // Takes the next byte of an ATNETINFO reply. Once the state is not Reading, further bytes
  // change nothing.
  ReplyState Feed(std::uint8_t byte);
  ReplyState State() const { return state_; }
  // The record read: address, entryCount and the child entries in reply order. Meaningful
  // once Feed returned Complete.
  const NodeRecord& Record() const { return record_; }

 private:
  enum class Field { Open, Length, OwnAddress, Kind, Value, FirstAddress, SecondAddress, Close };
  void EndField();

  ReplyState state_ = ReplyState::Reading;
  Field field_ = Field::Open;
  std::string digits_;  // characters of the field being read
  int kind_ = 0;
  std::string firstAddress_;
  std::int32_t entriesRead_ = 0;
  NodeRecord record_;
};

// Longest name a node may have; a longer one gives the default name.
inline constexpr std::size_t kMaxNodeNameLength = 17;
// Bytes that may come before the name's "<" (the "<" included) before the reply is given up.
inline constexpr int kMaxBytesBeforeName = 50;

class NameReader {
 public:
  // Takes the next byte of an ATNAMEREQ reply. Returns the name once reading stops: the
  // characters between "<" and ">", or kDefaultNodeName for a name that is too long or a "<"
  // that does not come in time. A name with a NUL byte ends at the NUL.
  std::optional<std::string> Feed(std::uint8_t byte);

 private:
  bool inName_ = false;
  int countBefore_ = 0;
  std::string name_;
};

}  // namespace netloom::link
