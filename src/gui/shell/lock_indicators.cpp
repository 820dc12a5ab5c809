#include "gui/shell/lock_indicators.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QStatusBar>
#include <QTimer>

namespace netloom::shell {
namespace {

struct Indicator {
  const char* text;
  const char* name;
};
constexpr std::array<Indicator, 3> kIndicators{{
    {"CAP", "Caps Lock"},
    {"NUM", "Num Lock"},
    {"SCRL", "Scroll Lock"},
}};

}  // namespace

LockIndicators::LockIndicators(QStatusBar& bar, Reader read)
    : QObject(&bar), read_(std::move(read)) {
  for (std::size_t i = 0; i < kIndicators.size(); ++i) {
    auto* label = new QLabel(&bar);
    label->setObjectName(QString::fromLatin1(kIndicators[i].name).remove(' '));
    label->setAccessibleName(QString::fromLatin1(kIndicators[i].name));
    label->setAlignment(Qt::AlignCenter);
    // As wide as its text, on or off, so that the bar does not shift when a lock changes.
    label->setMinimumWidth(
        label->fontMetrics().horizontalAdvance(QString::fromLatin1(kIndicators[i].text)) + 8);
    bar.addPermanentWidget(label);
    labels_[i] = label;
  }
  refreshSoon_.setSingleShot(true);
  refreshSoon_.setInterval(0);
  connect(&refreshSoon_, &QTimer::timeout, this, &LockIndicators::Refresh);
  qApp->installEventFilter(this);
  Refresh();
}

LockIndicators::~LockIndicators() {
  qApp->removeEventFilter(this);
}

void LockIndicators::Refresh() {
  const std::optional<LockState> state = read_();
  const std::array<bool, 3> on =
      state ? std::array{state->caps, state->num, state->scroll} : std::array{false, false, false};
  for (std::size_t i = 0; i < labels_.size(); ++i) {
    labels_[i]->setVisible(state.has_value());
    labels_[i]->setText(on[i] ? QString::fromLatin1(kIndicators[i].text) : QString());
    labels_[i]->setAccessibleDescription(on[i] ? QStringLiteral("on") : QStringLiteral("off"));
  }
}

bool LockIndicators::eventFilter(QObject*, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ApplicationActivate:
      // After the event (the display has taken the key by then), once for a key that passes
      // through several widgets.
      refreshSoon_.start();
      break;
    default:
      break;
  }
  return false;
}

}  // namespace netloom::shell
