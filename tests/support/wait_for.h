// Test support: waiting, with a bound, for what another thread or process makes true.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <limits>
#include <string>

namespace netloom::testsupport {

// Polls `done` every few milliseconds until it holds (true) or `bound` passes (false). The
// bound only stops a broken test; a passing one never waits it out.
bool WaitFor(const std::function<bool()>& done,
             std::chrono::milliseconds bound = std::chrono::seconds(60));

// Reads what arrives on `fd` until `done` holds for all read so far, `bound` passes or the
// descriptor fails; returns all of it. Never reads more than `most` bytes, so what follows stays
// for the next read.
std::string ReadUntil(int fd, const std::function<bool(const std::string&)>& done,
                      std::chrono::milliseconds bound,
                      std::size_t most = std::numeric_limits<std::size_t>::max());

}  // namespace netloom::testsupport
