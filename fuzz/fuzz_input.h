// The fuzz targets' common entry point and a reader over the fuzzer's bytes.
//
// Every target defines LLVMFuzzerTestOneInput. Under clang it links with libFuzzer; in the
// ordinary build it links with replay_main.cpp, which feeds it each stored corpus file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace netloom::fuzz {

// Takes the input apart: single selector bytes first, the rest as text or bytes.
class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : bytes_(data, size) {}

  // The next byte, 0 once the input is used up.
  std::uint8_t Byte() {
    if (bytes_.empty()) return 0;
    const std::uint8_t byte = bytes_.front();
    bytes_ = bytes_.subspan(1);
    return byte;
  }
  std::span<const std::uint8_t> Rest() const { return bytes_; }
  std::string_view RestText() const {
    return {reinterpret_cast<const char*>(bytes_.data()), bytes_.size()};
  }

 private:
  std::span<const std::uint8_t> bytes_;
};

}  // namespace netloom::fuzz
