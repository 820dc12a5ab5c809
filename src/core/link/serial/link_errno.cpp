#include "core/link/serial/link_errno.h"

#include <cerrno>
#include <string>
#include <system_error>

namespace netloom::link::detail {

LinkError TranslateErrno(int err, std::string_view path) {
  LinkError error{ErrorKind::System, std::string(path) + ": "};
  const std::string reason = std::generic_category().message(err);
  switch (err) {
    case EACCES:
    case EPERM:
      error.detail += reason + std::string(kPermissionRemedies);
      break;
    case EBUSY:
    case EWOULDBLOCK:
      error.detail += "in use by another program";
      break;
    case ENOTTY:
      error.kind = ErrorKind::Unsupported;
      error.detail += "not a serial device";
      break;
    case EINVAL:
      error.kind = ErrorKind::Unsupported;
      error.detail += reason;
      break;
    case EBADF:
      error.kind = ErrorKind::CallerBug;
      error.detail += "port is closed";
      break;
    default:
      error.detail += reason;
      break;
  }
  return error;
}

}  // namespace netloom::link::detail
