#include "language/language.h"

#include <cctype>
#include <iterator>

namespace language {
namespace {

constexpr const char* kCodes[] = {"zh-CN", "zh-TW", "en", "ja",    "ko",
                                  "vi",    "th",    "id", "pt-BR", "es"};
static_assert(std::size(kCodes) == static_cast<size_t>(Language::kCount),
              "one code for every language");

// Primary language numbers (the low ten bits of a Windows language identifier).
constexpr uint16_t kPrimaryChinese = 0x04;
constexpr uint16_t kPrimaryJapanese = 0x11;
constexpr uint16_t kPrimaryKorean = 0x12;
constexpr uint16_t kPrimaryPortuguese = 0x16;
constexpr uint16_t kPrimarySpanish = 0x0A;
constexpr uint16_t kPrimaryThai = 0x1E;
constexpr uint16_t kPrimaryIndonesian = 0x21;
constexpr uint16_t kPrimaryVietnamese = 0x2A;

// Chinese identifiers written in Traditional characters: Taiwan (0x0404), Hong Kong
// (0x0C04), Macao (0x1404) and the neutral Traditional Chinese (0x7C04).
constexpr uint16_t kTraditionalChinese[] = {0x0404, 0x0C04, 0x1404, 0x7C04};

Language windowLanguage = Language::kZhCn;

char Folded(char c) {
  if (c == '_') return '-';
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool SameCode(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Folded(a[i]) != Folded(b[i])) return false;
  return true;
}

}  // namespace

const char* LanguageCode(Language language) {
  auto index = static_cast<size_t>(language);
  return index < std::size(kCodes) ? kCodes[index] : kCodes[0];
}

std::optional<Language> LanguageOfCode(std::string_view code) {
  for (size_t i = 0; i < std::size(kCodes); ++i)
    if (SameCode(code, kCodes[i])) return static_cast<Language>(i);
  return std::nullopt;
}

std::string LanguageCodeList() {
  std::string list;
  for (const char* code : kCodes) list += (list.empty() ? "" : ", ") + std::string(code);
  return list;
}

Language LanguageOfWindowsId(uint16_t languageId) {
  switch (languageId & 0x3FF) {
    case kPrimaryChinese:
      for (uint16_t traditional : kTraditionalChinese)
        if (languageId == traditional) return Language::kZhTw;
      return Language::kZhCn;
    case kPrimaryJapanese:
      return Language::kJa;
    case kPrimaryKorean:
      return Language::kKo;
    case kPrimaryVietnamese:
      return Language::kVi;
    case kPrimaryThai:
      return Language::kTh;
    case kPrimaryIndonesian:
      return Language::kId;
    case kPrimaryPortuguese:
      return Language::kPtBr;
    case kPrimarySpanish:
      return Language::kEs;
    default:
      return Language::kEn;
  }
}

Language WindowLanguage() { return windowLanguage; }

void SetWindowLanguage(Language language) {
  if (language < Language::kCount) windowLanguage = language;
}

}  // namespace language
