#include "gui/model/typing_buffer.h"

#include <gtest/gtest.h>

#include <string>

namespace netloom::model {
namespace {

using Next = TypingBuffer::Next;

TEST(TypingBuffer, SaysWhenToSendAndHandsOverEveryCharacter) {
  TypingBuffer buffer;
  EXPECT_EQ(buffer.Type('a'), Next::ArmPause);
  EXPECT_EQ(buffer.Type('\t'), Next::ArmPause);  // control characters count like others
  EXPECT_EQ(buffer.Type('\r'), Next::SendAfterWait);
  EXPECT_EQ(buffer.Take(), "a\t\r");
  EXPECT_EQ(buffer.count(), 0);

  // Typing without a pause: a full chunk goes at once, the rest waits for the pause.
  for (int i = 1; i < TypingBuffer::kChunkSize; ++i) ASSERT_EQ(buffer.Type('x'), Next::ArmPause);
  EXPECT_EQ(buffer.Type('x'), Next::SendNow);
  EXPECT_EQ(buffer.Take(), std::string(TypingBuffer::kChunkSize, 'x'));
  EXPECT_EQ(buffer.Take(), "");
}

}  // namespace
}  // namespace netloom::model
