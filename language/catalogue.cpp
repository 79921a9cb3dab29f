#include "language/catalogue.h"

#include <array>

namespace language {

// Each language's entries, in its own file.
Catalogue SimplifiedChineseCatalogue();
Catalogue TraditionalChineseCatalogue();
Catalogue EnglishCatalogue();
Catalogue JapaneseCatalogue();
Catalogue KoreanCatalogue();
Catalogue VietnameseCatalogue();
Catalogue ThaiCatalogue();
Catalogue IndonesianCatalogue();
Catalogue BrazilianPortugueseCatalogue();
Catalogue SpanishCatalogue();

namespace {

constexpr size_t kLanguages = static_cast<size_t>(Language::kCount);
constexpr size_t kTexts = static_cast<size_t>(TextId::kCount);

using TextTable = std::array<const char16_t*, kTexts>;

// The catalogues looked up by id, each text a catalogue lacks taken from Simplified
// Chinese. Built once, at the first look-up.
const std::array<TextTable, kLanguages>& Tables() {
  static const std::array<TextTable, kLanguages> tables = [] {
    std::array<TextTable, kLanguages> built{};
    for (size_t language = 0; language < kLanguages; ++language) {
      Catalogue catalogue = CatalogueOf(static_cast<Language>(language));
      for (size_t i = 0; i < catalogue.count; ++i) {
        auto id = static_cast<size_t>(catalogue.entries[i].id);
        if (id < kTexts) built[language][id] = catalogue.entries[i].text;
      }
    }
    for (size_t language = 0; language < kLanguages; ++language)
      for (size_t id = 0; id < kTexts; ++id)
        if (!built[language][id]) built[language][id] = built[0][id] ? built[0][id] : u"";
    return built;
  }();
  return tables;
}

}  // namespace

Catalogue CatalogueOf(Language language) {
  switch (language) {
    case Language::kZhCn:
      return SimplifiedChineseCatalogue();
    case Language::kZhTw:
      return TraditionalChineseCatalogue();
    case Language::kEn:
      return EnglishCatalogue();
    case Language::kJa:
      return JapaneseCatalogue();
    case Language::kKo:
      return KoreanCatalogue();
    case Language::kVi:
      return VietnameseCatalogue();
    case Language::kTh:
      return ThaiCatalogue();
    case Language::kId:
      return IndonesianCatalogue();
    case Language::kPtBr:
      return BrazilianPortugueseCatalogue();
    case Language::kEs:
      return SpanishCatalogue();
    case Language::kCount:
      break;
  }
  return SimplifiedChineseCatalogue();
}

const char16_t* TextIn(Language language, TextId id) {
  auto l = static_cast<size_t>(language), t = static_cast<size_t>(id);
  if (l >= kLanguages || t >= kTexts) return u"";
  return Tables()[l][t];
}

const char16_t* Text(TextId id) { return TextIn(WindowLanguage(), id); }

std::u16string Text(TextId id, std::initializer_list<std::u16string_view> values) {
  return WithValues(Text(id), values);
}

std::u16string WithValues(std::u16string_view text,
                          std::initializer_list<std::u16string_view> values) {
  std::u16string out;
  for (size_t i = 0; i < text.size(); ++i) {
    bool placeholder = text[i] == u'{' && i + 2 < text.size() && text[i + 2] == u'}' &&
                       text[i + 1] >= u'0' && text[i + 1] <= u'9';
    auto n = placeholder ? static_cast<size_t>(text[i + 1] - u'0') : 0;
    if (placeholder && n < values.size()) {
      out += values.begin()[n];
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::u16string NumberText(int64_t number) {
  std::string digits = std::to_string(number);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace language
