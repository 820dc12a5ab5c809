// The wire forms of the identity exchanges and the parser of the module's identity reply. The
// parser does no I/O: the exchange feeds it one byte at a time.
//
// Read request "ATINFOI\r". Reply: any bytes, "<", then (blanks are skipped, except inside the
// name, whose length the reply gives; numbers are hex digits of either case)
//   LL        2 digits  characters from the version to the end of the name, at most 40
//   version   4 digits  must be 2 (the image version "0002")
//   channel   2 digits  11..26
//   PAN ID    4 digits
//   type      2 digits  at most 2 (0 coordinator, 1 router, 2 end device)
//   mode      2 digits  at most 4
//   name      LL - 14 characters, 1 to 16
//   checksum  2 digits  0xFF minus the 8-bit sum of the version's two bytes, the channel, the
//                       PAN ID's two bytes, the type, the mode and every name character
// then ">".
// Write request "ATINFOI 0002 CC PPPP T M NAME\r" (channel and PAN ID in upper-case hex, type
// and mode in decimal); the module answers ACK, or EOT when it refuses the version.
//
// Thread safety: none needed; a parser belongs to the one exchange that feeds it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/link/config/config_messages.h"
#include "core/link/identity/module_identity.h"

namespace netloom::link {

inline constexpr std::string_view kIdentityReadRequest = "ATINFOI\r";
inline constexpr std::string_view kResetRequest = "ATRESET\r";
// Longest device name an identity carries.
inline constexpr std::size_t kMaxDeviceNameLength = 16;

// The failure messages of the identity exchanges (the remote set-up's are in remote_set_up.h;
// the version message is WriteVersionError, config_messages.h).
inline constexpr std::string_view kIdentityTimeout = kConfigHeaderTimeout;
inline constexpr std::string_view kIdentityFormatError = kConfigFormatError;
inline constexpr std::string_view kLengthError = "Len data error.";
inline constexpr std::string_view kChannelError = "Channel's data error.";
inline constexpr std::string_view kDeviceTypeError = "Device type error!!";
inline constexpr std::string_view kDeviceModeError = "Device mode error!!";
inline constexpr std::string_view kDeviceNameError = "Device name error!!";
inline constexpr std::string_view kIdentityChecksumError = "Check sum error!!";
inline constexpr std::string_view kIdentityCloseError = "Read error!!";

enum class IdentityState {
  Reading,   // feed the next byte
  Complete,  // the reply closed with ">"; Identity() holds every field
  Failed,    // Message() says why; Identity() holds the fields read before the fault
};

class IdentityReplyParser {
 public:
  // Starts from `current`: the fields the reply brings replace its fields one by one.
  explicit IdentityReplyParser(ModuleIdentity current) : identity_(std::move(current)) {}

  // Takes the next byte. More than 20 bytes up to and including "<" fail with the format
  // message, as does a character that is no hex digit where digits must come. A length that
  // leaves no room for a name of 1 to 16 characters fails with kDeviceNameError at once.
  IdentityState Feed(std::uint8_t byte);
  IdentityState State() const { return state_; }
  std::string_view Message() const { return message_; }
  const ModuleIdentity& Identity() const { return identity_; }
  // The reply's length field once read, else 0.
  std::int32_t Length() const { return length_; }

 private:
  enum class Field { Open, Length, Version, Channel, PanId, Type, Mode, Name, Checksum, Close };
  static int DigitsOf(Field field);  // hex digits of a numeric field
  IdentityState Fail(std::string_view message);
  // The field whose digits are complete; Reading, or the failure.
  IdentityState EndField(std::uint32_t value);
  void Add(std::uint32_t value, int bytes);

  IdentityState state_ = IdentityState::Reading;
  Field field_ = Field::Open;
  int opening_ = 0;  // bytes counted up to "<"
  std::string digits_;
  std::int32_t length_ = 0;
  std::int32_t counted_ = 0;  // characters from the version on
  std::uint8_t sum_ = 0;
  std::string name_;
  ModuleIdentity identity_;
  std::string message_;
};

// The write request for `requested`.
std::string FormatIdentityWrite(const ModuleIdentity& requested);
// The reply "<...>" a module sends for `identity` (upper-case digits, no blanks).
std::string FormatIdentityReply(const ModuleIdentity& identity);

// Why `name` cannot be a device name (the setup tool's messages: longer than 16 characters, empty,
// a blank), or that it holds a control character; nothing when it can.
std::optional<std::string> CheckDeviceName(std::string_view name);

// Why `requested` cannot go to a module as it stands (a field out of range, a name that is
// empty, longer than 16 characters or holds blanks or control characters); nothing when it
// can. Names are checked with CheckDeviceName's messages.
std::optional<std::string> CheckRequestedIdentity(const ModuleIdentity& requested);

}  // namespace netloom::link
