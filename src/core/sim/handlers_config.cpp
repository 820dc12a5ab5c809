// Configuration image transfers, answered as the node that holds the console: "ATCFGREAD" sends
// the node's image in four frames of 64 bytes, each awaiting the host's ACK, then EOT;
// "ATCFGWRITE" sends the header (STX, "0002", the MAC address, EOT), takes the host's frames
// with ACK (ESC for a bad frame) and, after EOT, stores the image when its checksum holds (ACK)
// or refuses it (NAK). Faults: exchange_faults.h.
#include <algorithm>
#include <chrono>
#include <span>

#include "core/sim/handlers.h"
#include "core/sim/node_image.h"
#include "core/sim/wire/control_bytes.h"
#include "core/sim/wire/frame_reader.h"
#include "core/sim/wire/frame_writer.h"

namespace netloom::sim {
namespace {

using namespace wire;

// How long the module waits for the host's next byte before it gives the transfer up.
constexpr auto kHostByteTimeout = std::chrono::milliseconds(3000);
constexpr std::size_t kFrames = kImageSize / kFramePayload;
// What follows the final EOT of a read, and the final ACK of a write: the module is back in
// command mode.
constexpr std::string_view kBackInCommandMode = "\r\nOK\r\n";
// More bytes than the host's 20 answer cycles of three reads take.

ExchangeFaults& Faults(SimContext& ctx) {
  return ctx.faults.Exchanges();
}

// Takes the host's next byte if it is `expected`. Anything else means the host gave the
// transfer up: it stays for the command mode (the host's next line, its escape).
bool TakeIf(SimLink& link, std::uint8_t expected) {
  const auto byte = link.PeekByte(kHostByteTimeout);
  if (!byte || *byte != expected) return false;
  link.ReadByte(kHostByteTimeout);
  return true;
}

std::string Frame(const ImageBytes& image, std::size_t frame, bool badChecksum) {
  return FrameText(std::span(image).subspan((frame - 1) * kFramePayload, kFramePayload),
                   badChecksum);
}

void ConfigRead(SimContext& ctx, const SimCommand&) {
  ExchangeFaults& faults = Faults(ctx);
  faults.NoteFramesDone(0);
  if (const auto reply = faults.ReadReply()) {
    ctx.link.Write(*reply);
    return;
  }
  ImageBytes image = NodeImage(ctx.network, ctx.Node());
  if (faults.BadImageChecksum()) ++image[kImageSumOffset];
  for (std::size_t frame = 1; frame <= kFrames; ++frame) {
    if (frame == faults.SilentFromFrame()) return;
    const std::string noise = frame == 1 ? ctx.link.Noise(faults.NoiseBeforeReply()) : "";
    ctx.link.Write(noise + Frame(image, frame, frame == faults.BadFrameChecksumAt()));
    faults.NoteFramesDone(frame);
    if (!TakeIf(ctx.link, kAck)) return;
  }
  ctx.link.Write(std::string(1, static_cast<char>(kEot)) +
                 (faults.NothingAfterEot() ? "" : std::string(kBackInCommandMode)));
}

void Answer(SimContext& ctx, std::uint8_t byte, std::string_view more = {}) {
  // Appended, not joined with operator+: GCC 12 at -O3 reports a false overlap (-Wrestrict).
  std::string answer(1, static_cast<char>(byte));
  answer += more;
  ctx.link.Write(answer);
}

// Takes `received` as the node's image, but for item `ignored` (-1: none).
void Store(ImageBytes& image, const ImageBytes& received, int ignored) {
  ImageBytes kept = received;
  if (ignored >= 0) {
    const ImageField& field = FieldOf(ignored);
    std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(field.offset), field.size,
                kept.begin() + static_cast<std::ptrdiff_t>(field.offset));
    SealImage(kept);
  }
  image = kept;
}

// How frame k (the EOT being frame 5) is answered when a fault says so; false: normally.
bool AnswerByFault(SimContext& ctx, std::size_t frame) {
  const ExchangeFaults& faults = Faults(ctx);
  if (faults.SilentFromFrame() != 0 && frame >= faults.SilentFromFrame()) return true;
  if (frame == faults.BabbleAtFrame()) {
    ctx.link.Write(std::string(faults.BabbleBytes(), '#'));
    // Babble that ends in the answer the module owes: the exchange goes on.
    if (!faults.BabbleThenAnswer()) return true;
  }
  if (frame == faults.EscAtFrame()) {
    Answer(ctx, kEsc);
    return true;
  }
  return false;
}

void ConfigWrite(SimContext& ctx, const SimCommand&) {
  ExchangeFaults& faults = Faults(ctx);
  faults.NoteFramesDone(0);
  if (const auto header = faults.WriteHeader()) {
    ctx.link.Write(*header);
    return;
  }
  SimNode& node = ctx.Node();
  ctx.link.Write(ctx.link.Noise(faults.NoiseBeforeReply()) + WriteHeaderText(NodeMac(node)));
  // The host starts with one STX of its own before the first frame's.
  if (!TakeIf(ctx.link, kStx)) return;
  FrameReader reader;
  std::size_t frames = 0;
  bool betweenFrames = true;
  for (;;) {
    if (betweenFrames) {
      const auto next = ctx.link.PeekByte(kHostByteTimeout);
      if (!next || (*next != kStx && *next != kEot)) return;
      betweenFrames = false;
    }
    const auto byte = ctx.link.ReadByte(kHostByteTimeout);
    if (!byte) return;
    switch (reader.Feed(*byte)) {
      case FrameReader::Step::More:
        break;
      case FrameReader::Step::Frame:
        betweenFrames = true;
        faults.NoteFramesDone(++frames);
        if (AnswerByFault(ctx, frames)) return;
        Answer(ctx, kAck);
        break;
      case FrameReader::Step::End:
        if (AnswerByFault(ctx, frames + 1)) return;
        if (faults.NakAtEnd() || !ImageSumHolds(reader.Image())) return Answer(ctx, kNak);
        Store(NodeImage(ctx.network, node), reader.Image(), faults.WriteIgnoresItem());
        faults.NoteImageStored();
        return Answer(ctx, kAck, kBackInCommandMode);
      case FrameReader::Step::Bad:
        return Answer(ctx, kEsc);
    }
  }
}

}  // namespace

void AddConfigHandlers(HandlerRegistry& registry) {
  registry.Add("CFGREAD", ConfigRead);
  registry.Add("CFGWRITE", ConfigWrite);
}

}  // namespace netloom::sim
