#include "core/link/config/config_image.h"

#include <gtest/gtest.h>

#include <numeric>

#include "core/catalogue/config_items.h"
#include "core/catalogue/value_tables.h"

namespace netloom::link {
namespace {

using catalogue::ConfigValueTable;
using catalogue::ItemByName;

int ItemIndex(std::string_view name) {
  return *ItemByName(name);
}

std::vector<std::string> DefaultTexts() {
  ConfigValueTable table;
  table.LoadDefaults();
  return table.Snapshot();
}

ConfigImage Encoded(ConfigValueTable& table) {
  const EncodeResult result = EncodeImage(table);
  EXPECT_TRUE(result.ok()) << result.error;
  return result.image;
}

TEST(ConfigImageLayout, ItemsFillBytes0To253InCatalogueOrder) {
  std::size_t next = 0;
  for (int i = 0; i < catalogue::kItemCount; ++i) {
    EXPECT_EQ(ItemPlaceOf(i).offset, next) << "item " << i;
    next += ItemPlaceOf(i).size;
  }
  EXPECT_EQ(next, kImageChecksumOffset);
  const struct {
    const char* name;
    std::size_t offset, size;
  } places[] = {{"MACAddr", 72, 8},      {"Channel", 84, 1},       {"PanID", 86, 2},
                {"NetworkKey", 106, 16}, {"Device Name", 147, 16}, {"ReserveData", 190, 64}};
  for (const auto& place : places) {
    EXPECT_EQ(ItemPlaceOf(ItemIndex(place.name)).offset, place.offset) << place.name;
    EXPECT_EQ(ItemPlaceOf(ItemIndex(place.name)).size, place.size) << place.name;
  }
}

TEST(ConfigImageCodec, ByteFormsOfTheExamples) {
  ConfigValueTable table;
  table.LoadDefaults();
  table.Set(ItemIndex("MACAddr"), "0123456789ABCDEF");
  table.Set(ItemIndex("PanID"), "9876");
  const ConfigImage image = Encoded(table);
  EXPECT_EQ(image[86], 0x76);
  EXPECT_EQ(image[87], 0x98);
  const std::uint8_t mac[] = {0xEF, 0xCD, 0xAB, 0x89, 0x67, 0x45, 0x23, 0x01};
  EXPECT_TRUE(std::equal(std::begin(mac), std::end(mac), image.begin() + 72));
  EXPECT_EQ(image[0], 0x02);
  EXPECT_EQ(image[1], 0x00);
  // The key goes in text order: "3C4D..." starts with 3C 4D.
  EXPECT_EQ(image[106], 0x3C);
  EXPECT_EQ(image[107], 0x4D);
  // ReserveData goes out as zeros.
  EXPECT_TRUE(std::all_of(image.begin() + 190, image.begin() + 254, [](auto b) { return b == 0; }));

  ConfigValueTable decoded;
  EXPECT_EQ(DecodeImage(image, decoded), DecodeResult::Decoded);
  EXPECT_EQ(decoded.Get(ItemIndex("MACAddr")), "0123456789ABCDEF");
  EXPECT_EQ(decoded.Get(ItemIndex("PanID")), "9876");
}

TEST(ConfigImageCodec, VersionDecidesWhetherTheImageIsTaken) {
  ConfigValueTable source;
  source.LoadDefaults();
  source.Set(ItemIndex("PanID"), "1111");
  ConfigImage image = Encoded(source);

  ConfigValueTable table;
  table.LoadDefaults();
  EXPECT_EQ(DecodeImage(image, table), DecodeResult::Decoded);
  EXPECT_EQ(table.Get(0), "0002");
  EXPECT_EQ(table.Get(ItemIndex("PanID")), "1111");

  image[0] = 0x03;
  table.LoadDefaults();
  EXPECT_EQ(DecodeImage(image, table), DecodeResult::VersionMismatch);
  EXPECT_EQ(table.Get(0), "0003");                   // row 0 holds the image's version
  EXPECT_EQ(table.Get(ItemIndex("PanID")), "9876");  // the rest is untouched
}

TEST(ConfigImageCodec, ChannelZeroLoadsTheDefaults) {
  ConfigImage image{};
  image[0] = 0x07;  // whatever else it holds
  ConfigValueTable table;
  table.Set(ItemIndex("PanID"), "1111");
  EXPECT_EQ(DecodeImage(image, table), DecodeResult::DefaultsLoaded);
  EXPECT_EQ(table.Snapshot(), DefaultTexts());
}

TEST(ConfigImageCodec, DefaultsSurviveTheRoundTrip) {
  ConfigValueTable source;
  source.LoadDefaults();
  ConfigValueTable decoded;
  EXPECT_EQ(DecodeImage(Encoded(source), decoded), DecodeResult::Decoded);
  EXPECT_EQ(decoded.Snapshot(), DefaultTexts());
  EXPECT_FALSE(decoded.ItemEnabled(catalogue::kNetworkKeyItem));
}

TEST(ConfigImageCodec, ChangedTableSurvivesTheRoundTrip) {
  ConfigValueTable source;
  source.LoadDefaults();
  const std::pair<const char*, const char*> changes[] = {
      {"Channel", "1A"},
      {"PanID", "ABCD"},
      {"MACAddr", "89ABCDEF01234567"},
      {"NetworkKey", "00112233445566778899AABBCCDDEEFF"},
      {"SecurityEnable", "01"},
      {"SyncInterval", "0000012C"},
      {"Device Name", "ExactlySixteen16"},  // full width: no terminator in the image
      {"CompanyName", "Harbinor"},
  };
  for (const auto& [name, value] : changes) source.Set(ItemIndex(name), value);
  const ConfigImage image = Encoded(source);
  EXPECT_TRUE(ImageChecksumOk(image));

  ConfigValueTable decoded;
  decoded.LoadDefaults();
  EXPECT_EQ(DecodeImage(image, decoded), DecodeResult::Decoded);
  EXPECT_EQ(decoded.Snapshot(), source.Snapshot());
  EXPECT_TRUE(decoded.ItemEnabled(catalogue::kNetworkKeyItem));  // security is on
}

TEST(ConfigImageCodec, DecoderWritesUpperCaseDigits) {
  ConfigValueTable source;
  source.LoadDefaults();
  source.Set(ItemIndex("PanID"), "abcd");
  ConfigValueTable decoded;
  DecodeImage(Encoded(source), decoded);
  EXPECT_EQ(decoded.Get(ItemIndex("PanID")), "ABCD");
}

TEST(ConfigImageCodec, ShortKeyCountsAsZeroDigits) {
  ConfigValueTable table;
  table.LoadDefaults();
  table.Set(ItemIndex("NetworkKey"), "FF");
  const ConfigImage image = Encoded(table);
  EXPECT_EQ(image[106], 0xFF);
  EXPECT_TRUE(std::all_of(image.begin() + 107, image.begin() + 122, [](auto b) { return b == 0; }));
}

TEST(ConfigImageCodec, EncodingClearsReserveData) {
  ConfigValueTable table;
  table.LoadDefaults();
  table.Set(catalogue::kReserveDataItem, "leftover");
  Encoded(table);
  EXPECT_EQ(table.Get(catalogue::kReserveDataItem), "");
}

TEST(ConfigImageCodec, ValuesThatWouldChangeOnTheWayAreRefused) {
  const std::pair<const char*, std::string> cases[] = {
      {"PanID", "12G4"},  // no hex digit
      {"PanID", "123"},   // not exactly four digits
      {"PanID", "12345"},
      {"NetworkKey", "Z0"},
      {"NetworkKey", std::string(33, '0')},
      {"Device Name", "Seventeen chars!!"},
  };
  for (const auto& [name, value] : cases) {
    ConfigValueTable table;
    table.LoadDefaults();
    table.Set(catalogue::kReserveDataItem, "kept");
    table.Set(ItemIndex(name), value);
    const EncodeResult result = EncodeImage(table);
    EXPECT_FALSE(result.ok()) << name << "=" << value;
    EXPECT_NE(result.error.find(name), std::string::npos) << result.error;
    EXPECT_EQ(table.Get(catalogue::kReserveDataItem), "kept");  // nothing changed
  }
}

TEST(ConfigImageChecksum, AcceptsExactlyWhenSumAndChecksumMakeFFFF) {
  ConfigValueTable table;
  table.LoadDefaults();
  ConfigImage image = Encoded(table);
  const std::uint32_t sum = std::accumulate(image.begin(), image.begin() + 254, 0u);
  EXPECT_EQ(sum + (image[254] | image[255] << 8), 0xFFFFu);
  EXPECT_TRUE(ImageChecksumOk(image));

  ++image[10];
  EXPECT_FALSE(ImageChecksumOk(image));
  --image[254];  // the same sum again
  EXPECT_TRUE(ImageChecksumOk(image));

  ConfigImage zeros{};
  EXPECT_FALSE(ImageChecksumOk(zeros));
  SealImage(zeros);
  EXPECT_EQ(zeros[254], 0xFF);
  EXPECT_EQ(zeros[255], 0xFF);
  EXPECT_TRUE(ImageChecksumOk(zeros));
}

}  // namespace
}  // namespace netloom::link
