// Calls into the cJSON library. Every entry point is found by its export name in the
// mapped library image; when the image is not mapped or lacks the name, the call is
// not made and yields 0, null or false.
#pragma once

#include <cstddef>
#include <cstdint>

namespace json {

// cJSON's item record, read and written field by field.
struct CjsonItem {
  CjsonItem* next;
  CjsonItem* prev;
  CjsonItem* child;
  int32_t type;
  char* valuestring;  // UTF-8, or null
  int32_t valueint;
  double valuedouble;
  char* string;  // the member name in UTF-8, or null
};

// Type words (the low byte; flag bits lie above it).
constexpr int32_t kCjsonFalse = 1 << 0;
constexpr int32_t kCjsonTrue = 1 << 1;
constexpr int32_t kCjsonNull = 1 << 2;
constexpr int32_t kCjsonNumber = 1 << 3;
constexpr int32_t kCjsonString = 1 << 4;
constexpr int32_t kCjsonArray = 1 << 5;
constexpr int32_t kCjsonObject = 1 << 6;
constexpr int32_t kCjsonTypeMask = 0xFF;

namespace cjson {

// Parses a NUL-terminated text; `end` receives where parsing stopped.
CjsonItem* ParseWithOpts(const char* text, const char** end, bool requireNullTerminated);
// Parses `length` bytes, never reading beyond them. Null also when the library lacks it.
CjsonItem* ParseWithLengthOpts(const char* text, size_t length, const char** end,
                               bool requireNullTerminated);
// True when the library offers ParseWithLengthOpts.
bool HasParseWithLength();
void Delete(CjsonItem* item);
char* PrintUnformatted(const CjsonItem* item);
void Free(void* block);
void* Malloc(size_t size);
double SetNumberHelper(CjsonItem* item, double value);

bool IsInvalid(const CjsonItem* item);
bool IsBool(const CjsonItem* item);
bool IsTrue(const CjsonItem* item);
bool IsNull(const CjsonItem* item);
bool IsNumber(const CjsonItem* item);
bool IsString(const CjsonItem* item);
bool IsArray(const CjsonItem* item);
bool IsObject(const CjsonItem* item);

int32_t GetArraySize(const CjsonItem* array);
CjsonItem* GetArrayItem(const CjsonItem* array, int32_t index);
// Member lookup without regard to the case of ASCII letters.
CjsonItem* GetObjectItem(const CjsonItem* object, const char* key);
CjsonItem* GetObjectItemCaseSensitive(const CjsonItem* object, const char* key);
bool HasObjectItem(const CjsonItem* object, const char* key);

void DeleteItemFromArray(CjsonItem* array, int32_t index);
void DeleteItemFromObject(CjsonItem* object, const char* key);
void DeleteItemFromObjectCaseSensitive(CjsonItem* object, const char* key);
void AddItemToArray(CjsonItem* array, CjsonItem* item);
void AddItemToObject(CjsonItem* object, const char* key, CjsonItem* item);

CjsonItem* CreateNull();
CjsonItem* CreateBool(bool value);
CjsonItem* CreateNumber(double value);
CjsonItem* CreateString(const char* utf8);
CjsonItem* CreateArray();
CjsonItem* CreateObject();

}  // namespace cjson
}  // namespace json
