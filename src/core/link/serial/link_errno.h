// The one place where the system's error numbers become link errors.
#pragma once

#include <string_view>

#include "core/link/serial/serial_port.h"

namespace netloom::link::detail {

// What a user can do about a port refused for lack of permission: the packages' udev rule, which
// gives the user at the seat the common USB-serial adapters, or the dialout group, which owns
// every serial port.
inline constexpr std::string_view kPermissionRemedies =
    " (install the netloom-cli package, whose udev rule gives you USB serial adapters, and replug "
    "the adapter; or join the 'dialout' group: 'sudo usermod -aG dialout $USER', then log in "
    "again)";

// Kind and detail ("<path>: <system's reason>", plus what to do where that is known: the dialout
// group for a refused permission, another program for a busy port) for errno `err` on `path`.
LinkError TranslateErrno(int err, std::string_view path);

}  // namespace netloom::link::detail
