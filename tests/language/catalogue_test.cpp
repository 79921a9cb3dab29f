#include "language/catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "language/language.h"

namespace language {
namespace {

constexpr size_t kTexts = static_cast<size_t>(TextId::kCount);

// The placeholders a text carries ("{0}" ...), the access key's mark and the shortcut
// after a tab: what a translation must keep of the Simplified Chinese text.
struct TextShape {
  std::multiset<std::u16string> placeholders;
  bool accessKey = false;
  std::u16string shortcut;
  bool operator==(const TextShape& other) const {
    return placeholders == other.placeholders && accessKey == other.accessKey &&
           shortcut == other.shortcut;
  }
};

TextShape ShapeOf(const std::u16string& text) {
  TextShape shape;
  for (size_t i = 0; i + 2 < text.size(); ++i)
    if (text[i] == u'{' && text[i + 2] == u'}') shape.placeholders.insert(text.substr(i, 3));
  size_t amp = text.find(u'&');
  shape.accessKey = amp != std::u16string::npos && amp + 1 < text.size() && text[amp + 1] != u' ';
  size_t tab = text.find(u'\t');
  if (tab != std::u16string::npos) shape.shortcut = text.substr(tab);
  return shape;
}

std::string Narrow(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '.';
  return out;
}

TEST(CatalogueTest, EveryLanguageHasEveryTextShapedAsTheChineseOne) {
  for (size_t l = 0; l < static_cast<size_t>(Language::kCount); ++l) {
    auto language = static_cast<Language>(l);
    SCOPED_TRACE(LanguageCode(language));
    Catalogue catalogue = CatalogueOf(language);
    std::set<size_t> seen;
    for (size_t i = 0; i < catalogue.count; ++i) {
      auto id = static_cast<size_t>(catalogue.entries[i].id);
      EXPECT_LT(id, kTexts);
      EXPECT_TRUE(seen.insert(id).second) << "text " << id << " written twice";
      ASSERT_NE(catalogue.entries[i].text, nullptr);
      EXPECT_NE(catalogue.entries[i].text[0], u'\0') << "text " << id << " is empty";
    }
    EXPECT_EQ(seen.size(), kTexts) << "texts missing";
    for (size_t id = 0; id < kTexts; ++id) {
      std::u16string text = TextIn(language, static_cast<TextId>(id));
      std::u16string chinese = TextIn(Language::kZhCn, static_cast<TextId>(id));
      EXPECT_TRUE(ShapeOf(text) == ShapeOf(chinese))
          << "text " << id << ": \"" << Narrow(text) << "\" against \"" << Narrow(chinese) << "\"";
    }
  }
}

TEST(CatalogueTest, ValuesTakeThePlaceOfTheirPlaceholders) {
  EXPECT_EQ(WithValues(u"轨道 {0}：{1}（{2} 条）", {u"2", u"Hello", u"37"}),
            u"轨道 2：Hello（37 条）");
  // A value's own braces are not read again; a placeholder without a value stays.
  EXPECT_EQ(WithValues(u"{1} then {0} and {2}", {u"{1}", u"b"}), u"b then {1} and {2}");
  SetWindowLanguage(Language::kZhCn);
  EXPECT_EQ(Text(TextId::kSaveDialogTitle, {u"srt"}), u"保存srt文件");
}

TEST(LanguageTest, CodesAndWindowsLanguagesChooseTheirCatalogue) {
  struct Case {
    const char* code;
    std::optional<Language> language;
  };
  const Case codes[] = {{"zh-CN", Language::kZhCn}, {"zh_tw", Language::kZhTw},
                        {"EN", Language::kEn},      {"pt-br", Language::kPtBr},
                        {"th", Language::kTh},      {"pt", std::nullopt},
                        {"", std::nullopt},         {"english", std::nullopt}};
  for (const Case& c : codes) EXPECT_EQ(LanguageOfCode(c.code), c.language) << c.code;
  for (size_t l = 0; l < static_cast<size_t>(Language::kCount); ++l)
    EXPECT_EQ(LanguageOfCode(LanguageCode(static_cast<Language>(l))), static_cast<Language>(l));

  struct Id {
    uint16_t id;
    Language language;
  };
  const Id ids[] = {{0x0804, Language::kZhCn}, {0x1004, Language::kZhCn},  // PRC, Singapore
                    {0x0404, Language::kZhTw}, {0x0C04, Language::kZhTw},  // Taiwan, Hong Kong
                    {0x1404, Language::kZhTw}, {0x0409, Language::kEn},    // Macao, US
                    {0x0407, Language::kEn},   {0x0411, Language::kJa},    // German, Japan
                    {0x0412, Language::kKo},   {0x042A, Language::kVi},
                    {0x041E, Language::kTh},   {0x0421, Language::kId},
                    {0x0416, Language::kPtBr}, {0x0816, Language::kPtBr},  // Brazil, Portugal
                    {0x0C0A, Language::kEs},   {0x080A, Language::kEs},    // Spain, Mexico
                    {0x0401, Language::kEn}};                              // Arabic
  for (const Id& c : ids) EXPECT_EQ(LanguageOfWindowsId(c.id), c.language) << std::hex << c.id;
}

}  // namespace
}  // namespace language
