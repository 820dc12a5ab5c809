#include "core/sim/virtual_module.h"

#include <utility>

#include "core/link/serial/port_directory.h"
#include "core/sim/handlers.h"
#include "core/sim/node_image.h"
#include "core/sim/sim_engine.h"

namespace netloom::sim {

VirtualModule::VirtualModule(VirtualModuleOptions options) : options_(std::move(options)) {}

VirtualModule::~VirtualModule() {
  Stop();
  if (pty_) detail::RemoveLink(linkPath_, pty_->slavePath);
}

link::LinkError VirtualModule::Start() {
  if (thread_.joinable() || stop_) return {link::ErrorKind::CallerBug, "already started"};
  std::string error;
  linkPath_ = options_.linkPath;
  if (linkPath_.empty()) {
    const auto folder = link::PrepareVirtualModuleLinkFolder(error);
    if (!folder) return {link::ErrorKind::System, error};
    detail::RemoveStaleLinks(folder->string());
    linkPath_ = (*folder / detail::FreshLinkName()).string();
  }
  // Seen from outside from the start, before the serving thread runs.
  faults_.NoteLineRate(ApplyImageLineRate(options_.network));
  wake_ = detail::OpenWakePipe(error);
  if (!wake_ || !Plug(error)) return {link::ErrorKind::System, error};
  serving_ = true;
  thread_ = std::thread([this] { Serve(); });
  return {};
}

bool VirtualModule::Plug(std::string& error) {
  auto pty = detail::OpenPseudoTerminal(error);
  if (!pty || !detail::PublishLink(linkPath_, pty->slavePath, error)) return false;
  pty_ = std::move(pty);
  return true;
}

void VirtualModule::Stop() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  changed_.notify_all();
  if (wake_) wake_->Wake();
  if (thread_.joinable()) thread_.join();
}

bool VirtualModule::Unplug() {
  std::unique_lock lock(mutex_);
  if (!serving_ || plug_ != PlugState::Plugged) return false;
  plug_ = PlugState::UnplugRequested;
  unplugRequested_ = true;
  wake_->Wake();
  changed_.wait(lock, [&] { return plug_ == PlugState::Unplugged || !serving_; });
  return plug_ == PlugState::Unplugged;
}

bool VirtualModule::Replug() {
  std::unique_lock lock(mutex_);
  if (!serving_ || plug_ != PlugState::Unplugged) return false;
  plug_ = PlugState::ReplugRequested;
  changed_.notify_all();
  changed_.wait(lock, [&] { return plug_ != PlugState::ReplugRequested || !serving_; });
  return plug_ == PlugState::Plugged;
}

void VirtualModule::ServeUnplugged(SimLink& link, SimEngine& engine) {
  if (pty_) detail::RemoveLink(linkPath_, pty_->slavePath);
  pty_.reset();
  std::unique_lock lock(mutex_);
  plug_ = PlugState::Unplugged;
  changed_.notify_all();
  changed_.wait(lock, [&] { return stop_ || plug_ == PlugState::ReplugRequested; });
  if (stop_) return;
  std::string error;
  if (Plug(error)) {
    link.Attach(pty_->master.Get(), pty_->slave.Get());
    engine.Reset();
    unplugRequested_ = false;
    plug_ = PlugState::Plugged;
  } else {
    plug_ = PlugState::Unplugged;
  }
  changed_.notify_all();
}

void VirtualModule::ChangeNetwork(SimNetwork network) {
  std::lock_guard lock(networkMutex_);
  nextNetwork_ = std::move(network);
}

void VirtualModule::Serve() {
  SimLink link(faults_, wake_->read.Get(), [this] { return stop_ || unplugRequested_; },
               {options_.baudRateEmulation, options_.timeDivisor});
  link.Attach(pty_->master.Get(), pty_->slave.Get());
  const auto nextNetwork = [this]() -> std::optional<SimNetwork> {
    std::lock_guard lock(networkMutex_);
    return std::exchange(nextNetwork_, std::nullopt);
  };
  SimEngine engine(std::move(options_.network), DefaultHandlers(), link, faults_, nextNetwork,
                   std::move(options_.replay));
  while (!stop_) {
    if (unplugRequested_) {
      ServeUnplugged(link, engine);
      continue;
    }
    try {
      engine.ServeLine();
    } catch (const Interrupted&) {
    }
  }
  std::lock_guard lock(mutex_);
  serving_ = false;
  changed_.notify_all();
}

}  // namespace netloom::sim
