// Appending to a log edit (the output pane, the upgrade log): the module's bytes as lines, added
// at the end, the oldest text dropped while the log is long. UI thread only.
#pragma once

#include <QString>
#include <string_view>

class QPlainTextEdit;

namespace netloom::panes {

// The module's bytes as a log shows them: single-byte characters, NULs dropped; CR LF, a lone CR
// and a lone LF each end a line. `lastWasCr` carries a CR that ended one piece into the next,
// so a CR LF split between two pieces ends one line.
QString LogText(std::string_view bytes, bool& lastWasCr);

// Appends `text` at the end. A selection the user is making stays; the log scrolls to the end
// only while the user is there (scrolled up to read, the lines shown stay). First, while the log
// holds more than `trimAbove` characters, its oldest `trimCount` go: one cut per append would let a
// stream of appends longer than `trimCount` grow the log without end.
void AppendLog(QPlainTextEdit& log, const QString& text, int trimAbove, int trimCount);

}  // namespace netloom::panes
