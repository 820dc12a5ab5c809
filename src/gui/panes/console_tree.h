// The AT console's command tree: the groups of the Basic or the Advance tab, each with its
// "AT" + name items (the skipped commands left out), then the "Console Command" group. Groups
// start collapsed; an item's tooltip is the command's help text.
//
// The filter keeps the commands whose item text or help text holds the filter text (ignoring
// case) and the groups that still hold one, expanded; an empty filter shows everything again.
// UI thread only.
#pragma once

#include <QTreeWidget>

#include "core/catalogue/at_commands.h"

namespace netloom::panes {

class CConsoleTreeWnd : public QTreeWidget {
  Q_OBJECT
 public:
  explicit CConsoleTreeWnd(QWidget* parent = nullptr);

  // Empties the tree and fills it for `tab`; the filter applies to the new items.
  void Fill(catalogue::CommandTab tab);
  catalogue::CommandTab tab() const { return tab_; }
  void SetFilter(const QString& text);
  // The item with `text` (first match, depth first), or nullptr.
  QTreeWidgetItem* FindItem(const QString& text) const;
  // Texts of the items shown (not hidden by the filter), depth first.
  QStringList ShownTexts() const;

 private:
  catalogue::CommandTab tab_ = catalogue::CommandTab::Basic;
  QString filter_;
};

}  // namespace netloom::panes
