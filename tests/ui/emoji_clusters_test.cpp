#include "ui/emoji_clusters.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using ui::UnitRange;
using ui::WideText;

TEST(EmojiClustersTest, AnEmojiKeepsWhatBelongsToIt) {
  struct Case {
    const char16_t* text;
    std::vector<UnitRange> want;
  };
  const Case cases[] = {
      {u"", {}},
      {u"plain \u4F60\u597D \u0E2A\u0E27\u0E31", {}},
      {u"a\U0001F600b", {{1, 3}}},                                // a surrogate pair
      {u"\u2764\uFE0F!", {{0, 2}}},                               // a symbol shown as emoji
      {u"\u2764 \u2605", {}},                                     // symbols shown as text
      {u"\U0001F44D\U0001F3FD", {{0, 4}}},                        // a skin tone
      {u"\U0001F468\u200D\U0001F469\u200D\U0001F467", {{0, 8}}},  // a family joined
      {u"\U0001F600\u200D", {{0, 2}}},                            // a joiner with nothing after
      {u"\U0001F1E8\U0001F1F3\U0001F1EF\U0001F1F5", {{0, 4}, {4, 8}}},  // two flags
      {u"\U0001F3F4\U000E0067\U000E0062\U000E007F", {{0, 8}}},          // a flag made of tags
      {u"\U0001F600\U0001F601", {{0, 2}, {2, 4}}},                      // two emoji side by side
      {u"\u0645 \U0001F600 \u0645", {{2, 4}}},                          // inside Arabic
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ui::EmojiClusters(WideText(c.text)), c.want) << WideText(c.text).size() << " units";
  }
  // A lone surrogate is no emoji and is kept as it is.
  const char16_t lone[] = {0xD83D, u'x', 0};
  EXPECT_TRUE(ui::EmojiClusters(WideText(lone)).empty());

  EXPECT_EQ(ui::EmojiAsDrawn(u"\u2764\uFE0F"), WideText(u"\u2764"));
  EXPECT_EQ(ui::EmojiAsDrawn(u"\U0001F468\u200D\U0001F469"), WideText(u"\U0001F468\U0001F469"));
  EXPECT_EQ(ui::EmojiAsDrawn(u"\U0001F44D\U0001F3FD"), WideText(u"\U0001F44D\U0001F3FD"));
}

}  // namespace
