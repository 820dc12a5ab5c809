#include "core/link/serial/port_directory.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include <gtest/gtest.h>

#include "support/scoped_environment.h"
#include "support/temp_folder.h"

namespace netloom::link {
namespace {

namespace fs = std::filesystem;

void WriteFile(const fs::path& file, const std::string& text) {
  fs::create_directories(file.parent_path());
  std::ofstream(file) << text << "\n";
}

// A fake /sys, /dev and link folder under a temporary directory, shaped like the kernel's.
class PortDirectoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    roots = {root / "sys/class/tty", root / "dev", root / "links"};
    fs::create_directories(roots.sysClassTty);
    fs::create_directories(roots.linkFolder);

    // USB adapters: the tty's device is the usb-serial port or the interface below the device
    // that carries the ids.
    AddUsb("ttyUSB10", "usb1/1-1", "0403", "6001", "FTDI", "FT232R USB UART", true);
    AddUsb("ttyUSB2", "usb1/1-2", "10c4", "ea60", "", "", true);
    AddUsb("ttyACM0", "usb2/2-1", "1cf1", "0030", "dresden elektronik", "ConBee II", false);
    AddUsb("ttyUSB5", "usb2/2-2", "0403", "6015", "FTDI", "FT230X", true);
    fs::remove(roots.dev / "ttyUSB5");  // unplugged: sysfs lags behind /dev
    // On-board ports: a UART with hardware, a placeholder, and one known only by its driver.
    AddTty("ttyS0", "platform/serial8250/ttyS0", "4");
    AddTty("ttyS1", "platform/serial8250/ttyS1", "0");
    AddTty("ttyS2", "platform/serial8250", "");
    AddTty("ttyAMA0", "platform/fe201000.serial", "");
    // A virtual console: no device behind it.
    fs::create_directories(roots.sysClassTty / "tty1");
    WriteFile(roots.dev / "tty1", "");
    // Bluetooth: listed from /dev, even though sysfs shows it under its (USB) adapter.
    AddUsb("rfcomm0", "usb3/3-1", "0a12", "0001", "", "", false);
    WriteFile(roots.dev / "rfcomm", "");
    // Virtual modules: one running, one that ended and left its link behind.
    WriteFile(root / "pts/7", "");
    fs::create_symlink(root / "pts/7", roots.linkFolder / "demo");
    fs::create_symlink(root / "pts/8", roots.linkFolder / "gone");
  }
  void AddTty(const std::string& name, const std::string& device, const std::string& type) {
    const fs::path deviceDir = root / "sys/devices" / device;
    const fs::path ttyDir = deviceDir / "tty" / name;
    fs::create_directories(ttyDir);
    fs::create_directory_symlink(deviceDir, ttyDir / "device");
    if (!type.empty()) WriteFile(ttyDir / "type", type);
    fs::create_directory_symlink(ttyDir, roots.sysClassTty / name);
    WriteFile(roots.dev / name, "");
  }

  void AddUsb(const std::string& name, const std::string& usbDevice, const std::string& vendor,
              const std::string& product, const std::string& manufacturer,
              const std::string& productName, bool usbSerialPort) {
    const fs::path usb = root / "sys/devices/pci0000:00" / usbDevice;
    WriteFile(usb / "idVendor", vendor);
    WriteFile(usb / "idProduct", product);
    if (!manufacturer.empty()) WriteFile(usb / "manufacturer", manufacturer);
    if (!productName.empty()) WriteFile(usb / "product", productName);
    const std::string interface = usb.filename().string() + ":1.0";
    AddTty(name,
           fs::relative(usb / interface, root / "sys/devices").string() +
               (usbSerialPort ? "/" + name : ""),
           "");
  }

  testsupport::TempFolder folder;
  fs::path root = folder.Path();
  PortDirectoryRoots roots;
};

TEST_F(PortDirectoryTest, ListsRealDevicesAndRunningModulesInNumericOrder) {
  const std::vector<PortEntry> ports = ListPorts(roots);
  struct Expected {
    std::string name;
    fs::path path;
    std::string description;
  };
  const std::vector<Expected> expected = {
      {"demo", roots.linkFolder / "demo", "virtual module"},
      {"rfcomm0", roots.dev / "rfcomm0", "Bluetooth serial port"},
      {"ttyACM0", roots.dev / "ttyACM0", "dresden elektronik ConBee II (1cf1:0030)"},
      {"ttyAMA0", roots.dev / "ttyAMA0", "on-board serial port"},
      {"ttyS0", roots.dev / "ttyS0", "on-board serial port"},
      {"ttyUSB2", roots.dev / "ttyUSB2", "USB serial port (10c4:ea60)"},
      {"ttyUSB10", roots.dev / "ttyUSB10", "FTDI FT232R USB UART (0403:6001)"},
  };
  ASSERT_EQ(ports.size(), expected.size());
  for (std::size_t i = 0; i < ports.size(); ++i) {
    EXPECT_EQ(ports[i].name, expected[i].name);
    EXPECT_EQ(ports[i].path, expected[i].path.string());
    EXPECT_EQ(ports[i].description, expected[i].description);
  }
}

TEST_F(PortDirectoryTest, IgnoresALinkFolderOfAnotherUser) {
  if (::geteuid() != 0) {
    // Only root can hand a folder to someone else; a fresh one elsewhere shows the same.
    roots.linkFolder = "/";
  } else {
    ASSERT_EQ(::chown(roots.linkFolder.c_str(), 65534, 65534), 0);
  }
  for (const PortEntry& port : ListPorts(roots)) {
    EXPECT_NE(port.description, kVirtualModuleDescription) << port.name;
  }
}

TEST_F(PortDirectoryTest, ResolvesNamesAndPaths) {
  const struct {
    std::string asked;
    std::optional<std::string> path;
  } cases[] = {
      {"ttyUSB10", (roots.dev / "ttyUSB10").string()},
      {"demo", (roots.linkFolder / "demo").string()},
      {"ttyS1", (roots.dev / "ttyS1").string()},  // not listed, but typed by a user who knows
      {"/dev/ttyAMA3", "/dev/ttyAMA3"},
      {"gone", std::nullopt},
      {"nothing", std::nullopt},
      {"", std::nullopt},
      {"..", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ResolvePort(c.asked, roots), c.path) << c.asked;
}

TEST(VirtualModuleLinkFolder, PrefersTheRuntimeFolder) {
  const testsupport::TempFolder folder;
  const fs::path& runtime = folder.Path();
  std::optional<testsupport::ScopedEnvironment> environment{std::in_place, "XDG_RUNTIME_DIR",
                                                            runtime.string()};
  EXPECT_EQ(VirtualModuleLinkFolder(), runtime / "netloom");
  std::string error;
  EXPECT_EQ(PrepareVirtualModuleLinkFolder(error), runtime / "netloom") << error;
  EXPECT_EQ(fs::status(runtime / "netloom").permissions(), fs::perms::owner_all);
  EXPECT_EQ(PrepareVirtualModuleLinkFolder(error), runtime / "netloom") << error;  // again: kept
  environment.emplace("XDG_RUNTIME_DIR", "/netloom-no-such-folder");
  EXPECT_EQ(VirtualModuleLinkFolder(), fs::path("/tmp/netloom-" + std::to_string(::geteuid())));
  environment.reset();
  const testsupport::ScopedEnvironment unset("XDG_RUNTIME_DIR", std::nullopt);
  EXPECT_EQ(VirtualModuleLinkFolder(), fs::path("/tmp/netloom-" + std::to_string(::geteuid())));
}

}  // namespace
}  // namespace netloom::link
