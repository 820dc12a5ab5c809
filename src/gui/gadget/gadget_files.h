// Reading the gadget folders as the file system holds them. Sub-folder names are kept as bytes,
// so a name that is not UTF-8 still reaches its pictures, and is shown with its stray bytes
// marked. Pictures are read from regular files only: a FIFO or a device named "icon.png" is
// never waited on. Folders whose path starts with ":" are the program's compiled-in resources.
// Any thread (no widgets).
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <vector>

namespace netloom::gadget {

struct SubFolder {
  QByteArray rawName;  // the name as the file system spells it
  QString name;        // the name for people (see DisplayName)
  QByteArray path;     // the full path, as bytes
};

// The sub-folders of `folder` (symbolic links to folders count; hidden ones, whose name starts
// with ".", do not), sorted by name ignoring case. A missing or unreadable folder gives none.
std::vector<SubFolder> ListSubFolders(const QString& folder);

// The picture in the file at `path`; a null image when it is missing, not a regular file or not
// a picture.
QImage ReadPicture(const QByteArray& path);

// `raw` decoded as UTF-8, each byte that is not part of a well-formed sequence written as
// "\xNN" (upper-case hex): nothing of the name is lost and the bytes that are not text show.
QString DisplayName(const QByteArray& raw);

// True when `raw` is well-formed UTF-8 (DisplayName then marks nothing).
bool IsUtf8(const QByteArray& raw);

}  // namespace netloom::gadget
