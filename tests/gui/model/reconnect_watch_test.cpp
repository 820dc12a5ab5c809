#include "gui/model/reconnect_watch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/temp_folder.h"

namespace netloom::model {
namespace {

namespace fs = std::filesystem;

TEST(ReconnectWatch, RecognisesTheDeviceByPathOrByItsStableName) {
  const testsupport::TempFolder dir;
  const fs::path& root = dir.Path();
  const fs::path byId = root / "by-id";
  fs::create_directories(byId);
  std::ofstream(root / "ttyUSB0") << "";
  std::ofstream(root / "ttyUSB5") << "";
  fs::create_symlink(root / "ttyUSB0", byId / "usb-Maker_Adapter_A1-if00-port0");
  fs::create_symlink(root / "ttyUSB5", byId / "usb-Other_Adapter-if00-port0");

  const ReconnectWatch watch((root / "ttyUSB0").string(), byId);
  ASSERT_EQ(watch.stableNames().size(), 1u);
  EXPECT_EQ(watch.Returned(), (root / "ttyUSB0").string());

  fs::remove(root / "ttyUSB0");  // pulled: the other adapter does not count
  EXPECT_FALSE(watch.Returned());

  std::ofstream(root / "ttyUSB1") << "";  // back under another number
  fs::remove(byId / "usb-Maker_Adapter_A1-if00-port0");
  fs::create_symlink(root / "ttyUSB1", byId / "usb-Maker_Adapter_A1-if00-port0");
  EXPECT_EQ(watch.Returned(), (root / "ttyUSB1").string());
}

TEST(ReconnectWatch, APathWithoutStableNameComesBackByPath) {
  const testsupport::TempFolder dir;
  const fs::path& root = dir.Path();
  const std::string path = (root / "pty-link").string();
  std::ofstream(path) << "";
  const ReconnectWatch watch(path, root / "missing-by-id");
  EXPECT_TRUE(watch.stableNames().empty());
  fs::remove(path);
  EXPECT_FALSE(watch.Returned());
  std::ofstream(path) << "";
  EXPECT_EQ(watch.Returned(), path);
}

}  // namespace
}  // namespace netloom::model
