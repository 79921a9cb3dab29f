#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "json/cjson_api.h"
#include "json/json_node.h"
#include "tests/json/json_test_support.h"

namespace {

using json::JsonDocument;
using json::JsonNode;
using jsontest::ParseUtf8;
using jsontest::Str;

TEST(JsonRead, LookupByKeyAndIndex) {
  JsonDocument doc;
  ASSERT_TRUE(ParseUtf8(doc,
                        "{\"MaTeRiAls\":{\"texts\":[10,20]},\"materials\":2,\"n\":5,"
                        "\"list\":[\"a\",\"b\"]}"));
  // Without case, the first member whose name matches wins.
  JsonNode materials = doc.GetItem("materials", false);
  EXPECT_TRUE(materials.IsObject());
  EXPECT_EQ(doc.GetItem("materials", true).GetInt(), 2);
  EXPECT_TRUE(doc.GetItem("MATERIALS", true).IsEmpty());
  EXPECT_TRUE(doc.GetItemUtf8("MATERIALS").IsObject());
  EXPECT_TRUE(doc.GetItem("missing", false).IsEmpty());
  EXPECT_TRUE(doc.HasKey("n"));
  EXPECT_FALSE(doc.HasKey("N2"));

  JsonNode list = doc.GetItem("list", true);
  EXPECT_TRUE(list.GetItem("a", false).IsEmpty());
  EXPECT_TRUE(list.GetItemUtf8("a").IsEmpty());
  EXPECT_EQ(Str(list.GetAt(1).GetString()), "b");
  EXPECT_TRUE(list.GetAt(2).IsEmpty());
  EXPECT_TRUE(list.GetAt(-1).IsEmpty());
  EXPECT_TRUE(doc.GetItem("n", true).GetAt(0).IsEmpty());
  EXPECT_EQ(Str(doc.GetAt(0).GetKey()), "MaTeRiAls");
  EXPECT_EQ(doc.GetAt(2).GetInt(), 5);
  EXPECT_EQ(doc.GetArraySize(), 4);

  // Walking siblings gives what indexing gives.
  int index = 0;
  for (JsonNode m = doc.Child(); !m.IsEmpty(); m = m.Next(), ++index) {
    EXPECT_EQ(m.Item(), doc.GetAt(index).Item());
  }
  EXPECT_EQ(index, 4);
  EXPECT_EQ(doc.GetAt(1).Prev().Item(), doc.GetAt(0).Item());
  EXPECT_TRUE(doc.Child().Prev().IsEmpty() || doc.Child().Prev().Item() == doc.GetAt(3).Item());
  EXPECT_TRUE(doc.GetAt(3).Next().IsEmpty());
  EXPECT_TRUE(doc.GetItem("n", true).Child().IsEmpty());

  JsonNode empty;
  EXPECT_TRUE(empty.Next().IsEmpty());
  EXPECT_TRUE(empty.GetItem("n", false).IsEmpty());
  EXPECT_EQ(empty.GetArraySize(), 0);
  EXPECT_EQ(empty.Type(), 0);
  EXPECT_FALSE(empty.IsValid());
  EXPECT_EQ(empty.ToText(), nullptr);
  JsonNode copy = list.Copy();
  EXPECT_EQ(copy.Item(), list.Item());
}

TEST(JsonRead, NumbersStringsAndBooleans) {
  JsonDocument doc;
  ASSERT_TRUE(ParseUtf8(doc, "[5e-8,0.5,3,-2.9,1e12,-1e12,\"7\",true,false,null,2147483647]"));
  EXPECT_EQ(doc.GetAt(0).GetDouble(), 0.0);
  EXPECT_EQ(doc.GetAt(0).GetNumber(), 5e-8);
  EXPECT_EQ(doc.GetAt(1).GetDouble(), 0.5);
  EXPECT_EQ(doc.GetAt(2).GetDouble(), 3.0);
  EXPECT_EQ(doc.GetAt(3).GetInt(), -2);
  EXPECT_EQ(doc.GetAt(4).GetInt(), INT_MAX);
  EXPECT_EQ(doc.GetAt(5).GetInt(), INT_MIN);
  EXPECT_EQ(doc.GetAt(10).GetInt(), INT_MAX);
  EXPECT_EQ(doc.GetAt(2).GetString(), nullptr);
  EXPECT_EQ(doc.GetAt(2).GetStringUtf8(), "");
  EXPECT_EQ(doc.GetAt(6).GetInt(), 0);
  EXPECT_EQ(doc.GetAt(6).GetNumber(), 0.0);
  EXPECT_EQ(Str(doc.GetAt(6).GetString()), "7");
  EXPECT_TRUE(doc.GetAt(7).GetBool());
  EXPECT_TRUE(doc.GetAt(7).IsBool());
  EXPECT_FALSE(doc.GetAt(8).GetBool());
  EXPECT_FALSE(doc.GetAt(2).GetBool());
  EXPECT_TRUE(doc.GetAt(9).IsNull());
  EXPECT_TRUE(doc.GetAt(2).IsNumber());
  EXPECT_TRUE(doc.GetAt(6).IsString());
  EXPECT_EQ(doc.GetAt(6).Type(), json::kCjsonString);
  EXPECT_EQ(doc.Type() & json::kCjsonTypeMask, json::kCjsonArray);
  EXPECT_EQ(doc.GetAt(0).GetKey(), nullptr);
}

TEST(JsonEdit, BuildersRoundTripThroughText) {
  JsonDocument doc;
  ASSERT_TRUE(doc.Create(false));
  EXPECT_EQ(Str(doc.ToText()), "{}");
  EXPECT_TRUE(doc.AddString("名字", "中文"));
  EXPECT_TRUE(doc.AddString("e", ""));
  EXPECT_TRUE(doc.AddNumber("n", 1.5));
  EXPECT_TRUE(doc.AddBool("b", true));
  EXPECT_TRUE(doc.AddNull("z"));
  JsonNode list = doc.AddArray("list");
  ASSERT_TRUE(list.IsArray());
  EXPECT_TRUE(list.AddNumber("ignored", 1));
  EXPECT_TRUE(list.AddBool("", false));
  JsonNode inner = list.AddObject("");
  EXPECT_TRUE(inner.AddString("k", "v"));
  EXPECT_EQ(Str(doc.ToText()),
            "{\"名字\":\"中文\",\"e\":\"\",\"n\":1.5,\"b\":true,\"z\":null,"
            "\"list\":[1,false,{\"k\":\"v\"}]}");

  // Reparsing the printed text gives the same text.
  rt::OwnedText printed = doc.ToText();
  JsonDocument again;
  ASSERT_TRUE(again.ParseGbk(printed.get()));
  EXPECT_EQ(Str(again.ToText()), Str(printed));

  // Attaching a node takes that very item into this tree.
  JsonNode loose(json::cjson::CreateNumber(9));
  EXPECT_TRUE(inner.AddNode("nine", loose));
  EXPECT_EQ(inner.GetItem("nine", true).Item(), loose.Item());
  EXPECT_FALSE(inner.AddNode("x", JsonNode()));
  EXPECT_FALSE(inner.AddItem("x", nullptr));
  EXPECT_EQ(Str(inner.ToText()), "{\"k\":\"v\",\"nine\":9}");

  ASSERT_TRUE(doc.Create(true));
  EXPECT_EQ(Str(doc.ToText()), "[]");
  EXPECT_TRUE(doc.AddString("", "x"));
  EXPECT_EQ(Str(doc.ToText()), "[\"x\"]");
}

TEST(JsonEdit, BuildersOnScalarsAndEmptyHandlesFail) {
  JsonDocument doc;
  ASSERT_TRUE(ParseUtf8(doc, "{\"s\":\"x\"}"));
  JsonNode scalar = doc.GetItem("s", true);
  EXPECT_FALSE(scalar.AddNull("k"));
  EXPECT_FALSE(scalar.AddString("k", "v"));
  EXPECT_TRUE(scalar.AddArray("k").IsEmpty());
  EXPECT_TRUE(scalar.AddObject("k").IsEmpty());
  JsonNode empty;
  EXPECT_FALSE(empty.AddNumber("k", 1));
  EXPECT_TRUE(empty.AddObject("k").IsEmpty());
  EXPECT_FALSE(empty.SetInt(1));
  EXPECT_FALSE(empty.SetKey("k"));
  EXPECT_FALSE(empty.RemoveAt(0));
  EXPECT_FALSE(empty.HasKey("k"));
  EXPECT_EQ(Str(doc.ToText()), "{\"s\":\"x\"}");
}

TEST(JsonEdit, SettersChangeValuesInPlace) {
  JsonDocument doc;
  ASSERT_TRUE(ParseUtf8(doc, "{\"a\":\"old\",\"b\":[1,2],\"c\":0,\"d\":1,\"e\":2,\"f\":3}"));
  EXPECT_TRUE(doc.GetItem("a", true).SetInt(7));
  EXPECT_TRUE(doc.GetItem("c", true).SetString("新"));
  EXPECT_TRUE(doc.GetItem("d", true).SetBool(false));
  EXPECT_TRUE(doc.GetItem("e", true).SetDouble(2.25));
  EXPECT_TRUE(doc.GetItem("f", true).SetNull());
  EXPECT_EQ(Str(doc.ToText()),
            "{\"a\":7,\"b\":[1,2],\"c\":\"新\",\"d\":false,\"e\":2.25,\"f\":null}");
  EXPECT_EQ(doc.GetItem("a", true).GetInt(), 7);
  EXPECT_EQ(Str(doc.GetItem("c", true).GetString()), "新");
  EXPECT_EQ(doc.GetItem("e", true).GetDouble(), 2.25);

  // A container turned into a scalar keeps its children attached until it is deleted.
  JsonNode b = doc.GetItem("b", true);
  EXPECT_TRUE(b.SetString("s"));
  EXPECT_FALSE(b.Child().IsEmpty());
  EXPECT_EQ(Str(b.GetString()), "s");
  EXPECT_TRUE(b.SetBool(true));
  EXPECT_TRUE(b.GetBool());

  EXPECT_TRUE(doc.GetItem("a", true).SetKey("键"));
  EXPECT_FALSE(doc.GetItem("键", true).SetKey(""));
  EXPECT_EQ(Str(doc.GetAt(0).GetKey()), "键");
  EXPECT_TRUE(doc.HasKey("键"));

  EXPECT_TRUE(doc.RemoveKey("C", false));
  EXPECT_TRUE(doc.RemoveKey("D", true));  // absent with case: nothing removed, still true
  EXPECT_TRUE(doc.HasKey("d"));
  EXPECT_TRUE(doc.RemoveAt(0));
  EXPECT_TRUE(doc.RemoveAt(99));
  EXPECT_FALSE(doc.GetItem("d", true).RemoveAt(0));
  EXPECT_FALSE(doc.GetItem("d", true).RemoveKey("x", false));
  EXPECT_EQ(Str(doc.ToText()), "{\"b\":true,\"d\":false,\"e\":2.25,\"f\":null}");
}

}  // namespace
