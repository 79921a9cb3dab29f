#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "json/cjson_api.h"
#include "json/json_node.h"
#include "loader/json_library.h"
#include "tests/json/json_test_support.h"

namespace {

using json::JsonDocument;
using json::JsonNode;
using jsontest::Bytes;
using jsontest::ParseUtf8;
using jsontest::Str;

TEST(JsonParse, AcceptsOnlyObjectsAndArrays) {
  JsonDocument doc;
  EXPECT_FALSE(doc.ParseUtf8(nullptr));
  EXPECT_FALSE(ParseUtf8(doc, ""));
  EXPECT_FALSE(ParseUtf8(doc, std::string("\0{}", 3)));
  EXPECT_FALSE(ParseUtf8(doc, "   "));
  EXPECT_TRUE(doc.IsEmpty());

  EXPECT_TRUE(ParseUtf8(doc, "[]"));
  EXPECT_TRUE(doc.IsArray());
  EXPECT_EQ(doc.GetArraySize(), 0);
  EXPECT_TRUE(ParseUtf8(doc, "{}"));
  EXPECT_TRUE(doc.IsObject());
  EXPECT_TRUE(doc.IsValid());

  for (const char* scalar : {"42", "\"text\"", "true", "null", "-1.5e3"}) {
    EXPECT_FALSE(ParseUtf8(doc, scalar)) << scalar;
    EXPECT_TRUE(doc.IsEmpty()) << scalar;
  }
  for (const char* broken : {"[", "{\"a\":}", "{\"a\" 1}", "[1,]x", "\xFF\xFE[]"}) {
    EXPECT_FALSE(ParseUtf8(doc, broken)) << broken;
    EXPECT_TRUE(doc.IsEmpty()) << broken;
  }
  // Trailing text after the value is not demanded to be white space.
  EXPECT_TRUE(ParseUtf8(doc, "[1] trailing"));
}

TEST(JsonParse, ByteOrderMarkAndNulInside) {
  JsonDocument doc;
  ASSERT_TRUE(ParseUtf8(doc, u8"\uFEFF{\"materials\":{\"texts\":[]}}"));
  EXPECT_TRUE(doc.GetItem("materials", false).IsObject());
  EXPECT_FALSE(ParseUtf8(doc, "\xEF\xBB\xBF"));
  EXPECT_FALSE(ParseUtf8(doc,
                         "\xEF\xBB\xBF"
                         "42"));
  // Only one mark is skipped, and only at the very start.
  EXPECT_FALSE(ParseUtf8(doc, "\xEF\xBB\xBF\xEF\xBB\xBF{}"));
  EXPECT_FALSE(ParseUtf8(doc, " \xEF\xBB\xBF{}"));

  // The document ends at its first NUL byte.
  EXPECT_TRUE(ParseUtf8(doc, std::string("{\"a\":1}\0garbage", 15)));
  EXPECT_EQ(doc.GetItem("a", true).GetInt(), 1);
  EXPECT_FALSE(ParseUtf8(doc, std::string("{\"a\":\0 1}", 9)));
}

TEST(JsonParse, FailedParseAfterGoodOneLeavesDocumentEmpty) {
  JsonDocument doc;
  doc.Release();  // never parsed: nothing happens
  ASSERT_TRUE(ParseUtf8(doc, "{\"a\":[1,2,3]}"));
  EXPECT_EQ(doc.GetItem("a", true).GetArraySize(), 3);
  EXPECT_FALSE(ParseUtf8(doc, "{\"a\":[1,2,3]"));
  EXPECT_TRUE(doc.IsEmpty());
  EXPECT_FALSE(doc.IsValid());
  EXPECT_TRUE(doc.GetItem("a", true).IsEmpty());
  EXPECT_EQ(doc.GetArraySize(), 0);
  EXPECT_EQ(doc.ToText(), nullptr);
  doc.Release();
  doc.Release();

  ASSERT_TRUE(ParseUtf8(doc, "[1]"));
  EXPECT_FALSE(doc.Parse(""));
  EXPECT_TRUE(doc.IsEmpty());
}

TEST(JsonParse, TextComesBackInCodePage936) {
  JsonDocument doc;
  ASSERT_TRUE(ParseUtf8(doc,
                        u8"{\"字幕\":\"第一句：你好\",\"thai\":\"\u0E01x\","
                        u8"\"emoji\":\"a\U0001F600\",\"esc\":\"\\u4E2D\\n\"}"));
  JsonNode first = doc.Child();
  EXPECT_EQ(Str(first.GetKey()), "字幕");
  EXPECT_EQ(Str(first.GetString()), "第一句：你好");
  EXPECT_EQ(first.GetStringUtf8(), u8"第一句：你好");
  // Characters that code page 936 lacks come back as its default character.
  EXPECT_EQ(Str(doc.GetItem("thai", true).GetString()), "?x");
  EXPECT_EQ(doc.GetItem("emoji", true).GetStringUtf8(), u8"a\U0001F600");
  EXPECT_EQ(Str(doc.GetItem("esc", true).GetString()), "中\n");
  EXPECT_TRUE(doc.RemoveKey("emoji", true));
  EXPECT_EQ(Str(doc.ToText()), "{\"字幕\":\"第一句：你好\",\"thai\":\"?x\",\"esc\":\"中\\n\"}");
}

TEST(JsonParse, GbkAndUtf16Documents) {
  JsonDocument doc;
  ASSERT_TRUE(doc.ParseGbk("{\"键\":\"中文\"}"));
  EXPECT_EQ(Str(doc.GetItem("键", true).GetString()), "中文");
  EXPECT_FALSE(doc.ParseGbk(""));
  EXPECT_FALSE(doc.ParseGbk(nullptr));

  std::u16string utf16 = u"[\"\u4E2D\", 7]";
  std::string raw(reinterpret_cast<const char*>(utf16.data()), utf16.size() * 2);
  rt::OwnedBytes bytes = Bytes(raw);
  ASSERT_TRUE(doc.ParseUtf16(bytes.get()));
  EXPECT_EQ(Str(doc.GetAt(0).GetString()), "中");
  EXPECT_EQ(doc.GetAt(1).GetInt(), 7);
  EXPECT_FALSE(doc.ParseUtf16(nullptr));
  EXPECT_TRUE(doc.IsEmpty());
}

TEST(JsonParse, DirectUtf8IsLosslessAndBounded) {
  JsonDocument doc;
  EXPECT_FALSE(doc.ParseUtf8Direct(nullptr, 0));
  std::string text = u8"\uFEFF{\"t\":\"\U0001F600中\",\"n\":[1,2]}";
  // An exact-size heap copy without a terminator: a read past it would be caught.
  std::vector<char> exact(text.begin(), text.end());
  ASSERT_TRUE(doc.ParseUtf8Direct(exact.data(), exact.size()));
  EXPECT_EQ(doc.GetItemUtf8("T").GetStringUtf8(), u8"\U0001F600中");
  EXPECT_EQ(doc.GetItemUtf8("n").GetArraySize(), 2);

  for (std::string bad :
       {std::string("42"), std::string("\"s\""), std::string("{\"a\":[1,2"),
        std::string("[\"unterminated"), std::string("\xEF\xBB\xBF"), std::string("{\"a\":1", 6)}) {
    std::vector<char> copy(bad.begin(), bad.end());
    EXPECT_FALSE(doc.ParseUtf8Direct(copy.data(), copy.size())) << bad;
    EXPECT_TRUE(doc.IsEmpty());
  }
  std::string withNul("[1]\0[", 5);
  EXPECT_TRUE(doc.ParseUtf8Direct(withNul.data(), withNul.size()));
  // A length shorter than the text stops the parse there.
  EXPECT_FALSE(doc.ParseUtf8Direct("[1,2]", 3));
}

TEST(JsonParse, WithoutTheLibraryEverythingIsEmpty) {
  JsonDocument doc;
  ASSERT_TRUE(ParseUtf8(doc, "{\"a\":1}"));
  doc.Release();
  uintptr_t saved = JsonLibraryModule;
  JsonLibraryModule = 0;
  EXPECT_FALSE(ParseUtf8(doc, "{\"a\":1}"));
  EXPECT_FALSE(doc.ParseUtf8Direct("{}", 2));
  EXPECT_FALSE(doc.Create(true));
  EXPECT_TRUE(doc.IsEmpty());
  EXPECT_EQ(doc.GetArraySize(), 0);
  EXPECT_FALSE(doc.AddNull("x"));
  JsonLibraryModule = saved;
  EXPECT_TRUE(ParseUtf8(doc, "{\"a\":1}"));
}

}  // namespace
