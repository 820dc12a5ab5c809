#include "gui/panes/console_tree.h"

#include <QHeaderView>

namespace netloom::panes {
namespace {

QString HelpOf(const QString& itemText) {
  const int command = catalogue::CommandByTreeText(itemText.toStdString());
  if (command >= catalogue::kCommandCount) return {};
  const std::string_view help = catalogue::AtCommands()[static_cast<std::size_t>(command)].helpText;
  return QString::fromUtf8(help.data(), static_cast<qsizetype>(help.size()));
}

}  // namespace

CConsoleTreeWnd::CConsoleTreeWnd(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setColumnCount(1);
  setRootIsDecorated(true);
  setUniformRowHeights(true);
  setAccessibleName(QStringLiteral("AT commands"));
}

void CConsoleTreeWnd::Fill(catalogue::CommandTab tab) {
  tab_ = tab;
  clear();
  for (const catalogue::TreeGroup& group : catalogue::CommandTree(tab)) {
    auto* root = new QTreeWidgetItem(this, {QString::fromStdString(group.title)});
    for (const std::string& text : group.items) {
      auto* item = new QTreeWidgetItem(root, {QString::fromStdString(text)});
      item->setToolTip(0, HelpOf(item->text(0)));
    }
  }
  SetFilter(filter_);
}

void CConsoleTreeWnd::SetFilter(const QString& text) {
  filter_ = text.trimmed();
  for (int g = 0; g < topLevelItemCount(); ++g) {
    QTreeWidgetItem* group = topLevelItem(g);
    int shown = 0;
    for (int i = 0; i < group->childCount(); ++i) {
      QTreeWidgetItem* item = group->child(i);
      const bool match = filter_.isEmpty() ||
                         item->text(0).contains(filter_, Qt::CaseInsensitive) ||
                         item->toolTip(0).contains(filter_, Qt::CaseInsensitive);
      item->setHidden(!match);
      shown += match ? 1 : 0;
    }
    group->setHidden(shown == 0 && !filter_.isEmpty());
    if (!filter_.isEmpty()) group->setExpanded(shown > 0);
  }
}

QTreeWidgetItem* CConsoleTreeWnd::FindItem(const QString& text) const {
  const QList<QTreeWidgetItem*> found =
      findItems(text, Qt::MatchExactly | Qt::MatchCaseSensitive | Qt::MatchRecursive);
  return found.isEmpty() ? nullptr : found.first();
}

QStringList CConsoleTreeWnd::ShownTexts() const {
  QStringList texts;
  for (int g = 0; g < topLevelItemCount(); ++g) {
    const QTreeWidgetItem* group = topLevelItem(g);
    if (group->isHidden()) continue;
    texts << group->text(0);
    for (int i = 0; i < group->childCount(); ++i)
      if (!group->child(i)->isHidden()) texts << group->child(i)->text(0);
  }
  return texts;
}

}  // namespace netloom::panes
