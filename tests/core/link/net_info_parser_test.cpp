#include "core/link/walk/net_info_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace netloom::link {
namespace {

struct NetInfoCase {
  const char* label;
  std::string reply;
  ReplyState state;
  std::string address;
  std::int32_t entryCount;
  std::vector<std::string> children;
};

std::vector<std::string> ChildAddresses(const NodeRecord& record) {
  std::vector<std::string> addresses;
  for (const auto& child : record.children) addresses.push_back(child.address);
  return addresses;
}

TEST(NetInfoParserTest, Replies) {
  const NetInfoCase cases[] = {
      {"no blanks: 3412 is 1234, child 5612 is 1256",
       "<08341201025612CDAB>",
       ReplyState::Complete,
       "1234",
       1,
       {"1256"}},
      {"LL 02: no entries, closes after the address",
       "<023412>",
       ReplyState::Complete,
       "1234",
       0,
       {}},
      {"blanks between the fields",
       "< 08 3412 01 02 5612 CDAB  >",
       ReplyState::Complete,
       "1234",
       1,
       {"1256"}},
      {"blanks inside the fields",
       "<0 83 41 20 10 25 61 2C DA B>",
       ReplyState::Complete,
       "1234",
       1,
       {"1256"}},
      {"bytes before the reply are ignored",
       "ATNETINFO 0000 0\r\r\n<023412>",
       ReplyState::Complete,
       "1234",
       0,
       {}},
      {"only kind 1 entries are kept, in reply order",
       "<14 0000 01 00 3412 0000 02 07 7856 0000 01 FF BC9A 0000>",
       ReplyState::Complete,
       "0000",
       3,
       {"1234", "9ABC"}},
      {"lower-case hex",
       "<0e 3412 01 00 cdab 0000 01 00 3412 0000>",
       ReplyState::Complete,
       "1234",
       2,
       {"abcd", "1234"}},
      {"LL below 8 announces no entry", "<07 3412>", ReplyState::Complete, "1234", 0, {}},
      {"LL 00", "<00 3412>", ReplyState::Complete, "1234", 0, {}},
      {"bad closing character", "<08341201025612CDAB)", ReplyState::ReadError, "1234", 1, {"1256"}},
      {"more entries than LL announces",
       "<023412 01025612CDAB>",
       ReplyState::ReadError,
       "1234",
       0,
       {}},
      {"not a hex digit inside a field",
       "<08 3412 01 02 56G2 CDAB>",
       ReplyState::NotHex,
       "1234",
       1,
       {}},
      {"breaks off in an entry", "<08341201025612", ReplyState::Reading, "1234", 1, {}},
      {"breaks off before the close",
       "<08341201025612CDAB",
       ReplyState::Reading,
       "1234",
       1,
       {"1256"}},
      {"no reply at all", "", ReplyState::Reading, "", 0, {}},
      {"only noise", "OK\r\n", ReplyState::Reading, "", 0, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    NetInfoParser parser;
    for (const char byte : c.reply) parser.Feed(static_cast<std::uint8_t>(byte));
    EXPECT_EQ(parser.State(), c.state);
    EXPECT_EQ(parser.Record().address, c.address);
    EXPECT_EQ(parser.Record().entryCount, c.entryCount);
    EXPECT_EQ(ChildAddresses(parser.Record()), c.children);
  }
}

TEST(NetInfoParserTest, StopsAtTheEndOfTheReply) {
  NetInfoParser parser;
  const std::string reply = "<023412>";
  for (std::size_t i = 0; i + 1 < reply.size(); ++i) {
    EXPECT_EQ(parser.Feed(static_cast<std::uint8_t>(reply[i])), ReplyState::Reading);
  }
  EXPECT_EQ(parser.Feed('>'), ReplyState::Complete);
  EXPECT_EQ(parser.Feed('<'), ReplyState::Complete);
  EXPECT_EQ(parser.Record().address, "1234");
}

struct NameCase {
  const char* label;
  std::string reply;
  std::optional<std::string> name;  // nothing: still reading when the bytes ran out
  std::size_t bytesTaken;           // bytes fed when the name came
};

TEST(NameReaderTest, Replies) {
  const std::string name17 = "ABCDEFGHIJKLMNOPQ";
  const NameCase cases[] = {
      {"plain", "<Router-7>", "Router-7", 10},
      {"bytes before the name", "ATNAMEREQ 1234\r\r\n<Router-7>\r\n", "Router-7", 27},
      {"17 characters", "<" + name17 + ">", name17, 19},
      {"18 characters give the default", "<" + name17 + "R>", "Node", 19},
      {"51 bytes before the name", std::string(51, 'x') + "<Router-7>", "Node", 51},
      {"the '<' is the 50th byte counted", std::string(49, 'x') + "<Router-7>", "Router-7", 59},
      {"the '<' is the 51st byte counted", std::string(50, 'x') + "<Router-7>", "Node", 51},
      {"empty name", "<>", "", 2},
      {"a NUL ends the name", std::string("<Ab\0cd>", 7), "Ab", 7},
      {"a second '<' is a name character", "<a<b>", "a<b", 5},
      {"breaks off", "<Rou", std::nullopt, 4},
      {"silence", "", std::nullopt, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    NameReader reader;
    std::optional<std::string> name;
    std::size_t taken = 0;
    while (!name && taken < c.reply.size()) {
      name = reader.Feed(static_cast<std::uint8_t>(c.reply[taken++]));
    }
    EXPECT_EQ(name, c.name);
    EXPECT_EQ(taken, c.bytesTaken);
  }
}

}  // namespace
}  // namespace netloom::link
