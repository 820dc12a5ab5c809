#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextCursor>
#include <string>
#include <vector>

#include "gui/panes/output_view.h"

namespace netloom::panes {
namespace {

class OutputPaneTest : public ::testing::Test {
 protected:
  OutputPaneTest() {
    view_.resize(400, 200);
    view_.show();
    edit().SetSink([this](const std::string& text) { sent_.push_back(text); });
    edit().setFocus();
  }
  COutputEdit& edit() { return *view_.edit(); }
  bool WaitSent(std::size_t pieces) {
    return QTest::qWaitFor([&] { return sent_.size() >= pieces; }, 5000);
  }

  COutputView view_;
  std::vector<std::string> sent_;
};

TEST_F(OutputPaneTest, TwoLettersGoAfterThePauseWithoutLineEnd) {
  QTest::keyClicks(&edit(), "ab");
  EXPECT_TRUE(sent_.empty());  // nothing before the pause
  ASSERT_TRUE(WaitSent(1));
  EXPECT_EQ(sent_, std::vector<std::string>{"ab"});
  EXPECT_TRUE(edit().ShownText().isEmpty());  // typing is never shown locally
}

TEST_F(OutputPaneTest, EnterSendsThreeLettersAndTheCarriageReturnOnce) {
  QTest::keyClicks(&edit(), "abc");
  QTest::keyClick(&edit(), Qt::Key_Return);
  EXPECT_TRUE(sent_.empty());  // the Enter wait comes first
  ASSERT_TRUE(WaitSent(1));
  QTest::qWait(model::TypingBuffer::kPauseMs * 2);
  EXPECT_EQ(sent_, std::vector<std::string>{"abc\r"});
}

TEST_F(OutputPaneTest, KeysDuringTheEnterWaitFollowIt) {
  QTest::keyClicks(&edit(), "x");
  QTest::keyClick(&edit(), Qt::Key_Return);
  QTest::keyClicks(&edit(), "y");
  ASSERT_TRUE(WaitSent(2));
  EXPECT_EQ(sent_, (std::vector<std::string>{"x\r", "y"}));
}

TEST_F(OutputPaneTest, ABurstOf130GoesAs126ThenFour) {
  const std::string burst(130, 'q');
  for (char c : burst) edit().TypeCharacter(c);
  ASSERT_EQ(sent_.size(), 1u);  // the first 126 at once
  EXPECT_EQ(sent_[0], std::string(126, 'q'));
  ASSERT_TRUE(WaitSent(2));
  EXPECT_EQ(sent_[1], std::string(4, 'q'));
}

TEST_F(OutputPaneTest, ControlCharactersAreSentLikeOthers) {
  QTest::keyClick(&edit(), Qt::Key_Backspace);
  QTest::keyClick(&edit(), Qt::Key_Tab);
  ASSERT_TRUE(WaitSent(1));
  EXPECT_EQ(sent_[0], "\b\t");
}

TEST_F(OutputPaneTest, TrimsTheOldest200OnceAbove5000) {
  edit().AppendOutput(std::string(5000, 'a'));
  edit().AppendOutput("B");  // exactly 5000 before: nothing goes
  EXPECT_EQ(edit().ShownText().size(), 5001);
  edit().AppendOutput("NEW");
  const QString text = edit().ShownText();
  EXPECT_EQ(text.size(), 4801 + 3);
  EXPECT_TRUE(text.endsWith(QStringLiteral("aBNEW")));
}

TEST_F(OutputPaneTest, LongAppendsDoNotGrowThePaneWithoutEnd) {
  for (int i = 0; i < 200; ++i) edit().AppendOutput(std::string(255, 'x'));
  EXPECT_LE(edit().ShownText().size(), 5000 + 255);
}

TEST_F(OutputPaneTest, LineEndsAndClearKeepPendingTyping) {
  edit().AppendOutput("OK\r");
  edit().AppendOutput("\nnext\r\nlast");
  EXPECT_EQ(edit().ShownText(), QStringLiteral("OK\nnext\nlast"));
  edit().TypeCharacter('z');
  edit().ClearOutput();
  EXPECT_TRUE(edit().ShownText().isEmpty());
  EXPECT_EQ(edit().PendingCount(), 1);
}

TEST_F(OutputPaneTest, CopyTakesTheSelectionOfTheFocusedWidget) {
  view_.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&view_));
  edit().setFocus();
  edit().AppendOutput("hello world");
  edit().selectAll();
  view_.Copy();
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("hello world"));
}

TEST_F(OutputPaneTest, PasteKeysSendTheClipboardNeverTheirControlCharacters) {
  QApplication::clipboard()->clear();
  QTest::keyClick(&edit(), Qt::Key_V, Qt::ControlModifier);  // nothing to paste
  QTest::keyClick(&edit(), Qt::Key_X, Qt::ControlModifier);  // cut: not 0x18 either
  EXPECT_EQ(edit().PendingCount(), 0);
  QApplication::clipboard()->setText(QStringLiteral("ab"));
  QTest::keyClick(&edit(), Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(&edit(), Qt::Key_Insert, Qt::ShiftModifier);
  edit().paste();  // the context menu's Paste
  ASSERT_TRUE(WaitSent(1));
  EXPECT_EQ(sent_, std::vector<std::string>{"ababab"});
  EXPECT_TRUE(edit().ShownText().isEmpty());  // pasted text is sent, not shown
}

TEST_F(OutputPaneTest, ACharacterBeyondAsciiIsRefusedWithOneLine) {
  QSignalSpy refused(&edit(), &COutputEdit::inputRefused);
  QKeyEvent key(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QStringLiteral("\u00e9"));
  QApplication::sendEvent(&edit(), &key);
  QApplication::clipboard()->setText(QStringLiteral("AT\u20ac\r"));
  edit().paste();
  EXPECT_EQ(refused.size(), 2);
  EXPECT_EQ(edit().PendingCount(), 0);  // nothing sent, no NUL byte either
}

TEST_F(OutputPaneTest, AnAppendKeepsTheSelectionAndTheReadersPlace) {
  edit().AppendOutput("hello world\r");
  QTextCursor selection(edit().document());
  selection.setPosition(0);
  selection.setPosition(5, QTextCursor::KeepAnchor);
  edit().setTextCursor(selection);
  edit().AppendOutput("OK\r");
  EXPECT_EQ(edit().textCursor().selectedText(), QStringLiteral("hello"));

  for (int line = 0; line < 100; ++line) edit().AppendOutput("line\r");
  QScrollBar* bar = edit().verticalScrollBar();
  ASSERT_GT(bar->maximum(), 0);
  bar->setValue(0);  // the user reads from the top
  edit().AppendOutput("more\r");
  EXPECT_EQ(bar->value(), 0);
  bar->setValue(bar->maximum());  // back at the end: the pane follows it again
  edit().AppendOutput("last\r");
  EXPECT_EQ(bar->value(), bar->maximum());
}

TEST_F(OutputPaneTest, FontIsMonospaceBold) {
  const QFont font = edit().font();
  EXPECT_EQ(font.pixelSize(), 14);
  EXPECT_EQ(font.weight(), QFont::Black);
  EXPECT_TRUE(QFontInfo(font).fixedPitch() || font.styleHint() == QFont::TypeWriter);
}

}  // namespace
}  // namespace netloom::panes
