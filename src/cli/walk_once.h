// One network query as `walk` runs it, shared by the commands that walk (walk, walk --watch,
// bridge): the progress line on a terminal, and what the walk found or why it found nothing.
#pragma once

#include <optional>
#include <string>

#include "cli/cli.h"
#include "cli/cli_link.h"
#include "core/link/walk/node_table.h"

namespace netloom::cli {

// One network query. Nothing with `network` set when it found the root; nothing with `network`
// empty and `failure` set when it broke off; else the exit status, the message written (the
// port lost: 1; interrupted: 130).
std::optional<int> WalkOnce(CliLink& link, CommandIo& io,
                            std::optional<link::NetworkSnapshot>& network, std::string& failure);

}  // namespace netloom::cli
