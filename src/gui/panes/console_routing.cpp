#include "gui/panes/console_routing.h"

#include "core/catalogue/parameter_kinds.h"
#include "core/catalogue/value_entry.h"

namespace netloom::panes {
namespace {

using namespace netloom::catalogue;

ConsoleEdit FromEntry(const EntryResult& result) {
  ConsoleEdit edit;
  edit.effect = result.accepted() ? ConsoleEdit::Effect::Stored : ConsoleEdit::Effect::Refused;
  edit.message = QString::fromStdString(result.message);
  return edit;
}

bool ShowsSlotText(ParamValueType type) {
  return type != ParamValueType::OptionList && type != ParamValueType::DecimalSpin &&
         type != ParamValueType::LongSpin && type != ParamValueType::WeekdayMask;
}

}  // namespace

QString ShownSlot(const KindValueTable& values, int kind) {
  return QString::fromStdString(ShownText(values.Get(kind)));
}

ConsoleEdit RouteConsoleEdit(const GridRow& row, KindValueTable& values) {
  const QString& label = row.spec.label;
  if (label == QStringLiteral("System Time"))
    return {ConsoleEdit::Effect::SystemTime, row.value.toBool(), {}, {}};
  if (label == QStringLiteral("RTC Mode"))
    return {
        ConsoleEdit::Effect::RtcMode, row.value.toString() != QStringLiteral("Display"), {}, {}};

  const std::string text = row.ValueText().toStdString();
  if (row.spec.tag == kSregValueKind) {
    EntryResult result = TypedText("Data", text, values.Get(kSregValueKind));
    if (result.accepted()) result = CheckParameterValue(kDataKind, result.text);
    if (result.status == EntryResult::Status::Stored)
      result = values.Set(kSregValueKind, result.text);
    ConsoleEdit edit = FromEntry(result);
    edit.shown = ShownSlot(values, kSregValueKind);
    return edit;
  }
  const int kind = KindByLabel(label.toStdString());
  if (kind == kNoKind) {
    const std::optional<int> day = DayByLabel(label.toStdString());
    if (!day) return {};
    return FromEntry(EditDayRow(values, *day, row.value.toBool()));
  }
  ConsoleEdit edit = FromEntry(EditKindRow(values, kind, text));
  if (ShowsSlotText(ParameterKinds()[static_cast<std::size_t>(kind)].valueType))
    edit.shown = ShownSlot(values, kind);
  return edit;
}

}  // namespace netloom::panes
