#include "core/link/worker/event_set.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace netloom::link {
namespace {

using C = WorkerCommand;

struct Case {
  const char* name;
  std::vector<C> signalled;
  std::vector<C> taken;  // in the order the loop takes them
};

class EventSetOrder : public ::testing::TestWithParam<Case> {};

TEST_P(EventSetOrder, TakesLowestFirstAndEachSetCodeOnce) {
  detail::EventSet events;
  for (C code : GetParam().signalled) events.Set(code);
  std::vector<C> taken;
  while (const auto code = events.TakeLowest()) taken.push_back(*code);
  EXPECT_EQ(taken, GetParam().taken);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EventSetOrder,
    ::testing::Values(
        Case{"Empty", {}, {}},
        Case{"ConsoleBeforeQuery",
             {C::QueryNetwork, C::ConsoleCommand},
             {C::ConsoleCommand, C::QueryNetwork}},
        Case{"TwiceRunsOnce", {C::ConsoleCommand, C::ConsoleCommand}, {C::ConsoleCommand}},
        Case{"StopOutranksAllButWake",
             {C::RawText, C::WriteIdentity, C::ReadConfig, C::Stop, C::Wake},
             {C::Wake, C::Stop, C::ReadConfig, C::WriteIdentity, C::RawText}}),
    [](const auto& info) { return info.param.name; });

TEST(EventSet, WaitAnyReturnsOnceACodeIsSetWithoutTakingIt) {
  detail::EventSet events;
  std::thread signaller([&] { events.Set(C::Stop); });
  events.WaitAny();
  signaller.join();
  EXPECT_EQ(events.TakeLowest(), C::Stop);
  EXPECT_EQ(events.TakeLowest(), std::nullopt);
}

}  // namespace
}  // namespace netloom::link
