// netloom::catalogue — the module catalogues and the value tables that hang off them.
//
// - at_commands.h     the 56 AT commands, the console tree's two tabs, command look-ups
// - parameter_kinds.h the 35 parameter kinds of the console grid and their option codes
// - config_items.h    the 51 configuration items, their groups and option codes
// - value_tables.h    KindValueTable and ConfigValueTable (process-wide, thread-safe)
// - value_entry.h     the checks and messages that turn typed values into slot texts
// - command_line.h    the console's command line composition (with the RTC argument)
// - text_case.h       comparing texts that may come in either case
//
// Nothing in this module throws, shows or logs: results and messages go back to the caller.
// The catalogues are constant; the value tables are the only state.
#pragma once

#include "core/catalogue/at_commands.h"
#include "core/catalogue/command_line.h"
#include "core/catalogue/config_items.h"
#include "core/catalogue/digits.h"
#include "core/catalogue/entry_result.h"
#include "core/catalogue/parameter_kinds.h"
#include "core/catalogue/text_case.h"
#include "core/catalogue/value_entry.h"
#include "core/catalogue/value_tables.h"
#include "core/catalogue/value_type.h"
