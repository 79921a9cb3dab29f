// The program's JSON classes over the cJSON library. A JsonNode is a borrowed handle
// on one item of a parsed tree; a JsonDocument owns a whole tree. Texts going in are
// code page 936 and are converted to UTF-8; texts coming out are converted back.
// No operation reports anything: failures give the empty handle, empty text, 0 or false.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>

#include "heap/heap.h"

namespace json {

// The JSON library is one per process, and an installed ParseArena takes every
// allocation it makes: code that uses the JSON classes on several threads holds this.
std::mutex& JsonLibraryTurn();

struct CjsonItem;  // cJSON's item record, read field by field

class JsonNode {
 public:
  JsonNode() = default;
  explicit JsonNode(CjsonItem* item) : item_(item) {}
  JsonNode(const JsonNode& other) = default;
  JsonNode& operator=(const JsonNode& other) = default;
  virtual ~JsonNode() = default;

  // A new handle on the same item.
  virtual JsonNode Copy() const { return JsonNode(item_); }

  virtual bool IsValid() const;
  virtual JsonNode Next() const;
  virtual JsonNode Prev() const;
  virtual JsonNode Child() const;
  virtual int32_t Type() const;
  virtual rt::OwnedText ToText() const;
  virtual rt::OwnedText GetString() const;  // only for a string item
  virtual int32_t GetInt() const;
  virtual double GetDouble() const;
  virtual rt::OwnedText GetKey() const;
  virtual bool GetBool() const;
  virtual int32_t GetArraySize() const;
  virtual bool SetString(const char* value);
  virtual bool SetBool(bool value);
  virtual bool SetInt(int32_t value);
  virtual bool SetDouble(double value);
  virtual bool SetNull();
  virtual bool SetKey(const char* name);
  virtual bool IsBool() const;
  virtual bool IsNull() const;
  virtual bool IsNumber() const;
  virtual bool IsString() const;
  virtual bool IsArray() const;
  virtual bool IsObject() const;
  virtual bool HasKey(const char* key) const;
  virtual bool RemoveKey(const char* key, bool caseSensitive);
  virtual bool RemoveAt(int32_t index);
  virtual JsonNode GetItem(const char* key, bool caseSensitive) const;
  virtual JsonNode GetAt(int32_t index) const;
  virtual bool AddItem(const char* key, CjsonItem* item);
  virtual bool AddNode(const char* key, const JsonNode& other);
  virtual bool AddNull(const char* key);
  virtual bool AddBool(const char* key, bool value);
  virtual bool AddNumber(const char* key, double value);
  virtual bool AddString(const char* key, const char* value);
  virtual JsonNode AddArray(const char* key);
  virtual JsonNode AddObject(const char* key);

  // The string value exactly as the library holds it, in UTF-8 (empty unless a string).
  std::string GetStringUtf8() const;
  // The double value as the library holds it, whatever its size (0 for a non-number).
  double GetNumber() const;
  // Member lookup with a UTF-8 key, case-insensitive for ASCII letters as GetItem.
  JsonNode GetItemUtf8(const char* key) const;

  CjsonItem* Item() const { return item_; }
  bool IsEmpty() const { return item_ == nullptr; }

 protected:
  CjsonItem* item_ = nullptr;
};

class JsonDocument : public JsonNode {
 public:
  JsonDocument() = default;
  JsonDocument(const JsonDocument&) = delete;
  JsonDocument& operator=(const JsonDocument&) = delete;
  ~JsonDocument() override { Release(); }

  virtual bool Create(bool asArray);
  virtual bool ParseGbk(const char* json);
  virtual bool ParseUtf16(const void* bytesBlock);
  // The draft's bytes as read from disk (a runtime byte array); a leading UTF-8
  // byte-order mark is skipped.
  virtual bool ParseUtf8(const void* bytesBlock);
  virtual bool Parse(const char* json);
  virtual void Release();

  // Parses UTF-8 bytes directly, without escaping non-ASCII characters first: the
  // lossless and fast path for tools that keep text in UTF-8. A leading byte-order
  // mark is skipped. True only for a top-level object or array.
  bool ParseUtf8Direct(const char* bytes, size_t size);

 private:
  // Takes a freshly parsed tree: kept when its top level is an object or an array,
  // deleted otherwise.
  bool Adopt(CjsonItem* parsed);

  CjsonItem* root_ = nullptr;
};

}  // namespace json
