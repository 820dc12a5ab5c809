// The texts of the desktop program's string resources, by id.
#pragma once

#include <QString>

namespace netloom::res {

// The string resource of a command: the status-bar prompt, or empty when it has none.
QString CommandPrompt(int id);
// The tooltip part of a command's string resource (after "\n"), or the prompt when there is none.
QString CommandTooltip(int id);
// A string resource of the shell by id (122..357), empty when unknown.
QString ShellString(int id);

}  // namespace netloom::res
