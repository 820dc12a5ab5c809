#include <gtest/gtest.h>

#include <QComboBox>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "gui/tools/com_setting.h"

namespace netloom::tools {
namespace {

namespace fs = std::filesystem;

// A fake /sys/class/tty and /dev with on-board ports that have hardware.
struct FakePorts {
  QTemporaryDir dir;
  link::PortDirectoryRoots roots;
  explicit FakePorts(std::initializer_list<const char*> names) {
    const fs::path root = dir.path().toStdString();
    roots.sysClassTty = root / "sys/class/tty";
    roots.dev = root / "dev";
    roots.linkFolder = root / "links";
    fs::create_directories(roots.dev);
    fs::create_directories(roots.linkFolder);
    for (const char* name : names) {
      fs::create_directories(roots.sysClassTty / name / "device");
      std::ofstream(roots.sysClassTty / name / "type") << "4\n";
      std::ofstream(roots.dev / name) << "";
    }
  }
};

QStringList Entries(const QComboBox* box) {
  QStringList entries;
  for (int i = 0; i < box->count(); ++i) entries << box->itemText(i);
  return entries;
}

TEST(UartDialog, ListsPortsInNumericOrderWithTheDemoNetworkLastAndTheFixedEntries) {
  FakePorts fake({"ttyS10", "ttyS2", "ttyS1"});
  link::UartSettings record;
  model::PortChoice port;
  CComSetting dialog(record, port, model::ListPortChoices(fake.roots));
  const QStringList names = Entries(dialog.portBox());
  ASSERT_EQ(names.size(), 4);
  EXPECT_TRUE(names[0].startsWith("ttyS1 "));
  EXPECT_TRUE(names[1].startsWith("ttyS2 "));
  EXPECT_TRUE(names[2].startsWith("ttyS10 "));
  EXPECT_EQ(names[3], QString(model::kDemoPortName));
  EXPECT_EQ(dialog.portBox()->currentIndex(), 0);  // the record's port is not listed
  EXPECT_EQ(dialog.flowBox()->isEnabled(), false);
  EXPECT_EQ(Entries(dialog.baudBox()), (QStringList{"300", "1200", "2400", "4800", "9600", "19200",
                                                    "38400", "57600", "115200"}));
  EXPECT_EQ(Entries(dialog.byteSizeBox()), (QStringList{"5", "7", "8"}));
  EXPECT_EQ(Entries(dialog.parityBox()), (QStringList{"None", "Odd", "Even", "Mark", "Space"}));
  EXPECT_EQ(Entries(dialog.stopBitsBox()), (QStringList{"1", "2"}));
  EXPECT_EQ(Entries(dialog.flowBox()), (QStringList{"None", "Xon/Xoff", "Hardware"}));
}

TEST(UartDialog, RemembersTheSelectionsOfEachPortAsOpened) {
  FakePorts fake({"ttyS2", "ttyS10"});
  const auto ports = model::ListPortChoices(fake.roots);
  link::UartSettings record;
  record.baudRate = 115200;
  record.byteSize = 7;
  record.parity = link::Parity::Even;
  record.stopBits = link::StopBits::Two;
  model::PortChoice port = ports[1];  // ttyS10
  CComSetting dialog(record, port, ports);
  auto shown = [&] {
    return QStringList{dialog.baudBox()->currentText(), dialog.byteSizeBox()->currentText(),
                       dialog.parityBox()->currentText(), dialog.stopBitsBox()->currentText(),
                       dialog.flowBox()->currentText()};
  };
  EXPECT_EQ(dialog.portBox()->currentIndex(), 1);
  EXPECT_EQ(shown(), (QStringList{"115200", "7", "Even", "2", "None"}));
  dialog.portBox()->setCurrentIndex(0);
  emit dialog.portBox()->activated(0);
  EXPECT_EQ(shown(), (QStringList{"9600", "8", "None", "1", "None"}));
  dialog.baudBox()->setCurrentIndex(0);  // not stored back
  dialog.portBox()->setCurrentIndex(1);
  emit dialog.portBox()->activated(1);
  EXPECT_EQ(shown(), (QStringList{"115200", "7", "Even", "2", "None"}));
}

TEST(UartDialog, ByteSizeSixShowsFiveAndOneAndAHalfStopBitsStoreOne) {
  FakePorts fake({"ttyS3"});
  const auto ports = model::ListPortChoices(fake.roots);
  link::UartSettings record;
  record.byteSize = 6;
  record.stopBits = link::StopBits::OneAndHalf;
  record.flowControl = link::FlowControl::Hardware;
  model::PortChoice port = ports[0];
  CComSetting dialog(record, port, ports);
  EXPECT_EQ(dialog.byteSizeBox()->currentText(), QStringLiteral("5"));
  EXPECT_EQ(dialog.stopBitsBox()->currentText(), QStringLiteral("1"));
  EXPECT_EQ(dialog.flowBox()->currentText(), QStringLiteral("None"));
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(record.byteSize, 5);
  EXPECT_EQ(record.stopBits, link::StopBits::One);
  EXPECT_EQ(record.flowControl, link::FlowControl::None);
  EXPECT_EQ(port.name, "ttyS3");
}

TEST(UartDialog, CancelLeavesTheRecordAndATypedPathIsTaken) {
  FakePorts fake({"ttyS4"});
  const auto ports = model::ListPortChoices(fake.roots);
  link::UartSettings record;
  model::PortChoice port = ports[0];
  {
    CComSetting dialog(record, port, ports);
    dialog.baudBox()->setCurrentIndex(8);
    dialog.reject();
    EXPECT_EQ(record.baudRate, 9600u);
  }
  CComSetting dialog(record, port, ports);
  dialog.portBox()->setEditText(QStringLiteral("/dev/ttyAMA7"));
  dialog.accept();
  EXPECT_EQ(port.path, "/dev/ttyAMA7");
  EXPECT_FALSE(port.demo);
}

TEST(UartDialog, ATypedNetworkPortIsTakenAndListedAmongTheRecentOnes) {
  FakePorts fake({"ttyS4"});
  auto ports = model::ListPortChoices(fake.roots);
  link::UartSettings record;
  model::PortChoice port = ports[0];
  const std::string typed = "rfc2217://gateway.local:2001";
  CComSetting dialog(record, port, ports);
  dialog.baudBox()->setCurrentIndex(8);
  dialog.portBox()->setEditText(QString::fromStdString(typed));
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(port.path, typed);
  EXPECT_EQ(port.name, typed);
  EXPECT_EQ(record.baudRate, 115200u);

  ports = model::ListPortChoices(fake.roots);
  CComSetting again(record, port, ports);
  const QStringList entries = Entries(again.portBox());
  ASSERT_EQ(entries.size(), 3);
  EXPECT_EQ(entries[1], QString::fromStdString(typed + "  (network port (RFC 2217))"));
  EXPECT_EQ(again.portBox()->currentIndex(), 1);
  model::ProcessRecentNetworkPorts().Load({});
}

}  // namespace
}  // namespace netloom::tools
