// The program's message box and the texts its windows show. UI thread only.
#pragma once

#include <QString>
#include <string_view>

class QWidget;

namespace netloom::tools {

// A text as a widget shows it: CR LF line ends become the line feeds Qt breaks lines on.
QString DisplayText(std::string_view text);

// A modal message box with the text, an OK button and, when `detail` is not empty, the system's
// reason under it; returns once the user acknowledged it.
void ShowMessageBox(QWidget* parent, std::string_view text, std::string_view detail = {});

}  // namespace netloom::tools
