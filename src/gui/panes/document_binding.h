// The one Qt adapter between a network document's model and a pane: the pane binds it to the
// document it shows and hears the document as signals, its texts as QStrings.
//
// Bind moves it to another document (null: none); a document that goes unbinds it first
// (documentGone). It hears only the bound document. UI thread only.
#pragma once

#include <QObject>
#include <QString>
#include <vector>

#include "gui/model/network_document.h"

namespace netloom::panes {

class DocumentBinding : public QObject, private model::DocumentObserver {
  Q_OBJECT
 public:
  explicit DocumentBinding(QObject* parent = nullptr) : QObject(parent) {}
  ~DocumentBinding() override { Bind(nullptr); }

  void Bind(model::NetworkDocument* document);
  model::NetworkDocument* document() const { return document_; }

 signals:
  // The console's and the Parameters pane's remote flag and target (four characters or "NULL");
  // `refused` (the console shows it): the coordinator refused the target at its last answer.
  void consoleTargetChanged(bool remote, const QString& address, bool refused);
  void parametersTargetChanged(bool remote, const QString& address);
  // A node was picked while the console is local: its network address.
  void nodePicked(const QString& address);
  // The configuration's values or unedited values were replaced by a transfer.
  void configurationShown();
  // A read-back or a comparison ended: the text for the user, the items that differ.
  void configurationReported(const QString& text, const std::vector<int>& differing);
  // The bound document went; nothing is bound now.
  void documentGone();

 private:
  void ConsoleTargetChanged(const model::PaneTarget& target) override;
  void ParametersTargetChanged(const model::PaneTarget& target) override;
  void NodePicked(std::string_view address) override;
  void ConfigurationShown() override { emit configurationShown(); }
  void ConfigurationReported(const model::ConfigReport& report) override;
  void DocumentGone() override;

  model::NetworkDocument* document_ = nullptr;
};

}  // namespace netloom::panes
