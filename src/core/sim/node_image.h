// The configuration image each node of the virtual module holds, and the node's identity, which
// is read from and written into that image (type, start mode, channel, PAN ID, name).
//
// A node's image is made on first use from the catalogue defaults and the node itself: its MAC
// address, short address, parent, device type (the first node coordinator, a node with children
// router, else end device) and name. Serving thread only.
#pragma once

#include <cstdint>
#include <string>

#include "core/sim/sim_network.h"
#include "core/sim/wire/identity_text.h"
#include "core/sim/wire/image_layout.h"

namespace netloom::sim {

// The node's IEEE address as 16 hex digits, stable and unique per short address.
std::string NodeMac(const SimNode& node);

// The node's image, made on first use.
wire::ImageBytes& NodeImage(const SimNetwork& network, SimNode& node);

// The identity fields of an image: version, channel, PAN ID, device type, start mode (the
// console mode) and device name.
wire::IdentityFields IdentityOf(const wire::ImageBytes& image);
// Writes the identity fields (all but the version) into `image` and seals it again.
void ApplyIdentity(wire::ImageBytes& image, const wire::IdentityFields& identity);

// Stores `rate` as the Baudrate setting of the local module's image (sealed again): the module
// runs at it from its next start or restart. False, nothing stored, when the setting does not
// offer that rate.
bool ConfigureLineRate(SimNetwork& network, std::uint32_t rate);
// The local module (re)starts: its command-mode rate becomes the one its image's Baudrate
// setting names. Returns that rate.
std::uint32_t ApplyImageLineRate(SimNetwork& network);

}  // namespace netloom::sim
