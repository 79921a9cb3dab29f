// The languages the window speaks, how each is named on the command line, and which
// one a Windows user-interface language gets.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace language {

enum class Language : uint8_t {
  kZhCn,  // Simplified Chinese: the window's own texts
  kZhTw,  // Traditional Chinese
  kEn,
  kJa,
  kKo,
  kVi,
  kTh,
  kId,
  kPtBr,
  kEs,
  kCount
};

// The language's code as `--lang` takes it: "zh-CN", "pt-BR", "en", ...
const char* LanguageCode(Language language);

// The language a code names, whatever its letter case and with '_' for '-'; none for a
// code that names no language of the window.
std::optional<Language> LanguageOfCode(std::string_view code);

// Every code, in the order of Language, separated by ", ": for the message about an
// unknown one.
std::string LanguageCodeList();

// The language for a Windows language identifier (GetUserDefaultUILanguage): Chinese of
// Taiwan, Hong Kong and Macao (and any Traditional script) reads Traditional Chinese,
// every other Chinese Simplified; Japanese, Korean, Vietnamese, Thai, Indonesian,
// Portuguese and Spanish their own; every other language English.
Language LanguageOfWindowsId(uint16_t languageId);

// The language of the window's texts; Simplified Chinese until set.
Language WindowLanguage();
void SetWindowLanguage(Language language);

}  // namespace language
