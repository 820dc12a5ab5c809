// The upgrade dialog's firmware preview of a large file: time and peak heap of one parse of a
// 4 MB Intel HEX file (random bytes in 16-byte records, made by srec_cat as a user's build
// would give it).
//
// The heap is measured by counting every block this program allocates (global operator new and
// delete), so the peak is that of the parse alone, not of the process. Usage:
// firmware_preview_bench [image bytes, default 1500000: a HEX file of about 4.1 MB]
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

#include "gui/model/firmware_preview.h"
#include "hex_image.h"
#include "support/temp_folder.h"

namespace {

// Each block carries its size in front of it, so a delete knows what it gives back.
constexpr std::size_t kHeader = alignof(std::max_align_t);

std::atomic<std::size_t> heapNow{0};
std::atomic<std::size_t> heapPeak{0};

void* Allocate(std::size_t size) {
  auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
  if (block == nullptr) throw std::bad_alloc();
  *reinterpret_cast<std::size_t*>(block) = size;
  const std::size_t now = heapNow.fetch_add(size) + size;
  std::size_t peak = heapPeak.load();
  while (now > peak && !heapPeak.compare_exchange_weak(peak, now)) {
  }
  return block + kHeader;
}

void Release(void* pointer) {
  if (pointer == nullptr) return;
  auto* block = static_cast<unsigned char*>(pointer) - kHeader;
  heapNow.fetch_sub(*reinterpret_cast<std::size_t*>(block));
  std::free(block);
}

double Milliseconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

}  // namespace

void* operator new(std::size_t size) {
  return Allocate(size);
}
void* operator new[](std::size_t size) {
  return Allocate(size);
}
void operator delete(void* pointer) noexcept {
  Release(pointer);
}
void operator delete[](void* pointer) noexcept {
  Release(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept {
  Release(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept {
  Release(pointer);
}

int main(int argc, char** argv) {
  const std::size_t imageBytes = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1500000;
  netloom::testsupport::TempFolder folder;
  const std::string hex = MakeHexFile(folder.Path(), imageBytes);
  if (hex.empty()) {
    std::fprintf(stderr, "srec_cat could not make the HEX file\n");
    return 1;
  }
  const double fileMb = static_cast<double>(std::filesystem::file_size(hex)) / 1e6;

  constexpr int kRuns = 5;
  std::vector<double> times;
  std::size_t peak = 0;
  std::size_t frames = 0;
  for (int run = 0; run < kRuns; ++run) {
    const std::size_t before = heapNow.load();
    heapPeak = before;
    const auto start = std::chrono::steady_clock::now();
    const auto preview = netloom::model::PreviewFirmware(hex);
    times.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
    peak = std::max(peak, heapPeak.load() - before);
    frames = preview.frames;
    if (!preview.failure.empty()) {
      std::fprintf(stderr, "preview failed: %s\n", preview.failure.c_str());
      return 1;
    }
  }
  std::sort(times.begin(), times.end());
  std::printf("firmware preview of a %.1f MB HEX file (%zu lines, %zu bytes of data), %d runs:\n",
              fileMb, frames, imageBytes, kRuns);
  std::printf("  time: best %.0f ms, median %.0f ms\n", times.front(), times[kRuns / 2]);
  std::printf("  peak heap during one parse: %.1f MB\n", static_cast<double>(peak) / 1e6);
  return 0;
}
