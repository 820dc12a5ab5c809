// Streams a firmware file (Intel HEX text, ".hex" or ".hxf") as one byte frame per line.
//
// The reader never loads the image: it holds one line's frame at a time, so files of any size
// are streamed. It does not interpret records (types, counts, addresses, checksums); the boot
// loader does. Lines may end in CR LF or LF; a CR directly before the LF is dropped, any other
// CR is a format error. A byte 0xFF counts as the end of the file, and a last line without a
// line feed is never returned as a frame.
//
// Progress: every character consumed counts 1 and every line feed 1 more (for the CR a CR LF
// file carries), so a CR LF file ends at 100 % and an LF file can pass 100 %.
//
// Not thread-safe: one thread opens, reads and closes a reader.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "core/firmware/frame_encoder.h"

namespace netloom::firmware {

inline constexpr std::string_view kCantUseFileMessage = "Can not use this file";
inline constexpr std::string_view kFormatErrorMessage = "The HEX file format error!!";
inline constexpr std::string_view kLineTooLongMessage =
    "The HEX file format error, line too long!!";

struct FileOpenResult {
  bool ok = false;
  std::uint64_t size = 0;  // the file's size in bytes
  std::string detail;      // why it could not be opened (the system's reason)
};

enum class FrameKind {
  Frame,        // `bytes` holds the line's frame (empty for an empty line)
  End,          // the end of the file was reached: nothing more to send
  FormatError,  // kFormatErrorMessage
  LengthError,  // kLineTooLongMessage
  ReadError,    // the file could not be read on: kCantUseFileMessage
};

struct FrameResult {
  FrameKind kind = FrameKind::End;
  // Valid until the next NextFrame or Close.
  std::span<const std::uint8_t> bytes;
  // The text a user is shown for an error kind; empty for Frame and End.
  std::string_view Message() const;
};

class HexFileReader {
 public:
  HexFileReader() = default;
  HexFileReader(const HexFileReader&) = delete;
  HexFileReader& operator=(const HexFileReader&) = delete;
  ~HexFileReader();

  // Opens a regular file and measures its size. A failure leaves the reader closed; the caller
  // shows kCantUseFileMessage.
  FileOpenResult Open(const std::string& path);
  // Reads up to and including the next line feed. After End or an error, every further call
  // gives the same result. On a closed reader: End.
  FrameResult NextFrame();
  // Characters consumed × 100 / file size, as of the last line end (0 for an empty file).
  int Progress() const { return progress_; }
  void Close();

 private:
  FrameResult Finish(FrameKind kind);

  std::FILE* file_ = nullptr;
  std::unique_ptr<char[]> buffer_;
  FrameEncoder encoder_;
  std::uint64_t size_ = 0;
  std::uint64_t consumed_ = 0;
  int progress_ = 0;
  bool finished_ = false;
  FrameKind finalKind_ = FrameKind::End;
};

}  // namespace netloom::firmware
