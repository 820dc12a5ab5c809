// The one place where the system's error numbers become link errors.
#pragma once

#include <string_view>

#include "core/link/serial/serial_port.h"

namespace netloom::link::detail {

// Kind and detail ("<path>: <system's reason>", plus what to do where that is known: the dialout
// group for a refused permission, another program for a busy port) for errno `err` on `path`.
LinkError TranslateErrno(int err, std::string_view path);

}  // namespace netloom::link::detail
