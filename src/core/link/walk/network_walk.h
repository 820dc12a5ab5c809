// The network walk: asks a node for its neighbour information and its name, and follows its
// children down to a fixed depth, filling the worker's node table and the device directory.
//
// Wire: "ATNETINFO %s 0\r" and "ATNAMEREQ %s\r" (replies: see net_info_parser.h). Each node
// costs a 200 ms pause (through the clock) and the read time-outs of its replies; replies are
// read one byte at a time, each byte with up to three one-byte reads, so a silent line ends a
// reply after three read time-outs.
//
// Ownership: the walk works on the worker's node table and node counter, which it is given by
// reference and which must outlive it; records go into the table as shared immutable records.
// Thread safety: runs on the worker thread, the only user of the port. The device directory is
// safe to read meanwhile from any thread.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/link/serial/clock.h"
#include "core/link/serial/serial_port.h"
#include "core/link/walk/device_directory.h"
#include "core/link/walk/node_table.h"

namespace netloom::link {

// Failure of a network query whose root gave no usable reply.
inline constexpr std::string_view kNoAnswerFromCoordinator = "no answer from the coordinator";

// Depth of the network query: the root and three levels below it are asked.
inline constexpr int kQueryDepth = 4;
// Pause before every node's request.
inline constexpr std::uint32_t kNodeQueryPauseMs = 200;
// A reply that has not ended after this many bytes is given up like one that breaks off, so a
// line that babbles without end cannot hold the walk.
inline constexpr std::size_t kMaxReplyBytes = 4096;

class NetworkWalk {
 public:
  using Report = std::function<void(std::string_view text)>;

  // `showMessage` gets the text of a message box ("read error!!") and may block until the user
  // has seen it; `appendOutput` a line for the output pane.
  NetworkWalk(SerialPort& port, Clock& clock, NodeTable& nodeTable, std::int32_t& nodeCounter,
              DeviceDirectory& directory, Report showMessage, Report appendOutput);

  // Asks the node at `address` and, while `depth` lasts, the children it reports that the
  // table does not hold yet (depth 1, or less, asks the node alone); returns the node's record,
  // or null when the node gives no usable reply or is already in the table.
  //
  // Every node that answers gets a device-directory entry (an existing one is kept). Node
  // counter: +1 for a node whose reply carried an address already in the table, +1 for every
  // node inserted above the last level that reported at least one entry; nodes of the last
  // level and nodes without entries are not counted.
  // No reply, or one that breaks off: the node is left out, no message. A reply with a
  // character that is not a hex digit inside a field breaks off there: the node is left out,
  // with NotHexLine(address) in the output (a line, not a box that would stop the worker on
  // every refresh). A reply that does not close with ">": showMessage("read error!!"), the node
  // is left out.
  NodePtr QueryNode(std::string_view address, int depth);

 private:
  std::optional<NodeRecord> ParseNetInfo(std::string_view address);
  std::string ReadName();

  SerialPort& port_;
  Clock& clock_;
  NodeTable& nodeTable_;
  std::int32_t& nodeCounter_;
  DeviceDirectory& directory_;
  Report showMessage_;
  Report appendOutput_;
};

// The output line for a node whose reply held a character that is not a hex digit.
std::string NotHexLine(std::string_view address);

}  // namespace netloom::link
