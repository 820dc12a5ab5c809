// The status bar's Caps Lock, Num Lock and Scroll Lock indicators ("CAP", "NUM", "SCRL"): each
// shows its text while its lock is on and is blank while it is off. The state is read from the
// display's keyboard whenever a key has been pressed or released and when the program becomes
// active; where the display does not say (no X11 display), the indicators are hidden rather
// than showing a guess. UI thread only.
#pragma once

#include <QLabel>
#include <QObject>
#include <QTimer>
#include <array>
#include <functional>
#include <optional>

class QStatusBar;

namespace netloom::shell {

struct LockState {
  bool caps = false;
  bool num = false;
  bool scroll = false;
};

// The keyboard's lock state as the display reports it, or nothing when it cannot be read
// (lock_state.cpp).
std::optional<LockState> DisplayLockState();

class LockIndicators : public QObject {
  Q_OBJECT
 public:
  using Reader = std::function<std::optional<LockState>()>;

  // Adds the three indicators to the right end of `bar`.
  explicit LockIndicators(QStatusBar& bar, Reader read = DisplayLockState);
  ~LockIndicators() override;

  // Reads the state again and shows it.
  void Refresh();
  // The indicator labels: Caps, Num, Scroll.
  const std::array<QLabel*, 3>& labels() const { return labels_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Reader read_;
  std::array<QLabel*, 3> labels_{};
  QTimer refreshSoon_;
};

}  // namespace netloom::shell
