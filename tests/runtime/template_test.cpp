#include <gtest/gtest.h>

#include <cstring>

#include "runtime/window_template.h"

namespace {

bool Parse(const char* text, std::vector<rt::WindowTemplate>* out) {
  std::string error;
  return rt::ParseWindowTemplates(text, std::strlen(text), out, &error);
}

TEST(WindowTemplates, ReadEntriesSettingsAndHandlers) {
  std::vector<rt::WindowTemplate> windows;
  ASSERT_TRUE(Parse("# the main window\n"
                    "window id=0x52010001 type=0x00010001 name=启动窗口 text=\"a \\\"b\\\" c\" "
                    "width=738 on0=0 set.centred=1\r\n"
                    "\n"
                    "component id=0x56010002 type=0x00010006 name=表格 disabled=1 on0=-1 on3=2 "
                    "set.column0=\"序号,50,2\"\n"
                    "window id=0x52010005 type=0x00010001\n",
                    &windows));
  ASSERT_EQ(windows.size(), 2u);
  const rt::ComponentTemplate& window = windows[0].entries[0];
  EXPECT_EQ(window.text, "a \"b\" c");
  EXPECT_EQ(window.bounds.width, 738);
  EXPECT_EQ(window.settings.at("centred"), "1");
  const rt::ComponentTemplate& table = windows[0].entries[1];
  EXPECT_EQ(table.name, "表格");
  EXPECT_TRUE(table.disabled);
  EXPECT_EQ(table.handlers, (std::vector<std::pair<int32_t, int32_t>>{{0, -1}, {3, 2}}));
  EXPECT_EQ(table.settings.at("column0"), "序号,50,2");
  EXPECT_EQ(windows[1].Id(), 0x52010005);
}

TEST(WindowTemplates, DoubleByteTextKeepsTrailBytesThatLookLikeEscapes) {
  // 0x5C (backslash) and 0x22 (quote) never end a double-byte character in GBK, but
  // 0x5C can be a trail byte ("\x95\x5C").
  std::vector<rt::WindowTemplate> windows;
  ASSERT_TRUE(Parse("window id=1 type=2 text=\"\x95\x5C\"\n", &windows));
  EXPECT_EQ(windows[0].entries[0].text, "\x95\x5C");
}

TEST(WindowTemplates, RefuseMalformedData) {
  std::vector<rt::WindowTemplate> windows;
  const char* bad[] = {
      "component id=1 type=2\n",                // no window yet
      "window id=1 type=2 width=12x\n",         // not a number
      "window id=1 type=2 text=\"open\n",       // unterminated
      "window type=2\n",                        // no id
      "window id=1 type=2\nwindow id=1 type=2", // duplicate id
      "panel id=1 type=2\n",                    // unknown kind
      "window id=1 type=2 colour=3\n",          // unknown key
      "window id=1 type=2 visible=2\n",         // not a flag
      "window id=1 type=2 =3\n",
  };
  for (const char* text : bad) {
    EXPECT_FALSE(Parse(text, &windows)) << text;
    EXPECT_TRUE(windows.empty());
  }
}

}  // namespace
