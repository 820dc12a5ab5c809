// The upgrade dialog's firmware previews (PreviewFirmware), made off the UI thread and once per
// version of a file: a file whose path, size and modification time are unchanged gives the
// preview made before, however often the dialog asks.
//
// Threads: Request is called from one thread (the UI thread). The previews are made one at a
// time on a thread of the previewer's own; `ready` is called there after each, and must only
// hand the news over (post to the UI thread), which then asks again. The destructor waits for a
// preview being made.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>

#include "gui/model/firmware_preview.h"

namespace netloom::model {

class FirmwarePreviewer {
 public:
  explicit FirmwarePreviewer(std::function<void()> ready);
  ~FirmwarePreviewer();
  FirmwarePreviewer(const FirmwarePreviewer&) = delete;
  FirmwarePreviewer& operator=(const FirmwarePreviewer&) = delete;

  // The preview of the file at `path` as it is now, when it has been made; otherwise null, and
  // it is being made (in place of any other file still waiting): `ready` follows.
  std::shared_ptr<const FirmwarePreview> Request(const std::string& path);

 private:
  // What tells two versions of a file apart.
  struct FileVersion {
    std::string path;
    std::uintmax_t size = 0;
    std::int64_t modified = 0;  // ticks of the file clock; 0 (and size 0) when it cannot be read
    bool operator==(const FileVersion&) const = default;
  };
  static FileVersion VersionOf(const std::string& path);
  void Run();

  std::function<void()> ready_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<FileVersion> wanted_;  // waiting to be made
  std::optional<FileVersion> making_;
  // The last few previews made, newest last.
  std::deque<std::pair<FileVersion, std::shared_ptr<const FirmwarePreview>>> made_;
  bool stop_ = false;
  std::thread thread_;  // last: it starts once everything above is there
};

}  // namespace netloom::model
