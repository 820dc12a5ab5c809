// The items document of `config write --from` and the Parameters pane's profiles: what is
// taken and what is refused, and why.
#include "core/catalogue/config_profile.h"

#include <gtest/gtest.h>

namespace netloom::catalogue {
namespace {

TEST(ItemsDocument, TakesTheItemsInDocumentOrder) {
  std::string error;
  const auto items = ParseProfile(
      R"({"items":[{"index":12,"value":"0B"},{"index":0,"name":"Version","value":"0002"}]})", "f",
      error);
  ASSERT_TRUE(items) << error;
  EXPECT_EQ(*items, (std::vector<std::pair<int, std::string>>{{12, "0B"}, {0, "0002"}}));
}

TEST(ItemsDocument, RefusesWithOneLineNamingTheSource) {
  const std::string shape = "f: each item needs an \"index\" 0..50 and a text \"value\"";
  const struct {
    const char* document;
    std::string error;
  } cases[] = {
      {"[]", "f: not a JSON document with an \"items\" array"},
      {R"({"items":[)", "f: not a JSON document with an \"items\" array"},
      {R"({"items":[{"index":51,"value":"x"}]})", shape},
      {R"({"items":[{"index":-1,"value":"x"}]})", shape},
      // 2^32 and 2^32 + 12 once wrapped into items 0 and 12.
      {R"({"items":[{"index":4294967296,"value":"x"}]})", shape},
      {R"({"items":[{"index":4294967308,"value":"x"}]})", shape},
      {R"({"items":[{"index":1.5,"value":"x"}]})", shape},
      {R"({"items":[{"index":1,"value":7}]})", shape},
      {R"({"items":[{"index":0,"name":"Nope","value":""}]})", "f: item 0 is \"Version\""},
      {R"({"items":[{"index":3,"value":"\u20AC","latin1":true}]})",
       "f: item 3 is marked \"latin1\" but holds a character beyond U+00FF"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(ParseProfile(c.document, "f", error)) << c.document;
    EXPECT_EQ(error, c.error) << c.document;
  }
}

}  // namespace
}  // namespace netloom::catalogue
