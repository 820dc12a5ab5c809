// The pseudo-terminal behind a virtual module, and the link (symlink) that names it.
#pragma once

#include <optional>
#include <string>

namespace netloom::sim::detail {

// Owns a file descriptor; closes it on destruction.
class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : fd_(other.Release()) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept;
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  ~UniqueFd() { Reset(); }

  int Get() const { return fd_; }
  int Release();
  void Reset();

 private:
  int fd_ = -1;
};

// Master side non-blocking and raw; the slave kept open by the module itself, raw at 9600 baud,
// so that clients can come and go (a master with no slave open only reports hang-ups) and the
// line settings a client applies can be read back for line-rate emulation.
struct PseudoTerminal {
  UniqueFd master;
  UniqueFd slave;
  std::string slavePath;  // /dev/pts/N, owned by the user running the module
};

// Nothing and `error` set (with the system's reason) when no pseudo-terminal can be had.
std::optional<PseudoTerminal> OpenPseudoTerminal(std::string& error);

// Points the symlink `linkPath` at `target`, replacing an older symlink there in one step.
// Refuses to replace anything that is not a symlink.
bool PublishLink(const std::string& linkPath, const std::string& target, std::string& error);
// Removes `linkPath` if it is a symlink to `target` (another module may have taken the name).
void RemoveLink(const std::string& linkPath, const std::string& target);

// Removes the links "sim-<pid>-..." in `folder` whose process is gone: their pseudo-terminal
// number may since have gone to someone else's terminal.
void RemoveStaleLinks(const std::string& folder);
// The link name a module of this process publishes under in the link folder.
std::string FreshLinkName();

// A pipe whose write end wakes a poll on its read end.
struct WakePipe {
  UniqueFd read;
  UniqueFd write;
  void Wake() const;
};
std::optional<WakePipe> OpenWakePipe(std::string& error);

}  // namespace netloom::sim::detail
