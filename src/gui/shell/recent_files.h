// File > Recent Files: the saved networks and session logs opened or saved lately, most recent
// first, kMaxRecentFiles at most, kept in the saved settings. UI thread only.
#pragma once

#include <QStringList>

class QSettings;

namespace netloom::shell {

inline constexpr char kRecentFilesKey[] = "Recent files";
inline constexpr int kMaxRecentFiles = 4;

QStringList RecentFiles(const QSettings& settings);
// Puts `path` (made absolute) first, once; the oldest beyond the limit go.
void AddRecentFile(QSettings& settings, const QString& path);
void RemoveRecentFile(QSettings& settings, const QString& path);

}  // namespace netloom::shell
