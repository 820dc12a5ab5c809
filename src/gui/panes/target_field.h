// The remote switch of the console and Parameters panes: whether their requests go to a node
// through the coordinator, and the read-only toolbar field naming that node ("NULL" while they go
// to the local module). While the coordinator's last answer for the node was a refusal the name
// shows struck through in red, and the tip and description say so, until the next attempt. The
// switch itself is the pane's checkable toolbar action; the field keeps it checked as the flag
// is. UI thread only.
#pragma once

#include <QLineEdit>
#include <QString>

class QAction;

namespace netloom::panes {

class CTargetField : public QLineEdit {
 public:
  // `tip` says where remote requests go.
  CTargetField(QAction* remoteAction, const QString& tip, QWidget* parent);

  // The user flipped the switch: the new flag.
  bool Toggle();
  // The document's remote flag and target (model::PaneTarget); `refused`: the coordinator
  // refused the target at its last answer.
  void Set(bool remote, const QString& address, bool refused = false);

  bool remote() const { return remote_; }
  QString target() const { return target_; }
  // The field shows a refusal of its target.
  bool showsRefusal() const { return remote_ && refused_; }

 private:
  void Show();

  QAction* remoteAction_;
  QString tip_;
  bool remote_ = false;
  bool refused_ = false;
  QString target_ = QStringLiteral("NULL");
};

}  // namespace netloom::panes
