#include <gtest/gtest.h>

#include <cstring>

#include "runtime/window_description.h"
#include "runtime/window_template.h"

namespace {

bool Parse(const char* text, std::vector<rt::WindowTemplate>* out) {
  std::string error;
  return rt::ParseWindowTemplates(text, std::strlen(text), out, &error);
}

TEST(WindowTemplates, ReadEntriesSettingsAndHandlers) {
  std::vector<rt::WindowTemplate> windows;
  ASSERT_TRUE(
      Parse("# the main window\n"
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
      "component id=1 type=2\n",                 // no window yet
      "window id=1 type=2 width=12x\n",          // not a number
      "window id=1 type=2 text=\"open\n",        // unterminated
      "window type=2\n",                         // no id
      "window id=1 type=2\nwindow id=1 type=2",  // duplicate id
      "panel id=1 type=2\n",                     // unknown kind
      "window id=1 type=2 colour=3\n",           // unknown key
      "window id=1 type=2 visible=2\n",          // not a flag
      "window id=1 type=2 =3\n",
  };
  for (const char* text : bad) {
    EXPECT_FALSE(Parse(text, &windows)) << text;
    EXPECT_TRUE(windows.empty());
  }
}

void RoutineA() {}
void RoutineB() {}

// Whatever a name, caption or setting holds, the written description reads back as it.
TEST(WindowDescriptions, WrittenValuesReadBackUnchanged) {
  const char* values[] = {
      "plain",       "两个 字",   "",    "\"quoted\"",          "a\\b", "one\r\ntwo", "\x95\x5C",
      "\x95\x5C\"x", "tab\there", "=x=", "中文（*.srt）|*.srt",
  };
  for (const char* value : values) {
    rt::DescribedEntry window =
        rt::WindowEntry(0x52010001, value, value, {1, 2, 3, 4}, rt::WindowLook(), {});
    window.settings.emplace_back("key", value);
    rt::WindowDescription description(window, {});
    std::string text = description.StoredText();
    std::vector<rt::WindowTemplate> windows;
    std::string error;
    ASSERT_TRUE(rt::ParseWindowTemplates(text.data(), text.size(), &windows, &error))
        << value << ": " << error << " in " << text;
    const rt::ComponentTemplate& entry = windows[0].entries[0];
    EXPECT_EQ(entry.name, value);
    EXPECT_EQ(entry.text, value);
    EXPECT_EQ(entry.settings.at("key"), value);
  }
}

// Routines are numbered once each, in the order the entries first name them; a missing
// routine is stored as none.
TEST(WindowDescriptions, NumberRoutinesByFirstMention) {
  rt::WindowDescription description(
      rt::WindowEntry(0x52010001, "w", "w", {0, 0, 10, 10}, rt::WindowLook(),
                      {{0, RoutineB}, {1, nullptr}}),
      {rt::ButtonEntry(0x56010002, "a", "a", {0, 0, 1, 1}, RoutineA),
       rt::ButtonEntry(0x56010003, "b", "b", {0, 0, 1, 1}, RoutineB, rt::Enabled::kNo),
       rt::Anchored(rt::ButtonEntry(0x56010004, "c", "c", {0, 0, 1, 1}, RoutineA),
                    rt::kAnchorRight | rt::kAnchorBottom)});
  ASSERT_EQ(description.Routines(), (std::vector<rt::EventHandler>{RoutineB, RoutineA}));
  std::string text = description.StoredText();
  std::vector<rt::WindowTemplate> windows;
  std::string error;
  ASSERT_TRUE(rt::ParseWindowTemplates(text.data(), text.size(), &windows, &error)) << error;
  const std::vector<rt::ComponentTemplate>& e = windows[0].entries;
  ASSERT_EQ(e.size(), 4u);
  EXPECT_EQ(e[0].handlers, (std::vector<std::pair<int32_t, int32_t>>{{0, 0}, {1, -1}}));
  EXPECT_EQ(e[1].handlers, (std::vector<std::pair<int32_t, int32_t>>{{0, 1}}));
  EXPECT_EQ(e[2].handlers, (std::vector<std::pair<int32_t, int32_t>>{{0, 0}}));
  EXPECT_TRUE(e[2].disabled);
  EXPECT_EQ(e[1].type, rt::kComponentButton);
  EXPECT_EQ(rt::AnchorsOf(e[1]), rt::kAnchorLeftTop);
  EXPECT_EQ(rt::AnchorsOf(e[3]), rt::kAnchorRight | rt::kAnchorBottom);
}

}  // namespace
