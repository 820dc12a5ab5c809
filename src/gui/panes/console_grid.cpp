#include "gui/panes/console_grid.h"

#include "core/catalogue/at_commands.h"
#include "core/catalogue/parameter_kinds.h"
#include "core/catalogue/value_entry.h"
#include "gui/panes/catalogue_rows.h"
#include "gui/panes/qt_text.h"

namespace netloom::panes {
namespace {

using namespace netloom::catalogue;

GridRow* AddTextRow(PropertyGrid& grid, GridRow* group, int tag) {
  RowSpec spec;
  spec.label = QStringLiteral("Data");
  spec.tag = tag;
  return grid.AddRow(group, std::move(spec));
}

void AddRtcBlock(PropertyGrid& grid, GridRow* group, ConsoleRows& rows) {
  RowSpec mode;
  mode.kind = RowKind::Options;
  mode.label = QStringLiteral("RTC Mode");
  mode.description = QStringLiteral("Display/Modify");
  mode.options = {QStringLiteral("Display"), QStringLiteral("Modify")};
  mode.tag = kRtcKind;
  rows.rtcMode = grid.AddRow(group, mode);

  RowSpec system;
  system.kind = RowKind::Check;
  system.label = QStringLiteral("System Time");
  system.description = system.label;
  system.enabled = false;
  system.tag = kRtcKind;
  rows.systemTime = grid.AddRow(group, system);

  RowSpec date;
  date.kind = RowKind::Date;
  date.label = QStringLiteral("Date");
  date.displayFormat = QStringLiteral("MM.dd.yyyy");
  date.editorFormat = QStringLiteral("MM/dd/yyyy");
  date.enabled = false;
  date.tag = kRtcKind;
  rows.date = grid.AddRow(group, date);

  RowSpec time;
  time.kind = RowKind::Time;
  time.label = QStringLiteral("Time");
  time.enabled = false;
  time.tag = kRtcKind;
  rows.time = grid.AddRow(group, time);
}

CivilTime Civil(const QDateTime& value) {
  const QDate d = value.date();
  const QTime t = value.time();
  return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()};
}

}  // namespace

ConsoleRows BuildConsoleGrid(PropertyGrid& grid, int command, KindValueTable& values) {
  grid.Clear();
  ResetCommandSlots(values, command);
  ConsoleRows rows;
  if (command == kSendMessage) {
    AddTextRow(grid, grid.AddGroup(QStringLiteral("Send Message")), kDataKind);
  } else if (command == kExitPlus || command == kExitMinus) {
    grid.AddGroup(ToQString(kConsoleEntries[static_cast<std::size_t>(command - kSendMessage)]));
  }
  if (command < 0 || command >= kCommandCount) return rows;

  const AtCommandEntry& entry = AtCommands()[static_cast<std::size_t>(command)];
  GridRow* group =
      grid.AddGroup(QString::fromStdString(TreeText(command)), ToQString(entry.helpText));
  for (std::int32_t kind : entry.Kinds()) {
    if (kind == kSregValueKind) {
      AddTextRow(grid, group, kSregValueKind);
      continue;
    }
    if (kind == kRtcKind) {
      AddRtcBlock(grid, group, rows);
      continue;
    }
    GridRow* row = AddCatalogueRow(grid, group, KindRow(kind));
    if (kind == kNetworkAddressKind || kind == kJoinAddressKind) rows.address = row;
    if (kind == kMacAddressKind) rows.mac = row;
    if (kind == kDeviceNameKind) rows.deviceName = row;
  }
  return rows;
}

RtcBlock ReadRtcBlock(const ConsoleRows& rows) {
  RtcBlock block;
  if (!rows.rtcMode) return block;
  block.modify = rows.rtcMode->value.toString() != QStringLiteral("Display");
  block.systemTime = rows.systemTime->value.toBool();
  block.date = Civil(rows.date->value.toDateTime());
  block.time = Civil(rows.time->value.toDateTime());
  return block;
}

void EnableRtcRows(PropertyGrid& grid, const ConsoleRows& rows, bool modify) {
  if (!rows.rtcMode) return;
  for (GridRow* row : {rows.systemTime, rows.date, rows.time}) grid.SetEnabled(row, modify);
}

void ShowClock(PropertyGrid& grid, const ConsoleRows& rows, const QDateTime& now) {
  if (!rows.date) return;
  grid.SetValue(rows.date, now, true);
  grid.SetValue(rows.time, now, true);
}

void FillPickedNode(PropertyGrid& grid, const ConsoleRows& rows, int command,
                    const link::DeviceDirectory& directory, const QString& address,
                    KindValueTable& values) {
  if (command < 0 || command >= kCommandCount) return;
  const std::optional<link::DeviceEntry> entry = directory.Find(address.left(4).toStdString());
  if (!entry) return;
  const auto fill = [&](int kind, GridRow* row, const std::string& text) {
    // A field the directory does not know (the walk learns no MAC address) leaves what the
    // user typed.
    if (text.empty()) return;
    values.Set(kind, text);
    if (row) grid.SetValue(row, QString::fromStdString(ShownText(text)));
  };
  for (std::int32_t kind : AtCommands()[static_cast<std::size_t>(command)].Kinds()) {
    if (kind == kNetworkAddressKind || kind == kJoinAddressKind)
      fill(kind, rows.address, entry->address);
    else if (kind == kMacAddressKind)
      fill(kind, rows.mac, entry->macAddress);
    else if (kind == kDeviceNameKind)
      fill(kind, rows.deviceName, entry->name);
  }
}

}  // namespace netloom::panes
