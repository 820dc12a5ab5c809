// The AT console's parameter grid for one command: which rows it shows and which of them the
// console keeps hold of (the RTC block, the node rows a picked node fills).
//
// Build (c = command index, values = the console's KindValueTable):
//   56            nothing
//   57            group "Send Message" with the text row "Data"; slot 6 emptied
//   58, 59        group "Exit(+++)" / "Exit(---)"
//   0..55         group "AT" + name (description: the command's help text), then per parameter
//                 kind one catalogue row (catalogue_rows.h), kind 20 the text row "Data" (the
//                 "SREG" value), kind 26 the RTC block: "RTC Mode" (Display/Modify), "System
//                 Time" (check), "Date" (MM.dd.yyyy, picker MM/dd/yyyy), "Time"; the last three
//                 start disabled. Each kind's slot gets its initial text.
// UI thread only.
#pragma once

#include <QDateTime>

#include "core/catalogue/command_line.h"
#include "core/catalogue/value_tables.h"
#include "core/link/walk/device_directory.h"
#include "gui/panes/property_grid.h"

namespace netloom::panes {

// Rows of the last build the console refers to; null when the build has none.
struct ConsoleRows {
  GridRow* rtcMode = nullptr;
  GridRow* systemTime = nullptr;
  GridRow* date = nullptr;
  GridRow* time = nullptr;
  GridRow* address = nullptr;     // the last row of kind 2 or 3
  GridRow* mac = nullptr;         // the last row of kind 18
  GridRow* deviceName = nullptr;  // the last row of kind 11
};

// Empties `grid` and builds the rows of `command`; resets the command's slots in `values`.
ConsoleRows BuildConsoleGrid(PropertyGrid& grid, int command, catalogue::KindValueTable& values);

// The RTC block as Send reads it (Display when the grid shows no block).
catalogue::RtcBlock ReadRtcBlock(const ConsoleRows& rows);

// "RTC Mode" changed: the other three rows follow "Modify".
void EnableRtcRows(PropertyGrid& grid, const ConsoleRows& rows, bool modify);

// The clock: the date and time rows show `now`.
void ShowClock(PropertyGrid& grid, const ConsoleRows& rows, const QDateTime& now);

// A node picked in the diagram: for the kinds of catalogue command `command` (others: nothing),
// the node rows and their slots get the directory entry's address, MAC address and name, as
// they stand; a field the entry leaves empty changes nothing. Nothing when `address` has no
// entry.
void FillPickedNode(PropertyGrid& grid, const ConsoleRows& rows, int command,
                    const link::DeviceDirectory& directory, const QString& address,
                    catalogue::KindValueTable& values);

}  // namespace netloom::panes
