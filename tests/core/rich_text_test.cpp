#include "core/rich_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "json/cjson_api.h"
#include "json/json_node.h"

namespace {

using core::RichTextScan;

// What the JSON classes make of a content: its "text" member when it is an object
// holding a string there.
bool TextThroughJsonClasses(const std::string& content, std::string& text) {
  size_t first = content.find_first_not_of(" \t\r\n");
  if (first == std::string::npos || content[first] != '{') return false;
  json::JsonDocument document;
  if (!document.ParseUtf8Direct(content.data(), content.size()) ||
      (document.Type() & json::kCjsonTypeMask) != json::kCjsonObject) {
    return false;
  }
  json::JsonNode member = document.GetItemUtf8("text");
  if (member.IsEmpty() || (member.Type() & json::kCjsonTypeMask) != json::kCjsonString)
    return false;
  text = member.GetStringUtf8();
  return true;
}

// A decided scan says what the JSON classes say.
void ExpectAgreement(const std::string& content) {
  std::string scanned = "untouched";
  RichTextScan scan = core::ScanRichText(content, scanned);
  if (scan == RichTextScan::kUndecided) return;
  std::string parsed;
  bool isText = TextThroughJsonClasses(content, parsed);
  ASSERT_EQ(scan == RichTextScan::kText, isText) << content;
  if (isText) {
    EXPECT_EQ(scanned, parsed) << content;
  }
}

const char kCaption[] =
    R"({"styles":[{"fill":{"alpha":1.0,"content":{"render_type":"solid","solid":)"
    R"({"alpha":1.0,"color":[1.0,1.0,1.0]}}},"font":{"id":"","path":"C:/Font/zh-hans.ttf"},)"
    R"("range":[0,12],"size":-8.5e-1,"bold":false,"italic":true,"underline":null}],)"
    u8R"("text":"第一行\n\"引号\" back\\slash \/ tab\t 😀"})";

TEST(ScanRichText, DecidesEditorCaptionsAsTheJsonClassesDo) {
  std::string text;
  ASSERT_EQ(core::ScanRichText(kCaption, text), RichTextScan::kText);
  const std::string decoded = u8"第一行\n\"引号\" back\\slash / tab\t 😀";
  EXPECT_EQ(text, decoded);

  const std::string decided[][2] = {
      {R"( {"TEXT":"upper","text":"second"} trailing {)", "upper"},
      {R"({"styles":[],"text":""})", ""},
      {"\r\n\t{\"text\" : \"spaced\" }", "spaced"},
  };
  for (const auto& [content, expected] : decided) {
    ASSERT_EQ(core::ScanRichText(content, text), RichTextScan::kText) << content;
    EXPECT_EQ(text, expected);
    ExpectAgreement(content);
  }
  for (const char* content : {"plain words", "", "[{\"text\":\"x\"}]", R"({"text":5})",
                              R"({"Text":{"text":"inner"},"text":"later"})", R"({"styles":[]})"}) {
    EXPECT_EQ(core::ScanRichText(content, text), RichTextScan::kNotRichText) << content;
    ExpectAgreement(content);
  }
  for (const char* content :
       {R"({"text":"\u4e2d"})", R"({"te\u0078t":"x"})", "{\"text\":\"raw\x01\"}",
        R"({"text":"x",})", R"({"n":01,"text":"x"})", "{\"text\":\"x\"",
        R"({"n":[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[)"
        R"([[[[[[[[[[[[[[[[[[[[[[[[[[[[[[1]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]])"
        R"(]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]],"text":"deep"})"}) {
    EXPECT_EQ(core::ScanRichText(content, text), RichTextScan::kUndecided) << content;
  }
}

// Small damage anywhere in a caption: whatever the scan decides must agree.
TEST(ScanRichText, AgreesWithTheJsonClassesOnDamagedCaptions) {
  const std::string pieces[] = {"{",       "}",    "[", "]",    "\"",
                                "\\",      ",",    ":", " ",    "0",
                                "-",       ".",    "e", "text", "\"text\":\"x\",",
                                "\\u00e9", "\xFF", "\n"};
  std::mt19937 random(15);
  const std::string caption = kCaption;
  for (int i = 0; i < 3000; ++i) {
    std::string content = caption;
    int edits = 1 + static_cast<int>(random() % 3);
    for (int e = 0; e < edits; ++e) {
      size_t at = random() % (content.size() + 1);
      const std::string& piece = pieces[random() % std::size(pieces)];
      if (random() % 2 == 0 && at < content.size())
        content.erase(at, 1 + random() % 4);
      else
        content.insert(at, piece);
    }
    ExpectAgreement(content);
    if (HasFatalFailure()) return;
  }
}

}  // namespace
