#include "core/firmware/hex_file_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace netloom::firmware {
namespace {

constexpr std::size_t kReadBufferBytes = 64 * 1024;

}  // namespace

std::string_view FrameResult::Message() const {
  switch (kind) {
    case FrameKind::FormatError:
      return kFormatErrorMessage;
    case FrameKind::LengthError:
      return kLineTooLongMessage;
    case FrameKind::ReadError:
      return kCantUseFileMessage;
    case FrameKind::Frame:
    case FrameKind::End:
      break;
  }
  return {};
}

HexFileReader::~HexFileReader() {
  Close();
}

FileOpenResult HexFileReader::Open(const std::string& path) {
  Close();
  // Non-blocking open, so a FIFO without a writer cannot hold the caller; only regular files
  // have a size to measure.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return {false, 0, std::strerror(errno)};
  struct stat info {};
  std::string problem;
  if (fstat(fd, &info) != 0) {
    problem = std::strerror(errno);
  } else if (S_ISDIR(info.st_mode)) {
    problem = std::strerror(EISDIR);
  } else if (!S_ISREG(info.st_mode)) {
    problem = "not a regular file";
  }
  std::FILE* file = problem.empty() ? fdopen(fd, "rb") : nullptr;
  if (file == nullptr) {
    if (problem.empty()) problem = std::strerror(errno);
    ::close(fd);
    return {false, 0, problem};
  }
  buffer_ = std::make_unique<char[]>(kReadBufferBytes);
  std::setvbuf(file, buffer_.get(), _IOFBF, kReadBufferBytes);
  file_ = file;
  size_ = static_cast<std::uint64_t>(info.st_size);
  consumed_ = 0;
  progress_ = 0;
  finished_ = false;
  encoder_.StartLine();
  return {true, size_, {}};
}

FrameResult HexFileReader::NextFrame() {
  if (file_ == nullptr) return {FrameKind::End, {}};
  if (finished_) return {finalKind_, {}};
  encoder_.StartLine();
  for (;;) {
    int c = std::getc(file_);
    if (c == EOF) return Finish(std::ferror(file_) ? FrameKind::ReadError : FrameKind::End);
    if (c == 0xFF) return Finish(FrameKind::End);
    ++consumed_;
    if (c == '\r') {
      // Text mode: a CR directly before the LF is dropped and not counted here.
      const int next = std::getc(file_);
      if (next == '\n') {
        c = next;
      } else if (next != EOF) {
        std::ungetc(next, file_);
      }
    }
    if (c == '\n') {
      ++consumed_;
      progress_ = size_ == 0 ? 0 : static_cast<int>(consumed_ * 100 / size_);
      return {FrameKind::Frame, encoder_.Frame()};
    }
    switch (encoder_.Feed(static_cast<char>(c))) {
      case FeedResult::Accepted:
        break;
      case FeedResult::FormatError:
        return Finish(FrameKind::FormatError);
      case FeedResult::LengthError:
        return Finish(FrameKind::LengthError);
    }
  }
}

FrameResult HexFileReader::Finish(FrameKind kind) {
  finished_ = true;
  finalKind_ = kind;
  return {kind, {}};
}

void HexFileReader::Close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  buffer_.reset();
}

}  // namespace netloom::firmware
