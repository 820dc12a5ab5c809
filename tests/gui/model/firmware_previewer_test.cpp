#include "gui/model/firmware_previewer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "support/temp_folder.h"
#include "support/wait_for.h"

namespace netloom::model {
namespace {

TEST(FirmwarePreviewer, MakesEachVersionOfAFileOnceOffTheCallersThread) {
  testsupport::TempFolder folder;
  const auto path = folder.Write("app.hex", ":020000040001F9\n:00000001FF\n");
  std::atomic<int> readies{0};
  std::atomic<std::thread::id> readyThread;
  FirmwarePreviewer previewer([&] {
    readyThread = std::this_thread::get_id();
    ++readies;
  });
  EXPECT_EQ(previewer.Request(path), nullptr);  // being made
  ASSERT_TRUE(testsupport::WaitFor([&] { return readies == 1; }));
  EXPECT_NE(readyThread.load(), std::this_thread::get_id());
  const auto made = previewer.Request(path);
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->records, 2u);
  EXPECT_EQ(previewer.Request(path), made);  // the same file again: not made again
  EXPECT_EQ(readies, 1);

  folder.Write("app.hex", ":00000001FF\n");  // a new version of the file is made anew
  EXPECT_EQ(previewer.Request(path), nullptr);
  ASSERT_TRUE(testsupport::WaitFor([&] { return readies == 2; }));
  ASSERT_NE(previewer.Request(path), nullptr);
  EXPECT_EQ(previewer.Request(path)->records, 1u);
}

}  // namespace
}  // namespace netloom::model
