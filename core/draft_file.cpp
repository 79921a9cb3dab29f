#include "core/draft_file.h"

#include <cstdint>

#include "json/cjson_api.h"
#include "json/utf8_check.h"

namespace core {
namespace {

constexpr size_t kMinEncryptedLength = 64;

bool IsBase64Byte(uint8_t c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' ||
         c == '/' || c == '=';
}

bool IsWhiteSpaceByte(uint8_t c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

bool IsEncryptedDraft(const void* bytes, size_t size) {
  if (!bytes) return false;
  const uint8_t* p = static_cast<const uint8_t*>(bytes);
  size_t base64Count = 0;
  for (size_t i = 0; i < size; ++i) {
    if (IsBase64Byte(p[i])) {
      ++base64Count;
    } else if (!IsWhiteSpaceByte(p[i])) {
      return false;
    }
  }
  return base64Count >= kMinEncryptedLength;
}

DraftStatus ParseDraft(const char* bytes, size_t size, json::JsonDocument& document) {
  if (bytes && size > 0 && document.ParseUtf8Direct(bytes, size) &&
      (document.Type() & json::kCjsonTypeMask) == json::kCjsonObject) {
    return DraftStatus::kOk;
  }
  document.Release();
  return IsEncryptedDraft(bytes, size) ? DraftStatus::kEncrypted : DraftStatus::kNotJson;
}

const char* DraftStatusCause(DraftStatus status) {
  switch (status) {
    case DraftStatus::kOk:
      return "";
    case DraftStatus::kNotFound:
      return "not found";
    case DraftStatus::kUnreadable:
      return "unreadable";
    case DraftStatus::kNotJson:
      return "not JSON (not a JianyingPro draft)";
    case DraftStatus::kEncrypted:
      return "encrypted by JianyingPro 6.0 or later, so its subtitles cannot be read; "
             "use JianyingPro's own subtitle export instead";
  }
  return "";
}

const char* DraftStatusMessage(DraftStatus status) {
  switch (status) {
    case DraftStatus::kOk:
      return nullptr;
    case DraftStatus::kEncrypted:
      return "无法解析所选文件：该草稿已被剪映加密（6.0 及以上版本），无法读取字幕。"
             "请在剪映中使用自带的字幕导出功能。";
    case DraftStatus::kNotFound:
    case DraftStatus::kUnreadable:
    case DraftStatus::kNotJson:
      return "无法解析所选文件：它不是有效的剪映草稿（JSON）。";
  }
  return nullptr;
}

}  // namespace core
