// A firmware file's contents as the upload streams it: frames line by line until the end or an
// error, with the progress the dialog shows. The file lives in memory (memfd), so millions of
// runs never touch the disk.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "core/firmware/hex_file_reader.h"
#include "fuzz_input.h"

namespace {

const std::string& FilePath(const std::uint8_t* data, std::size_t size) {
  static const int fd = memfd_create("fuzz.hex", 0);
  static const std::string path = "/proc/self/fd/" + std::to_string(fd);
  if (fd < 0 || ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) {
    std::abort();
  }
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace netloom::firmware;
  HexFileReader reader;
  if (!reader.Open(FilePath(data, size)).ok) std::abort();
  // Every frame comes from at least one character of the file, so a reader that keeps giving
  // frames past the file's size is stuck.
  for (std::size_t frames = 0;; ++frames) {
    const FrameResult result = reader.NextFrame();
    if (result.kind != FrameKind::Frame) break;
    if (frames > size) std::abort();
  }
  if (reader.Progress() < 0) std::abort();
  return 0;
}
