#include "ui/text_direction.h"

#include <gtest/gtest.h>

namespace {

using ui::CellAlign;
using ui::FirstStrongDirection;
using ui::TextDirection;
using ui::WideText;

constexpr TextDirection kNone = TextDirection::kNeutral;
constexpr TextDirection kLtr = TextDirection::kLeftToRight;
constexpr TextDirection kRtl = TextDirection::kRightToLeft;

TEST(TextDirectionTest, FirstStrongCharacterDecidesTheCaption) {
  struct Case {
    const char16_t* text;
    TextDirection want;
  };
  const Case cases[] = {
      {u"", kNone},
      {u"123 ... !? -- ()", kNone},
      {u"Hello", kLtr},
      {u"\u0645\u0631\u062D\u0628\u0627 123", kRtl},    // Arabic
      {u"\u05E9\u05DC\u05D5\u05DD", kRtl},              // Hebrew
      {u"\u0E2A\u0E27\u0E31\u0E2A\u0E14\u0E35", kLtr},  // Thai
      {u"\u0E31\u0E34 \u05E9", kRtl},                   // Thai marks alone are neutral
      {u"Ti\u1EBFng Vi\u1EC7t", kLtr},                  // Vietnamese
      {u"\uC548\uB155", kLtr},                          // Korean
      {u"\u3053\u3093\u306B\u3061\u306F", kLtr},        // Japanese kana
      {u"\u300C\u4F60\u597D\u300D", kLtr},              // a CJK quote, then Han
      {u"\u201C\u0645\u201D", kRtl},                    // quotation marks are neutral
      {u"123 \u0645 abc", kRtl},                        // digits come before the letter
      {u"\u0661\u0662\u0663 abc", kLtr},                // Arabic-Indic digits are neutral
      {u"\u064E\u0645", kRtl},                          // a leading Arabic mark
      {u"\U0001F600 \u2764\uFE0F \u0645", kRtl},        // emoji and a selector
      {u"\U0001F44D\U0001F3FD ok", kLtr},               // a modified emoji, then Latin
      {u"\U00010900", kRtl},                            // Phoenician, beyond U+FFFF
      {u"\U0001D400", kLtr},                            // a mathematical letter
      {u"\u200F abc", kRtl},                            // the right-to-left mark
      {u"\u200E \u0645", kLtr},                         // the left-to-right mark
      {u"\u061C 1", kRtl},                              // the Arabic letter mark
      {u"\u00BFQu\u00E9?", kLtr},                       // Spanish opening mark
      {u"\u00AA", kLtr},                                // an ordinal letter
      {u"\uFB1D\uFB50\uFE8D", kRtl},                    // presentation forms
      {u"\uFF08\uFF11\uFF09\uFF21", kLtr},              // full-width ( 1 ) then A
  };
  // A high surrogate without its low half is no character: the letter after it counts.
  const char16_t loneHalf[] = {0xD83D, u' ', u'x', 0};
  EXPECT_EQ(FirstStrongDirection(WideText(loneHalf)), kLtr);
  for (const Case& c : cases) {
    EXPECT_EQ(FirstStrongDirection(WideText(c.text)), c.want)
        << "text of " << WideText(c.text).size() << " units starting U+" << std::hex
        << (c.text[0] ? static_cast<unsigned>(c.text[0]) : 0u);
  }
  EXPECT_EQ(ui::LineAlignment(CellAlign::kLeft, kRtl), CellAlign::kRight);
  EXPECT_EQ(ui::LineAlignment(CellAlign::kLeft, kLtr), CellAlign::kLeft);
  EXPECT_EQ(ui::LineAlignment(CellAlign::kLeft, kNone), CellAlign::kLeft);
  EXPECT_EQ(ui::LineAlignment(CellAlign::kCentre, kRtl), CellAlign::kCentre);
  EXPECT_EQ(ui::LineAlignment(CellAlign::kRight, kRtl), CellAlign::kRight);
}

}  // namespace
