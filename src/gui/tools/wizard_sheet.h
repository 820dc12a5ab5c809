// The setup wizard: four pages (Welcome, Type, Parameter, Finish) that read a module's identity,
// let the user change its device type, start mode, channel, PAN ID and device name, and write
// it back, after which the module restarts with it.
//
// A modeless window of one network view, over that view's connection controller: the identity
// exchanges run on the connection's link worker; the wizard never touches the port. Both
// exchanges address the module selected when the wizard opened (the local one when no node was
// selected), which the Welcome and Finish pages name: a node picked meanwhile is not written.
// While a page waits for an exchange the connection is Waiting: wait cursor, no input taken, the
// windows keep painting; the wait ends when the exchange reports, or when the connection closes
// (then the page stays and the view closes the wizard). A close asked for during an exchange
// (the close box, Alt+F4, the view) waits for the exchange to end, then closes the wizard.
//
// Ownership: the network view owns the sheet and deletes it, only while busy() is false (no
// exchange waits and no message box of the wizard is up). UI thread only.
#pragma once

#include <QWizard>
#include <functional>
#include <optional>
#include <string>

#include "core/link/identity/module_identity.h"

namespace netloom::model {
class ConnectionController;
}

namespace netloom::tools {

class CStepPage;
class CTypePage;
class CParameterPage;

class CWizardSheet : public QWizard {
  Q_OBJECT
 public:
  enum PageId { kWelcomePage, kTypePage, kParameterPage, kFinishPage };

  CWizardSheet(model::ConnectionController& controller, QWidget* parent = nullptr);

  // What the module reported (the defaults until a read succeeded), and what is to be written.
  const link::ModuleIdentity& current() const { return current_; }
  // The address both exchanges are for (link::kNoAddress: the local module).
  const std::string& target() const { return target_; }
  link::ModuleIdentity& requested() { return requested_; }

  // Reads the module's identity into both records. On failure the wizard message is shown, the
  // wizard comes to the front and false is returned (the page stays).
  bool ReadIdentity();
  // Writes the requested identity and waits for the module's restart; failures as ReadIdentity.
  bool WriteIdentity();

  CStepPage* welcomePage() const { return welcomePage_; }
  CTypePage* typePage() const { return typePage_; }
  CParameterPage* parameterPage() const { return parameterPage_; }
  CStepPage* finishPage() const { return finishPage_; }

  // Some code of the wizard is on the stack (an exchange's wait, a message box): it must not be
  // deleted now.
  bool busy() const { return busy_ > 0; }
  // Marks the wizard busy while it lives.
  class BusyScope {
   public:
    explicit BusyScope(CWizardSheet& sheet) : sheet_(sheet) { ++sheet_.busy_; }
    ~BusyScope() { --sheet_.busy_; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

   private:
    CWizardSheet& sheet_;
  };

  // Cancel, Finish and every close end here; one asked for during an exchange is done after it.
  void done(int result) override;

 private:
  // Hands an exchange to the worker with the wizard status pending, and waits for its report.
  bool RunExchange(const std::function<void()>& request);

  model::ConnectionController& controller_;
  const std::string target_;
  link::ModuleIdentity current_;
  link::ModuleIdentity requested_;
  CStepPage* welcomePage_;
  CTypePage* typePage_;
  CParameterPage* parameterPage_;
  CStepPage* finishPage_;
  int busy_ = 0;
  bool exchanging_ = false;
  std::optional<int> closeAfterExchange_;  // the result of a close asked for during an exchange
};

}  // namespace netloom::tools
