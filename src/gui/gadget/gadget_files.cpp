#include "gui/gadget/gadget_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <algorithm>
#include <memory>

namespace netloom::gadget {
namespace {

bool IsResource(const QByteArray& path) {
  return path.startsWith(':');
}

bool Continuation(unsigned char byte) {
  return byte >= 0x80 && byte <= 0xBF;
}

// The length of the well-formed UTF-8 sequence starting at `at`, 0 when there is none: no
// overlong forms, no surrogates, nothing above U+10FFFF.
int SequenceLength(const QByteArray& raw, qsizetype at) {
  const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(raw[at + i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  int length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (at + length > raw.size() || byte(1) < low || byte(1) > high) return 0;
  for (int i = 2; i < length; ++i)
    if (!Continuation(byte(i))) return 0;
  return length;
}

QByteArray Join(const QByteArray& folder, const QByteArray& name) {
  return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

bool IsFolder(const QByteArray& path) {
  struct stat info {};
  return ::stat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::vector<SubFolder> ListResourceFolder(const QString& folder) {
  std::vector<SubFolder> found;
  const QDir dir(folder);
  for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
    found.push_back({name.toUtf8(), name, dir.filePath(name).toUtf8()});
  return found;
}

std::vector<SubFolder> ListFileSystemFolder(const QByteArray& folder) {
  std::vector<SubFolder> found;
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.constData()), ::closedir);
  if (!dir) return found;
  while (const dirent* entry = ::readdir(dir.get())) {
    const QByteArray name(entry->d_name);
    if (name.startsWith('.')) continue;
    const QByteArray path = Join(folder, name);
    if (IsFolder(path)) found.push_back({name, DisplayName(name), path});
  }
  return found;
}

}  // namespace

std::vector<SubFolder> ListSubFolders(const QString& folder) {
  const QByteArray path = QFile::encodeName(folder);
  std::vector<SubFolder> found =
      IsResource(path) ? ListResourceFolder(folder) : ListFileSystemFolder(path);
  std::sort(found.begin(), found.end(), [](const SubFolder& a, const SubFolder& b) {
    const int order = a.name.compare(b.name, Qt::CaseInsensitive);
    return order != 0 ? order < 0 : a.rawName < b.rawName;
  });
  return found;
}

QImage ReadPicture(const QByteArray& path) {
  if (IsResource(path)) return QImage(QString::fromUtf8(path));
  // Non-blocking, so a FIFO without a writer cannot hold the program; then regular files only.
  const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return {};
  QImage picture;
  struct stat info {};
  QFile file;
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
      file.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) {
    picture = QImageReader(&file).read();
    file.close();
  }
  ::close(fd);
  return picture;
}

QString DisplayName(const QByteArray& raw) {
  QString name;
  qsizetype start = 0;  // of the well-formed run not yet decoded
  qsizetype at = 0;
  while (at < raw.size()) {
    if (const int length = SequenceLength(raw, at); length > 0) {
      at += length;
      continue;
    }
    name += QString::fromUtf8(raw.mid(start, at - start));
    const auto byte = static_cast<unsigned char>(raw[at]);
    name += QStringLiteral("\\x") + QString::number(byte, 16).toUpper().rightJustified(2, u'0');
    start = ++at;
  }
  return name + QString::fromUtf8(raw.mid(start));
}

bool IsUtf8(const QByteArray& raw) {
  for (qsizetype at = 0; at < raw.size();) {
    const int length = SequenceLength(raw, at);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

}  // namespace netloom::gadget
