// What a firmware file holds, shown before it is uploaded: its records by type, the address
// ranges and bytes of data they fill, the start address, and every line whose record is broken
// (wrong length or checksum), by line number.
//
// The preview reads the file through the same reader the upload uses, so its lines are the
// frames the boot loader will get; it changes nothing about the upload, which sends the file as
// it is. Any thread; it reads the file once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace netloom::model {

struct AddressRange {
  std::uint32_t first = 0;
  std::uint32_t last = 0;  // inclusive
  bool operator==(const AddressRange&) const = default;
};

struct BadLine {
  std::size_t line = 0;  // from 1
  std::string why;       // "checksum wrong", "length wrong", ...
  bool operator==(const BadLine&) const = default;
};

struct FirmwarePreview {
  std::string failure;      // why the file cannot be used; the rest is what came before
  std::size_t frames = 0;   // lines the upload sends (empty lines included)
  std::size_t records = 0;  // lines that hold a sound record
  std::map<int, std::size_t> recordTypes;  // record type -> count
  std::uint64_t dataBytes = 0;
  std::vector<AddressRange> ranges;  // filled by the data records, in address order
  std::optional<std::uint32_t> startAddress;
  std::vector<BadLine> badLines;
};

FirmwarePreview PreviewFirmware(const std::string& path);

// The preview as lines of text for the dialog.
std::string PreviewText(const FirmwarePreview& preview);

}  // namespace netloom::model
