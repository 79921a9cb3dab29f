#include "core/draft_file.h"

#include <cstdint>
#include <new>

#include "core/draft_reader.h"
#include "json/cjson_api.h"
#include "json/parse_arena.h"
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
  bool parsed = false;
  if (bytes && size > 0) {
    try {
      if (json::IsValidUtf8(bytes, size)) {
        parsed = document.ParseUtf8Direct(bytes, size);
      } else {
        // The JSON classes escape every non-ASCII character through the system's
        // conversion, which turns what is not UTF-8 into replacement characters.
        rt::OwnedBytes block(rt::NewBytes(bytes, size));
        parsed = document.ParseUtf8(block.get());
      }
    } catch (const std::bad_alloc&) {
      document.Release();
      return DraftStatus::kTooLarge;
    }
  }
  if (parsed && (document.Type() & json::kCjsonTypeMask) == json::kCjsonObject)
    return DraftStatus::kOk;
  document.Release();
  return IsEncryptedDraft(bytes, size) ? DraftStatus::kEncrypted : DraftStatus::kNotJson;
}

DraftStatus ReadDraftModelOf(const char* bytes, size_t size, DraftModel& model) {
  std::lock_guard<std::mutex> turn(json::JsonLibraryTurn());
  try {
    // The tree is read once and dropped: its items come from one region, which spares
    // the heap a call for each of them.
    json::ParseArena arena;  // declared first: the tree must go before the arena does
    json::JsonDocument document;
    DraftStatus status = ParseDraft(bytes, size, document);
    if (status != DraftStatus::kOk) return arena.Exhausted() ? DraftStatus::kTooLarge : status;
    model = ReadDraftModel(document);
    return DraftStatus::kOk;
  } catch (const std::bad_alloc&) {
    return DraftStatus::kTooLarge;
  }
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
    case DraftStatus::kTooLarge:
      return "too large for the memory available";
    case DraftStatus::kEncrypted:
      return "encrypted by JianyingPro 6.0 or later, so its subtitles cannot be read; "
             "use JianyingPro's own subtitle export instead";
  }
  return "";
}

}  // namespace core
