// The handler families of the virtual module (see handler_registry.h for how to add one).
#pragma once

#include "core/sim/handler_registry.h"

namespace netloom::sim {

// Reply of the module to a word it does not know.
inline constexpr std::string_view kUnknownCommandReply = "Error ATcommand\r\n";

void AddAtBasicHandlers(HandlerRegistry& registry);   // the catalogue's plain commands
void AddConsoleHandlers(HandlerRegistry& registry);   // escapes, ATCONSOLE
void AddNetworkHandlers(HandlerRegistry& registry);   // ATNETINFO, ATNAMEREQ
void AddConfigHandlers(HandlerRegistry& registry);    // ATCFGREAD, ATCFGWRITE
void AddIdentityHandlers(HandlerRegistry& registry);  // ATINFOI, ATRESET
// ATUPGRADE, and ATRESET into the boot loader; wraps the RESET registered before it.
void AddBootLoaderHandlers(HandlerRegistry& registry);

// Every family, later ones replacing words of earlier ones.
HandlerRegistry DefaultHandlers();

}  // namespace netloom::sim
