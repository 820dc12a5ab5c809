// A firmware image for the upload benches: random bytes (fixed seed, so runs compare) written as
// an Intel HEX file of 16-byte records by srec_cat, as a user's build would give it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

// The HEX file's path, or an empty text when srec_cat failed.
inline std::string MakeHexFile(const std::filesystem::path& folder, std::size_t bytes) {
  std::vector<char> binary(bytes);
  std::mt19937 random(42);
  for (auto& b : binary) b = static_cast<char>(random());
  const auto bin = (folder / "image.bin").string();
  const auto hex = (folder / "image.hex").string();
  std::ofstream(bin, std::ios::binary).write(binary.data(), static_cast<long>(binary.size()));
  const auto command = "srec_cat " + bin + " -binary -o " + hex + " -intel -Output_Block_Size 16";
  return std::system(command.c_str()) == 0 ? hex : std::string();
}
