#include "core/sim/node_image.h"

#include <algorithm>

#include "core/catalogue/config_items.h"
#include "core/catalogue/value_entry.h"
#include "core/catalogue/value_tables.h"
#include "core/link/config/config_image.h"
#include "core/link/identity/identity_reply.h"

namespace netloom::sim {
namespace {

using catalogue::ItemByName;

int Item(std::string_view name) {
  return ItemByName(name).value_or(-1);
}

// The image bytes of a number item as an unsigned value (least significant byte first).
std::uint32_t NumberAt(const link::ConfigImage& image, int item) {
  const link::ItemPlace place = link::ItemPlaceOf(item);
  std::uint32_t value = 0;
  for (std::size_t k = place.size; k-- > 0;) value = value << 8 | image[place.offset + k];
  return value;
}

void SetNumberAt(link::ConfigImage& image, int item, std::uint32_t value) {
  const link::ItemPlace place = link::ItemPlaceOf(item);
  for (std::size_t k = 0; k < place.size; ++k) {
    image[place.offset + k] = static_cast<std::uint8_t>(value >> (8 * k));
  }
}

std::string DeviceTypeOf(const SimNetwork& network, const SimNode& node) {
  if (&node == &network.Local()) return "00";
  return node.children.empty() ? "02" : "01";
}

// A name as the module keeps it: at most 16 characters, no blanks.
std::string ModuleName(std::string name) {
  std::replace(name.begin(), name.end(), ' ', '-');
  return name.substr(0, link::kMaxDeviceNameLength);
}

link::ConfigImage MakeImage(const SimNetwork& network, const SimNode& node) {
  catalogue::ConfigValueTable table;
  table.LoadDefaults();
  const auto parents = network.ParentsOf(node.address);
  table.Set(catalogue::kMacAddrItem, catalogue::SwapMacHalves(NodeMac(node)));
  table.Set(catalogue::kChannelItem, "0F");
  table.Set(Item("PanID"), "1234");
  table.Set(Item("MyShortAddr"), node.address);
  table.Set(Item("ParentAddr"), parents.empty() ? "FFFF" : parents.front()->address);
  table.Set(Item("DeviceType"), DeviceTypeOf(network, node));
  table.Set(Item("Device Name"), ModuleName(node.name));
  return link::EncodeImage(table).image;
}

}  // namespace

std::string NodeMac(const SimNode& node) {
  return "00124B00ABCD" + node.address;
}

link::ConfigImage& NodeImage(const SimNetwork& network, SimNode& node) {
  if (!node.image) node.image = MakeImage(network, node);
  return *node.image;
}

link::ModuleIdentity IdentityOf(const link::ConfigImage& image) {
  link::ModuleIdentity identity;
  identity.version = static_cast<std::int32_t>(NumberAt(image, catalogue::kImageVersionItem));
  identity.channel = static_cast<std::int32_t>(NumberAt(image, catalogue::kChannelItem));
  identity.panId = static_cast<std::int32_t>(NumberAt(image, Item("PanID")));
  identity.deviceType = static_cast<std::int32_t>(NumberAt(image, Item("DeviceType")));
  identity.startMode = static_cast<std::int32_t>(NumberAt(image, Item("ConsoleMode")));
  const link::ItemPlace name = link::ItemPlaceOf(Item("Device Name"));
  for (std::size_t k = 0; k < name.size && image[name.offset + k] != 0; ++k) {
    identity.deviceName += static_cast<char>(image[name.offset + k]);
  }
  return identity;
}

void ApplyIdentity(link::ConfigImage& image, const link::ModuleIdentity& identity) {
  SetNumberAt(image, catalogue::kChannelItem, static_cast<std::uint32_t>(identity.channel));
  SetNumberAt(image, Item("PanID"), static_cast<std::uint32_t>(identity.panId));
  SetNumberAt(image, Item("DeviceType"), static_cast<std::uint32_t>(identity.deviceType));
  SetNumberAt(image, Item("ConsoleMode"), static_cast<std::uint32_t>(identity.startMode));
  const link::ItemPlace name = link::ItemPlaceOf(Item("Device Name"));
  const std::string text = identity.deviceName.substr(0, name.size);
  std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(name.offset), name.size, 0);
  std::copy(text.begin(), text.end(), image.begin() + static_cast<std::ptrdiff_t>(name.offset));
  link::SealImage(image);
}

}  // namespace netloom::sim
