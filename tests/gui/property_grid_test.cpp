#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include "core/catalogue/config_items.h"
#include "core/catalogue/parameter_kinds.h"
#include "gui/panes/catalogue_rows.h"
#include "gui/panes/property_grid.h"

namespace netloom::panes {
namespace {

class PropertyGridTest : public ::testing::Test {
 protected:
  PropertyGridTest() {
    grid_.resize(320, 400);
    grid_.show();
    QApplication::setActiveWindow(&grid_);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&grid_));
  }

  QModelIndex ValueIndex(GridRow* row) {
    return grid_.model().IndexOf(row, PropertyGridModel::kValueColumn);
  }
  // Opens the row's editor with F2, as a keyboard user would.
  QWidget* OpenEditor(GridRow* row) {
    grid_.SetCurrentRow(row);
    grid_.view()->setFocus();
    QTest::keyClick(grid_.view(), Qt::Key_F2);
    return grid_.OpenEditor();
  }
  // Types into the open line edit (the editor or a spin box's) and presses `key`.
  void TypeAndPress(QWidget* editor, const QString& text, Qt::Key key = Qt::Key_Return) {
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (!line) line = editor->findChild<QLineEdit*>();
    ASSERT_NE(line, nullptr);
    line->selectAll();
    QTest::keyClicks(line, text);
    QTest::keyClick(line, key);
    QApplication::processEvents();  // the view commits and closes the editor in a posted call
  }

  PropertyGrid grid_;
};

TEST_F(PropertyGridTest, CatalogueDescriptorsGiveOneRowPerValueType) {
  using catalogue::ParameterKinds;
  GridRow* group = grid_.AddGroup("ATALARM");
  struct Case {
    int kind;
    RowKind rowKind;
    QVariant value;
  };
  const Case cases[] = {
      {2, RowKind::Text, QString()},           // Hex4 "Network Address"
      {6, RowKind::Text, QString()},           // Text "Data"
      {15, RowKind::Integer, 0},               // DecimalSpin "Hour"
      {8, RowKind::Options, QString("Sreg")},  // OptionList "Table Type"
      {31, RowKind::SubGroup, QVariant()},     // WeekdayMask "Week"
  };
  for (const Case& c : cases) {
    GridRow* row = AddCatalogueRow(grid_, group, KindRow(c.kind));
    const auto& kind = ParameterKinds()[static_cast<std::size_t>(c.kind)];
    EXPECT_EQ(row->spec.kind, c.rowKind) << kind.name;
    EXPECT_EQ(row->spec.label.toStdString(), kind.name);
    EXPECT_EQ(row->spec.description.toStdString(), kind.rangeText);
    EXPECT_EQ(row->value, c.value) << kind.name;
    EXPECT_EQ(row->spec.tag, c.kind);
    EXPECT_FALSE(row->Modified());
  }
  EXPECT_EQ(grid_.FindRow("Hour")->spec.maximum, 23);
  EXPECT_EQ(grid_.FindRow("Table Type")->spec.options.size(), 10);
  GridRow* week = grid_.FindRow("Week");
  ASSERT_EQ(week->children.size(), 7u);
  QStringList days;
  for (const auto& day : week->children) {
    days << day->spec.label;
    EXPECT_EQ(day->spec.kind, RowKind::Check);
    EXPECT_TRUE(day->value.toBool());
    EXPECT_EQ(day->spec.description, day->spec.label);
  }
  EXPECT_EQ(days, (QStringList{"SUN", "MON", "TUE", "WEK", "THU", "FRI", "SAT"}));
  EXPECT_FALSE(grid_.model().flags(ValueIndex(week)) & Qt::ItemIsEditable);
  EXPECT_EQ(grid_.RowCount(), 1 + 5 + 7);
  // Groups are expanded as they come.
  EXPECT_TRUE(grid_.view()->isExpanded(grid_.model().IndexOf(group)));
  EXPECT_TRUE(grid_.view()->isExpanded(grid_.model().IndexOf(week)));
}

TEST_F(PropertyGridTest, ConfigurationItemsKeepTheirEnabledFlagAndSpinWithoutTyping) {
  GridRow* group = grid_.AddGroup("Network");
  GridRow* sync = AddCatalogueRow(grid_, group, ItemRow(32));  // "SyncInterval", LongSpin
  EXPECT_EQ(sync->spec.kind, RowKind::Integer);
  EXPECT_FALSE(sync->spec.typing);
  EXPECT_EQ(sync->spec.maximum, 500);
  GridRow* send = AddCatalogueRow(grid_, group, ItemRow(31));  // "SendInterval", disabled
  EXPECT_FALSE(grid_.model().flags(ValueIndex(send)) & Qt::ItemIsEnabled);
  EXPECT_TRUE(grid_.model().flags(ValueIndex(sync)) & Qt::ItemIsEnabled);
  // A greyed row opens no editor and takes no edit.
  EXPECT_EQ(OpenEditor(send), nullptr);
  EXPECT_FALSE(grid_.model().setData(ValueIndex(send), 7));
  auto* spin = qobject_cast<QSpinBox*>(OpenEditor(sync));
  ASSERT_NE(spin, nullptr);
  EXPECT_TRUE(spin->findChild<QLineEdit*>()->isReadOnly());
  EXPECT_EQ(spin->maximum(), 500);
}

