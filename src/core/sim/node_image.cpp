#include "core/sim/node_image.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "core/catalogue/config_items.h"
#include "core/sim/wire/image_fields.h"

namespace netloom::sim {
namespace {

using namespace wire;

constexpr std::uint32_t kChannel = 0x0F;
constexpr std::string_view kPanId = "1234";
constexpr std::string_view kNoParent = "FFFF";

std::string DeviceTypeOf(const SimNetwork& network, const SimNode& node) {
  if (&node == &network.Local()) return "00";
  return node.children.empty() ? "02" : "01";
}

// A name as the module keeps it: at most 16 characters, no blanks.
std::string ModuleName(std::string name) {
  std::replace(name.begin(), name.end(), ' ', '-');
  return name.substr(0, kMaxNameLength);
}

// The module keeps its MAC address with the two eight-digit halves exchanged.
std::string StoredMac(const std::string& mac) {
  return mac.substr(8) + mac.substr(0, 8);
}

ImageBytes MakeImage(const SimNetwork& network, const SimNode& node) {
  ImageBytes image{};
  const auto defaults = catalogue::ConfigCatalogue();
  for (std::size_t setting = 0; setting < defaults.size(); ++setting) {
    SetSettingText(image, static_cast<int>(setting), defaults[setting].defaultValue);
  }
  const auto parents = network.ParentsOf(node.address);
  SetSettingText(image, kMacField, StoredMac(NodeMac(node)));
  SetNumberAt(image, kChannelField, kChannel);
  SetSettingText(image, kPanIdField, kPanId);
  SetSettingText(image, kShortAddressField, node.address);
  SetSettingText(image, kParentField, parents.empty() ? kNoParent : parents.front()->address);
  SetSettingText(image, kDeviceTypeField, DeviceTypeOf(network, node));
  SetTextAt(image, kDeviceNameField, ModuleName(node.name));
  SealImage(image);
  return image;
}

// The rate of Baudrate option `option`; nothing when there is no such option.
std::optional<std::uint32_t> OfferedRate(std::uint32_t option) {
  const auto offered = catalogue::ConfigCatalogue()[catalogue::kBaudrateItem].options;
  if (option >= offered.size()) return std::nullopt;
  const std::string_view text = offered[option];
  std::uint32_t rate = 0;
  std::from_chars(text.data(), text.data() + text.size(), rate);
  return rate;
}

}  // namespace

std::string NodeMac(const SimNode& node) {
  return "00124B00ABCD" + node.address;
}

ImageBytes& NodeImage(const SimNetwork& network, SimNode& node) {
  if (!node.image) node.image = MakeImage(network, node);
  return *node.image;
}

IdentityFields IdentityOf(const ImageBytes& image) {
  return {NumberAt(image, kFormatVersionField), NumberAt(image, kChannelField),
          NumberAt(image, kPanIdField),         NumberAt(image, kDeviceTypeField),
          NumberAt(image, kConsoleModeField),   TextAt(image, kDeviceNameField)};
}

void ApplyIdentity(ImageBytes& image, const IdentityFields& identity) {
  SetNumberAt(image, kChannelField, identity.channel);
  SetNumberAt(image, kPanIdField, identity.panId);
  SetNumberAt(image, kDeviceTypeField, identity.deviceType);
  SetNumberAt(image, kConsoleModeField, identity.startMode);
  SetTextAt(image, kDeviceNameField, identity.name);
  SealImage(image);
}

bool ConfigureLineRate(SimNetwork& network, std::uint32_t rate) {
  for (std::uint32_t option = 0; const auto offered = OfferedRate(option); ++option) {
    if (*offered != rate) continue;
    ImageBytes& image = NodeImage(network, network.Local());
    SetNumberAt(image, kBaudrateField, option);
    SealImage(image);
    return true;
  }
  return false;
}

std::uint32_t ApplyImageLineRate(SimNetwork& network) {
  SimNode& local = network.Local();
  // A value that names no rate (a host may write any byte) leaves the UART at the rate it ran
  // at: there is no better one to take.
  local.baudRate =
      OfferedRate(NumberAt(NodeImage(network, local), kBaudrateField)).value_or(local.baudRate);
  return local.baudRate;
}

}  // namespace netloom::sim
