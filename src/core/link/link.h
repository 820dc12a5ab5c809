// netloom::link — everything between this program and a module on a serial line: the port, the
// worker thread that alone talks to the module, and the exchanges the worker runs.
//
// One module and one namespace; its sub-folders only sort the files by job:
// - serial/    the serial port, termios, the trace, the port directory, error numbers, the clock
// - worker/    the link worker, its session, commands, events and listener
// - exchange/  the steps the exchanges share (command mode, remote set-up), the console and the
//              network query
// - walk/      the network walk, the node table, the device directory
// - config/    the configuration image and its read and write transfers
// - identity/  a module's identity and its exchanges
// Each folder's header of its own name lists what it offers.
#pragma once

#include "core/link/config/config.h"
#include "core/link/exchange/exchange.h"
#include "core/link/identity/identity.h"
#include "core/link/serial/serial.h"
#include "core/link/walk/walk.h"
#include "core/link/worker/worker.h"