TEST_F(PropertyGridTest, EditorsCommitOnEnterRevertOnEscapeAndMarkTheRowBold) {
  GridRow* group = grid_.AddGroup("ATEDREQ");
  GridRow* address = AddCatalogueRow(grid_, group, KindRow(2));
  QSignalSpy edited(&grid_, &PropertyGrid::rowEdited);

  QWidget* editor = OpenEditor(address);
  ASSERT_NE(qobject_cast<QLineEdit*>(editor), nullptr);
  EXPECT_EQ(editor->accessibleName(), "Network Address");
  TypeAndPress(editor, "12ab", Qt::Key_Escape);
  EXPECT_EQ(address->value, QString());
  EXPECT_EQ(edited.count(), 0);

  TypeAndPress(OpenEditor(address), "12ab");
  ASSERT_EQ(edited.count(), 1);
  EXPECT_EQ(edited.last().first().value<GridRow*>(), address);
  EXPECT_EQ(address->value, "12ab");
  EXPECT_TRUE(address->Modified());
  EXPECT_TRUE(grid_.model().data(ValueIndex(address), Qt::FontRole).value<QFont>().bold());
  // The same value again is no edit.
  TypeAndPress(OpenEditor(address), "12ab");
  EXPECT_EQ(edited.count(), 1);
  // A program's value that becomes the original is not bold.
  grid_.SetValue(address, QStringLiteral("0000"), true);
  EXPECT_FALSE(grid_.model().data(ValueIndex(address), Qt::FontRole).isValid());
}

TEST_F(PropertyGridTest, SpinDropDownCheckAndDateRowsEditTheirOwnWay) {
  GridRow* group = grid_.AddGroup("rows");
  GridRow* hour = AddCatalogueRow(grid_, group, KindRow(15));
  GridRow* mode = AddCatalogueRow(grid_, group, KindRow(17));
  GridRow* week = AddCatalogueRow(grid_, group, KindRow(31));
  RowSpec dateSpec;
  dateSpec.kind = RowKind::Date;
  dateSpec.label = "Date";
  dateSpec.displayFormat = "MM.dd.yyyy";
  dateSpec.editorFormat = "MM/dd/yyyy";
  GridRow* date = grid_.AddRow(group, dateSpec);
  QSignalSpy edited(&grid_, &PropertyGrid::rowEdited);

  // The spin box keeps to the limits: 99 typed for an hour ends at 23 or below.
  auto* spin = qobject_cast<QSpinBox*>(OpenEditor(hour));
  ASSERT_NE(spin, nullptr);
  EXPECT_EQ(spin->maximum(), 23);
  TypeAndPress(spin, "7");
  EXPECT_EQ(hour->value, 7);
  EXPECT_EQ(hour->ValueText(), "7");

  // The drop-down takes no typing and commits when an option is picked.
  auto* combo = qobject_cast<QComboBox*>(OpenEditor(mode));
  ASSERT_NE(combo, nullptr);
  EXPECT_FALSE(combo->isEditable());
  EXPECT_EQ(combo->count(), 3);
  combo->setCurrentIndex(1);
  emit combo->activated(1);
  EXPECT_EQ(mode->value, "P2P MODE");
  EXPECT_EQ(grid_.OpenEditor(), nullptr);

  // A check row toggles in place.
  GridRow* sun = week->children.front().get();
  EXPECT_EQ(OpenEditor(sun), nullptr);
  EXPECT_TRUE(grid_.model().setData(ValueIndex(sun), Qt::Unchecked, Qt::CheckStateRole));
  EXPECT_FALSE(sun->value.toBool());
  EXPECT_EQ(sun->ValueText(), "0");

  // The date row shows its own format and edits in the picker's.
  grid_.SetValue(date, QDateTime(QDate(2009, 9, 29), QTime(13, 5, 7)), true);
  EXPECT_EQ(date->ValueText(), "09.29.2009");
  auto* dateEdit = qobject_cast<QDateEdit*>(OpenEditor(date));
  ASSERT_NE(dateEdit, nullptr);
  EXPECT_EQ(dateEdit->displayFormat(), "MM/dd/yyyy");
  EXPECT_TRUE(dateEdit->calendarPopup());
  dateEdit->setDate(QDate(2010, 1, 2));
  grid_.CommitEdit();
  EXPECT_EQ(date->ValueText(), "01.02.2010");
  EXPECT_EQ(edited.count(), 4);
}

TEST_F(PropertyGridTest, DescriptionAreaAccessibilityAndEnter) {
  GridRow* group = grid_.AddGroup("ATINFO", "Retrieve product information");
  GridRow* key = AddCatalogueRow(grid_, group, KindRow(19));
  grid_.SetCurrentRow(group);
  EXPECT_EQ(grid_.DescriptionText(), "Retrieve product information");
  EXPECT_TRUE(grid_.descriptionArea()->text().contains("ATINFO"));
  grid_.SetCurrentRow(key);
  EXPECT_EQ(grid_.DescriptionText(), "HEX data(32 word)");

  grid_.SetValue(key, QStringLiteral("00FF"));
  QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(grid_.view());
  ASSERT_NE(tree, nullptr);
  QStringList names, descriptions;
  for (int i = 0; i < tree->childCount(); ++i) {
    QAccessibleInterface* cell = tree->child(i);
    if (cell->role() != QAccessible::Cell && cell->role() != QAccessible::TreeItem) continue;
    names << cell->text(QAccessible::Name);
    descriptions << cell->text(QAccessible::Description);
  }
  EXPECT_TRUE(names.contains("Key")) << names.join('|').toStdString();
  EXPECT_TRUE(descriptions.contains("00FF")) << descriptions.join('|').toStdString();

  QSignalSpy activated(&grid_, &PropertyGrid::rowActivated);
  grid_.view()->setFocus();
  QTest::keyClick(grid_.view(), Qt::Key_Return);
  ASSERT_EQ(activated.count(), 1);
  EXPECT_EQ(activated.last().first().value<GridRow*>(), key);

  grid_.Clear();
  EXPECT_TRUE(grid_.IsEmpty());
  EXPECT_EQ(grid_.DescriptionText(), QString());
}

}  // namespace
}  // namespace netloom::panes
