// The Linux stand-ins for the command line, the user's language and text widths.
#include "platform/posix/standin.h"
#include "platform/text_encoding.h"
#include "platform/ui_language.h"

namespace platform {
namespace {

constexpr uint16_t kChinesePrc = 0x0804;
constexpr int kAsciiWidth = 7;
constexpr int kOtherWidth = 12;

std::vector<std::u16string> programArguments;
uint16_t userInterfaceLanguage = kChinesePrc;

}  // namespace

std::vector<std::u16string> ProgramArguments() { return programArguments; }

uint16_t UserInterfaceLanguage() { return userInterfaceLanguage; }

void SetUiTextScript(UiScript, const std::u16string&) {}

int UiTextWidth(const std::u16string& text) {
  int width = 0;
  for (char16_t c : text) width += c < 0x80 ? kAsciiWidth : kOtherWidth;
  return width;
}

namespace standin {

void SetProgramArguments(std::vector<std::u16string> arguments) {
  programArguments = std::move(arguments);
}

void SetUserInterfaceLanguage(uint16_t languageId) { userInterfaceLanguage = languageId; }

}  // namespace standin
}  // namespace platform
