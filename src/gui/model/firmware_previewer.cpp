#include "gui/model/firmware_previewer.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace netloom::model {
namespace {

// Enough for going back and forth between a few files.
constexpr std::size_t kPreviewsKept = 4;

}  // namespace

FirmwarePreviewer::FirmwarePreviewer(std::function<void()> ready)
    : ready_(std::move(ready)), thread_([this] { Run(); }) {}

FirmwarePreviewer::~FirmwarePreviewer() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  thread_.join();
}

FirmwarePreviewer::FileVersion FirmwarePreviewer::VersionOf(const std::string& path) {
  std::error_code error;
  FileVersion version{path};
  const auto size = std::filesystem::file_size(path, error);
  if (error) return version;
  const auto modified = std::filesystem::last_write_time(path, error);
  if (error) return version;
  version.size = size;
  version.modified = modified.time_since_epoch().count();
  return version;
}

std::shared_ptr<const FirmwarePreview> FirmwarePreviewer::Request(const std::string& path) {
  FileVersion version = VersionOf(path);
  {
    std::lock_guard lock(mutex_);
    const auto made = std::find_if(made_.begin(), made_.end(),
                                   [&](const auto& entry) { return entry.first == version; });
    if (made != made_.end()) return made->second;
    if (making_ == version) return nullptr;  // `ready` follows
    wanted_ = std::move(version);
  }
  wake_.notify_all();
  return nullptr;
}

void FirmwarePreviewer::Run() {
  for (;;) {
    FileVersion version;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stop_ || wanted_; });
      if (stop_) return;
      version = *std::exchange(wanted_, std::nullopt);
      making_ = version;
    }
    auto preview = std::make_shared<const FirmwarePreview>(PreviewFirmware(version.path));
    {
      std::lock_guard lock(mutex_);
      making_.reset();
      made_.emplace_back(std::move(version), std::move(preview));
      if (made_.size() > kPreviewsKept) made_.pop_front();
    }
    ready_();
  }
}

}  // namespace netloom::model
