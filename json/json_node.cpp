#include "json/json_node.h"

#include <cmath>
#include <cstring>

#include "json/cjson_api.h"
#include "json/encoding.h"
#include "platform/text_encoding.h"

namespace json {

std::mutex& JsonLibraryTurn() {
  static std::mutex turn;
  return turn;
}

namespace {

bool HasByteOrderMark(const uint8_t* data, size_t size) {
  return platform::StartsWithUtf8ByteOrderMark(
      std::string_view(reinterpret_cast<const char*>(data), size));
}

// A text coming out of the library, in code page 936; null for null.
rt::OwnedText FromLibrary(const char* utf8) {
  if (!utf8) return rt::OwnedText();
  return rt::OwnedText(Utf8ToGbk(utf8));
}

// A text going into the library, in UTF-8; never null.
struct LibraryText {
  explicit LibraryText(const char* gbk) : owned(GbkToUtf8(gbk ? gbk : "")) {}
  const char* get() const { return owned ? owned.get() : ""; }
  size_t size() const { return owned ? std::strlen(owned.get()) : 0; }
  rt::OwnedText owned;
};

// Drops the old string value, as every setter does first.
void DropString(CjsonItem* item) {
  if (item->valuestring) cjson::Free(item->valuestring);
  item->valuestring = nullptr;
}

// A library-owned copy of `text` with its terminator; null when the library refuses.
char* LibraryCopy(const LibraryText& text) {
  size_t size = text.size();
  auto* copy = static_cast<char*>(cjson::Malloc(size + 1));
  if (copy) std::memcpy(copy, text.get(), size + 1);
  return copy;
}

bool IsContainer(const CjsonItem* item) { return cjson::IsArray(item) || cjson::IsObject(item); }

}  // namespace

// ---- Reading -------------------------------------------------------------------------

bool JsonNode::IsValid() const { return item_ && !cjson::IsInvalid(item_); }

JsonNode JsonNode::Next() const { return item_ ? JsonNode(item_->next) : JsonNode(); }
JsonNode JsonNode::Prev() const { return item_ ? JsonNode(item_->prev) : JsonNode(); }
JsonNode JsonNode::Child() const { return item_ ? JsonNode(item_->child) : JsonNode(); }

int32_t JsonNode::Type() const { return item_ ? item_->type : 0; }

rt::OwnedText JsonNode::ToText() const {
  if (!item_) return rt::OwnedText();
  char* printed = cjson::PrintUnformatted(item_);
  if (!printed) return rt::OwnedText();
  rt::OwnedText text = FromLibrary(printed);
  cjson::Free(printed);
  return text;
}

rt::OwnedText JsonNode::GetString() const {
  if (!item_ || item_->type != kCjsonString || !item_->valuestring) return rt::OwnedText();
  return FromLibrary(item_->valuestring);
}

int32_t JsonNode::GetInt() const { return item_ ? item_->valueint : 0; }

double JsonNode::GetDouble() const {
  if (!item_) return 0.0;
  return std::fabs(item_->valuedouble) > 1e-7 ? item_->valuedouble
                                              : static_cast<double>(item_->valueint);
}

rt::OwnedText JsonNode::GetKey() const {
  return item_ ? FromLibrary(item_->string) : rt::OwnedText();
}

bool JsonNode::GetBool() const { return item_ && cjson::IsBool(item_) && cjson::IsTrue(item_); }

int32_t JsonNode::GetArraySize() const { return cjson::GetArraySize(item_); }

std::string JsonNode::GetStringUtf8() const {
  if (!item_ || item_->type != kCjsonString || !item_->valuestring) return std::string();
  return item_->valuestring;
}

double JsonNode::GetNumber() const {
  return (item_ && (item_->type & kCjsonTypeMask) == kCjsonNumber) ? item_->valuedouble : 0.0;
}

// ---- Changing a value in place -------------------------------------------------------

bool JsonNode::SetString(const char* value) {
  if (!item_) return false;
  DropString(item_);
  LibraryText text(value);
  char* copy = LibraryCopy(text);
  if (!copy) return false;
  cjson::SetNumberHelper(item_, 0.0);
  item_->valuestring = copy;
  item_->type = kCjsonString;
  return true;
}

bool JsonNode::SetBool(bool value) {
  if (!item_) return false;
  DropString(item_);
  cjson::SetNumberHelper(item_, 0.0);
  item_->type = value ? kCjsonTrue : kCjsonFalse;
  return true;
}

bool JsonNode::SetInt(int32_t value) {
  if (!item_) return false;
  DropString(item_);
  cjson::SetNumberHelper(item_, static_cast<double>(value));
  item_->type = kCjsonNumber;
  return true;
}

bool JsonNode::SetDouble(double value) {
  if (!item_) return false;
  DropString(item_);
  item_->type = kCjsonNumber;
  cjson::SetNumberHelper(item_, value);
  return true;
}

bool JsonNode::SetNull() {
  if (!item_) return false;
  DropString(item_);
  cjson::SetNumberHelper(item_, 0.0);
  item_->type = kCjsonNull;
  return true;
}

bool JsonNode::SetKey(const char* name) {
  if (!item_ || !name || !*name) return false;
  if (item_->string) cjson::Free(item_->string);
  item_->string = nullptr;
  LibraryText text(name);
  char* copy = LibraryCopy(text);
  if (!copy) return false;
  item_->string = copy;
  return true;
}

// ---- Type tests ----------------------------------------------------------------------

bool JsonNode::IsBool() const { return item_ && cjson::IsBool(item_); }
bool JsonNode::IsNull() const { return item_ && cjson::IsNull(item_); }
bool JsonNode::IsNumber() const { return item_ && cjson::IsNumber(item_); }
bool JsonNode::IsString() const { return item_ && cjson::IsString(item_); }
bool JsonNode::IsArray() const { return item_ && cjson::IsArray(item_); }
bool JsonNode::IsObject() const { return item_ && cjson::IsObject(item_); }

bool JsonNode::HasKey(const char* key) const {
  if (!item_) return false;
  LibraryText text(key);
  return cjson::HasObjectItem(item_, text.get());
}

// ---- Members and elements ------------------------------------------------------------

bool JsonNode::RemoveKey(const char* key, bool caseSensitive) {
  if (!item_ || !cjson::IsObject(item_)) return false;
  LibraryText text(key);
  if (caseSensitive) {
    cjson::DeleteItemFromObjectCaseSensitive(item_, text.get());
  } else {
    cjson::DeleteItemFromObject(item_, text.get());
  }
  return true;
}

bool JsonNode::RemoveAt(int32_t index) {
  if (!item_ || !IsContainer(item_)) return false;
  cjson::DeleteItemFromArray(item_, index);
  return true;
}

JsonNode JsonNode::GetItem(const char* key, bool caseSensitive) const {
  if (!item_ || !cjson::IsObject(item_)) return JsonNode();
  LibraryText text(key);
  CjsonItem* found = caseSensitive ? cjson::GetObjectItemCaseSensitive(item_, text.get())
                                   : cjson::GetObjectItem(item_, text.get());
  return JsonNode(found);
}

JsonNode JsonNode::GetItemUtf8(const char* key) const {
  if (!item_ || (item_->type & kCjsonTypeMask) != kCjsonObject || !key) return JsonNode();
  return JsonNode(cjson::GetObjectItem(item_, key));
}

JsonNode JsonNode::GetAt(int32_t index) const {
  if (!item_ || !IsContainer(item_)) return JsonNode();
  return JsonNode(cjson::GetArrayItem(item_, index));
}

bool JsonNode::AddItem(const char* key, CjsonItem* item) {
  if (!item || !item_) return false;
  if (cjson::IsArray(item_)) {
    cjson::AddItemToArray(item_, item);
    return true;
  }
  if (cjson::IsObject(item_)) {
    LibraryText text(key);
    cjson::AddItemToObject(item_, text.get(), item);
    return true;
  }
  return false;
}

bool JsonNode::AddNode(const char* key, const JsonNode& other) {
  return other.item_ && AddItem(key, other.item_);
}

namespace {

// Attaches a freshly made item, or deletes it again when it cannot be attached.
bool AttachOrDelete(JsonNode& node, const char* key, CjsonItem* made) {
  if (node.AddItem(key, made)) return true;
  cjson::Delete(made);
  return false;
}

}  // namespace

bool JsonNode::AddNull(const char* key) { return AttachOrDelete(*this, key, cjson::CreateNull()); }

bool JsonNode::AddBool(const char* key, bool value) {
  return AttachOrDelete(*this, key, cjson::CreateBool(value));
}

bool JsonNode::AddNumber(const char* key, double value) {
  return AttachOrDelete(*this, key, cjson::CreateNumber(value));
}

bool JsonNode::AddString(const char* key, const char* value) {
  CjsonItem* made;
  if (!value || !*value) {
    made = cjson::CreateString("");
  } else {
    LibraryText text(value);
    made = cjson::CreateString(text.get());
  }
  return AttachOrDelete(*this, key, made);
}

JsonNode JsonNode::AddArray(const char* key) {
  CjsonItem* made = cjson::CreateArray();
  return AttachOrDelete(*this, key, made) ? JsonNode(made) : JsonNode();
}

JsonNode JsonNode::AddObject(const char* key) {
  CjsonItem* made = cjson::CreateObject();
  return AttachOrDelete(*this, key, made) ? JsonNode(made) : JsonNode();
}

// ---- Documents -----------------------------------------------------------------------

bool JsonDocument::Create(bool asArray) {
  Release();
  root_ = asArray ? cjson::CreateArray() : cjson::CreateObject();
  if (!root_) return false;
  item_ = root_;
  return true;
}

bool JsonDocument::Parse(const char* json) {
  Release();
  if (!json || !*json) return false;
  const char* end = nullptr;
  return Adopt(cjson::ParseWithOpts(json, &end, false));
}

bool JsonDocument::ParseGbk(const char* json) {
  rt::OwnedText ascii(GbkToJsonAscii(json ? json : ""));
  return Parse(ascii.get());
}

bool JsonDocument::ParseUtf16(const void* bytesBlock) {
  rt::OwnedText ascii(Utf16ToJsonAscii(bytesBlock));
  return Parse(ascii.get());
}

bool JsonDocument::ParseUtf8(const void* bytesBlock) {
  const uint8_t* data = rt::BytesData(bytesBlock);
  int32_t length = rt::BytesLength(bytesBlock);
  size_t size = length > 0 ? static_cast<size_t>(length) : 0;
  if (data && HasByteOrderMark(data, size)) {
    // Old editors save the mark in front of the document; the escaping would turn it
    // into \uFEFF, which the library does not accept before the first token.
    size_t mark = platform::kUtf8ByteOrderMark.size();
    rt::OwnedBytes rest(rt::NewBytes(data + mark, size - mark));
    rt::OwnedText ascii(Utf8ToJsonAscii(rest.get()));
    return Parse(ascii.get());
  }
  rt::OwnedText ascii(Utf8ToJsonAscii(bytesBlock));
  return Parse(ascii.get());
}

bool JsonDocument::ParseUtf8Direct(const char* bytes, size_t size) {
  Release();
  if (!bytes) return false;
  if (HasByteOrderMark(reinterpret_cast<const uint8_t*>(bytes), size)) {
    bytes += platform::kUtf8ByteOrderMark.size();
    size -= platform::kUtf8ByteOrderMark.size();
  }
  // As with the converting parse, the document ends at its first NUL byte.
  if (const void* nul = std::memchr(bytes, 0, size)) {
    size = static_cast<size_t>(static_cast<const char*>(nul) - bytes);
  }
  if (size == 0) return false;
  const char* end = nullptr;
  if (cjson::HasParseWithLength())
    return Adopt(cjson::ParseWithLengthOpts(bytes, size, &end, false));
  std::string terminated(bytes, size);
  return Adopt(cjson::ParseWithOpts(terminated.c_str(), &end, false));
}

bool JsonDocument::Adopt(CjsonItem* parsed) {
  root_ = parsed;
  if (!root_) return false;
  if (IsContainer(root_)) {
    item_ = root_;
    return true;
  }
  // A lone string, number or literal is no document of ours.
  cjson::Delete(root_);
  root_ = nullptr;
  return false;
}

void JsonDocument::Release() {
  if (!root_) return;
  cjson::Delete(root_);
  root_ = nullptr;
  item_ = nullptr;
}

}  // namespace json
