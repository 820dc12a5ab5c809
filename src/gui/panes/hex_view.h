// The output pane's hex view (View > Hex): the bytes of the document's session log, both
// directions, each entry timed and marked, in hex with their text beside (model::HexLines).
//
// While shown it follows the log (a light poll that redraws only when bytes were noted since),
// showing the newest kShownEntries entries; the whole log is what File > Save Log writes.
// Read-only. UI thread only (the log itself is filled on the worker's thread).
#pragma once

#include <QPlainTextEdit>
#include <QTimer>
#include <cstdint>
#include <memory>

#include "core/link/serial/session_log.h"

namespace netloom::panes {

class CHexView : public QPlainTextEdit {
  Q_OBJECT
 public:
  static constexpr std::size_t kShownEntries = 2000;
  static constexpr int kPollMs = 250;

  explicit CHexView(QWidget* parent = nullptr);

  // The log shown (null: none).
  void SetLog(std::shared_ptr<const link::SessionLog> log);
  // Redraws from the log now, if bytes were noted since the last redraw.
  void Follow();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  std::shared_ptr<const link::SessionLog> log_;
  std::uint64_t shownNoted_ = ~std::uint64_t{0};
  QTimer poll_;
};

}  // namespace netloom::panes
