#include "gui/model/node_tables.h"

#include <algorithm>

#include "core/catalogue/at_commands.h"
#include "core/catalogue/command_line.h"
#include "core/catalogue/parameter_kinds.h"

namespace netloom::model {

namespace {

constexpr int kTableTypeKind = 8;  // "Table Type"

}  // namespace

const NodeTableItem& ItemOf(NodeTableKind kind) {
  return *std::ranges::find(kNodeTables, kind, &NodeTableItem::kind);
}

std::string NodeTableCommand(NodeTableKind kind) {
  const auto commands = catalogue::AtCommands();
  const auto dump =
      std::ranges::find(commands, std::string_view("DUMP"), &catalogue::AtCommandEntry::name);
  const auto options = catalogue::ParameterKinds()[kTableTypeKind].options;
  const auto option = std::ranges::find(options, ItemOf(kind).optionText);
  catalogue::KindValueTable values;
  values.Set(kTableTypeKind,
             catalogue::KindOptionCode(kTableTypeKind, static_cast<int>(option - options.begin()))
                 .value_or(""));
  return catalogue::ComposeCommandLine(static_cast<int>(dump - commands.begin()), values).line;
}

}  // namespace netloom::model
