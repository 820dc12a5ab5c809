// Value-type codes shared by the parameter kinds of the AT console and the configuration items.
//
// The code decides how a grid row is built for a kind or an item and which entry rule checks
// what the user types (value_entry.h). The numeric codes are fixed: 8 and 11 exist only for
// parameter kinds.
#pragma once

#include <cstdint>

namespace netloom::catalogue {

enum class ParamValueType : std::int32_t {
  Plain = 0,        // text as typed, at most width characters
  DecimalSpin = 1,  // integer row; stored as two decimal digits ("%02d")
  OptionList = 2,   // drop-down of option texts; stored as a per-catalogue option code
  Text = 3,         // text as typed, at most width characters
  LongSpin = 4,     // integer row; stored as "%08X"
  WeekdayMask = 5,  // seven day check rows; stored as two hex digits, bit 6 SUN .. bit 0 SAT
  HexKey = 6,       // width hex digits, padded, no range
  HexAddress = 7,   // as HexKey
  Hex8 = 8,         // hex number of width digits, padded and range-checked
  Hex4 = 9,
  Hex2 = 10,
  Hex1 = 11,
};

// HexKey and HexAddress: digits checked, no range.
constexpr bool IsHexDigitsType(ParamValueType type) {
  return type == ParamValueType::HexKey || type == ParamValueType::HexAddress;
}

// Hex8..Hex1: digits and range checked.
constexpr bool IsHexNumberType(ParamValueType type) {
  return type >= ParamValueType::Hex8 && type <= ParamValueType::Hex1;
}

}  // namespace netloom::catalogue
