// netloom::link, exchange/ — the steps the module exchanges share, the console's commands and
// the network query.
//
// - command_mode.h            the command-mode sequences: the bytes and waits, in order
// - remote_set_up.h           RemoteSetUp, "ATCONSOLE" before a request for another node
// - receive_byte.h            ReceiveByte, one byte in up to three reads
// - console_command.cpp       the console command and the raw text (declared in worker_actions.h)
// - query_network_command.cpp the network query: prelude, the walk of walk/, the tables and the
//                             reports to the listener (declared in worker_actions.h)
//
// Worker thread only.
#pragma once

#include "core/link/exchange/command_mode.h"
#include "core/link/exchange/receive_byte.h"
#include "core/link/exchange/remote_set_up.h"
