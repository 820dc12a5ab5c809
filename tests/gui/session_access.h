// Tests write a controller's link session where the worker or a click on a node would: a
// transfer held busy, a node selected, a refusal recorded. The product reads it only.
#pragma once

#include "gui/model/connection_controller.h"

namespace netloom::testsupport {

class SessionAccess {
 public:
  static link::LinkSession& Of(model::ConnectionController& controller) {
    return controller.session_;
  }
};

}  // namespace netloom::testsupport
