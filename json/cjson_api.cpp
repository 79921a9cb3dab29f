#include "json/cjson_api.h"

#include "loader/json_library.h"

namespace json {
namespace cjson {

namespace {

// One export, looked up by name and kept for as long as the module stays the same.
struct Export {
  const char* name;
  uintptr_t module;
  void* address;
};

template <typename Fn>
Fn Find(Export& e) {
  uintptr_t module = JsonLibraryModule;
  if (e.module != module) {
    e.address = module ? JsonLibraryExport(e.name) : nullptr;
    e.module = module;
  }
  return reinterpret_cast<Fn>(e.address);
}

#define SUBVANE_CJSON(variable, exportName) Export variable = {exportName, 0, nullptr}
SUBVANE_CJSON(gParseWithOpts, "cJSON_ParseWithOpts");
SUBVANE_CJSON(gParseWithLengthOpts, "cJSON_ParseWithLengthOpts");
SUBVANE_CJSON(gDelete, "cJSON_Delete");
SUBVANE_CJSON(gPrintUnformatted, "cJSON_PrintUnformatted");
SUBVANE_CJSON(gFree, "cJSON_free");
SUBVANE_CJSON(gMalloc, "cJSON_malloc");
SUBVANE_CJSON(gSetNumberHelper, "cJSON_SetNumberHelper");
SUBVANE_CJSON(gIsInvalid, "cJSON_IsInvalid");
SUBVANE_CJSON(gIsBool, "cJSON_IsBool");
SUBVANE_CJSON(gIsTrue, "cJSON_IsTrue");
SUBVANE_CJSON(gIsNull, "cJSON_IsNull");
SUBVANE_CJSON(gIsNumber, "cJSON_IsNumber");
SUBVANE_CJSON(gIsString, "cJSON_IsString");
SUBVANE_CJSON(gIsArray, "cJSON_IsArray");
SUBVANE_CJSON(gIsObject, "cJSON_IsObject");
SUBVANE_CJSON(gGetArraySize, "cJSON_GetArraySize");
SUBVANE_CJSON(gGetArrayItem, "cJSON_GetArrayItem");
SUBVANE_CJSON(gGetObjectItem, "cJSON_GetObjectItem");
SUBVANE_CJSON(gGetObjectItemCaseSensitive, "cJSON_GetObjectItemCaseSensitive");
SUBVANE_CJSON(gHasObjectItem, "cJSON_HasObjectItem");
SUBVANE_CJSON(gDeleteItemFromArray, "cJSON_DeleteItemFromArray");
SUBVANE_CJSON(gDeleteItemFromObject, "cJSON_DeleteItemFromObject");
SUBVANE_CJSON(gDeleteItemFromObjectCaseSensitive, "cJSON_DeleteItemFromObjectCaseSensitive");
SUBVANE_CJSON(gAddItemToArray, "cJSON_AddItemToArray");
SUBVANE_CJSON(gAddItemToObject, "cJSON_AddItemToObject");
SUBVANE_CJSON(gCreateNull, "cJSON_CreateNull");
SUBVANE_CJSON(gCreateBool, "cJSON_CreateBool");
SUBVANE_CJSON(gCreateNumber, "cJSON_CreateNumber");
SUBVANE_CJSON(gCreateString, "cJSON_CreateString");
SUBVANE_CJSON(gCreateArray, "cJSON_CreateArray");
SUBVANE_CJSON(gCreateObject, "cJSON_CreateObject");
#undef SUBVANE_CJSON

}  // namespace

CjsonItem* ParseWithOpts(const char* text, const char** end, bool requireNullTerminated) {
  using Fn = CjsonItem*(CJSON_CALL*)(const char*, const char**, int);
  auto fn = Find<Fn>(gParseWithOpts);
  return fn ? fn(text, end, requireNullTerminated ? 1 : 0) : nullptr;
}

CjsonItem* ParseWithLengthOpts(const char* text, size_t length, const char** end,
                               bool requireNullTerminated) {
  using Fn = CjsonItem*(CJSON_CALL*)(const char*, size_t, const char**, int);
  auto fn = Find<Fn>(gParseWithLengthOpts);
  return fn ? fn(text, length, end, requireNullTerminated ? 1 : 0) : nullptr;
}

bool HasParseWithLength() { return Find<void*>(gParseWithLengthOpts) != nullptr; }

void Delete(CjsonItem* item) {
  using Fn = void(CJSON_CALL*)(CjsonItem*);
  if (auto fn = Find<Fn>(gDelete)) fn(item);
}

char* PrintUnformatted(const CjsonItem* item) {
  using Fn = char*(CJSON_CALL*)(const CjsonItem*);
  auto fn = Find<Fn>(gPrintUnformatted);
  return fn ? fn(item) : nullptr;
}

void Free(void* block) {
  using Fn = void(CJSON_CALL*)(void*);
  if (auto fn = Find<Fn>(gFree)) fn(block);
}

void* Malloc(size_t size) {
  using Fn = void*(CJSON_CALL*)(size_t);
  auto fn = Find<Fn>(gMalloc);
  return fn ? fn(size) : nullptr;
}

double SetNumberHelper(CjsonItem* item, double value) {
  using Fn = double(CJSON_CALL*)(CjsonItem*, double);
  auto fn = Find<Fn>(gSetNumberHelper);
  return fn ? fn(item, value) : 0.0;
}

namespace {

bool Test(Export& e, const CjsonItem* item) {
  using Fn = int(CJSON_CALL*)(const CjsonItem*);
  auto fn = Find<Fn>(e);
  return fn && fn(item) != 0;
}

}  // namespace

bool IsInvalid(const CjsonItem* item) { return Test(gIsInvalid, item); }
bool IsBool(const CjsonItem* item) { return Test(gIsBool, item); }
bool IsTrue(const CjsonItem* item) { return Test(gIsTrue, item); }
bool IsNull(const CjsonItem* item) { return Test(gIsNull, item); }
bool IsNumber(const CjsonItem* item) { return Test(gIsNumber, item); }
bool IsString(const CjsonItem* item) { return Test(gIsString, item); }
bool IsArray(const CjsonItem* item) { return Test(gIsArray, item); }
bool IsObject(const CjsonItem* item) { return Test(gIsObject, item); }

int32_t GetArraySize(const CjsonItem* array) {
  using Fn = int(CJSON_CALL*)(const CjsonItem*);
  auto fn = Find<Fn>(gGetArraySize);
  return fn ? fn(array) : 0;
}

CjsonItem* GetArrayItem(const CjsonItem* array, int32_t index) {
  using Fn = CjsonItem*(CJSON_CALL*)(const CjsonItem*, int);
  auto fn = Find<Fn>(gGetArrayItem);
  return fn ? fn(array, index) : nullptr;
}

namespace {

CjsonItem* Lookup(Export& e, const CjsonItem* object, const char* key) {
  using Fn = CjsonItem*(CJSON_CALL*)(const CjsonItem*, const char*);
  auto fn = Find<Fn>(e);
  return fn ? fn(object, key) : nullptr;
}

void Remove(Export& e, CjsonItem* object, const char* key) {
  using Fn = void(CJSON_CALL*)(CjsonItem*, const char*);
  if (auto fn = Find<Fn>(e)) fn(object, key);
}

CjsonItem* Make(Export& e) {
  using Fn = CjsonItem*(CJSON_CALL*)();
  auto fn = Find<Fn>(e);
  return fn ? fn() : nullptr;
}

}  // namespace

CjsonItem* GetObjectItem(const CjsonItem* object, const char* key) {
  return Lookup(gGetObjectItem, object, key);
}

CjsonItem* GetObjectItemCaseSensitive(const CjsonItem* object, const char* key) {
  return Lookup(gGetObjectItemCaseSensitive, object, key);
}

bool HasObjectItem(const CjsonItem* object, const char* key) {
  using Fn = int(CJSON_CALL*)(const CjsonItem*, const char*);
  auto fn = Find<Fn>(gHasObjectItem);
  return fn && fn(object, key) != 0;
}

void DeleteItemFromArray(CjsonItem* array, int32_t index) {
  using Fn = void(CJSON_CALL*)(CjsonItem*, int);
  if (auto fn = Find<Fn>(gDeleteItemFromArray)) fn(array, index);
}

void DeleteItemFromObject(CjsonItem* object, const char* key) {
  Remove(gDeleteItemFromObject, object, key);
}

void DeleteItemFromObjectCaseSensitive(CjsonItem* object, const char* key) {
  Remove(gDeleteItemFromObjectCaseSensitive, object, key);
}

// The library's answer differs between versions (nothing, or a flag); it is not used.
void AddItemToArray(CjsonItem* array, CjsonItem* item) {
  using Fn = void(CJSON_CALL*)(CjsonItem*, CjsonItem*);
  if (auto fn = Find<Fn>(gAddItemToArray)) fn(array, item);
}

void AddItemToObject(CjsonItem* object, const char* key, CjsonItem* item) {
  using Fn = void(CJSON_CALL*)(CjsonItem*, const char*, CjsonItem*);
  if (auto fn = Find<Fn>(gAddItemToObject)) fn(object, key, item);
}

CjsonItem* CreateNull() { return Make(gCreateNull); }
CjsonItem* CreateArray() { return Make(gCreateArray); }
CjsonItem* CreateObject() { return Make(gCreateObject); }

CjsonItem* CreateBool(bool value) {
  using Fn = CjsonItem*(CJSON_CALL*)(int);
  auto fn = Find<Fn>(gCreateBool);
  return fn ? fn(value ? 1 : 0) : nullptr;
}

CjsonItem* CreateNumber(double value) {
  using Fn = CjsonItem*(CJSON_CALL*)(double);
  auto fn = Find<Fn>(gCreateNumber);
  return fn ? fn(value) : nullptr;
}

CjsonItem* CreateString(const char* utf8) {
  using Fn = CjsonItem*(CJSON_CALL*)(const char*);
  auto fn = Find<Fn>(gCreateString);
  return fn ? fn(utf8) : nullptr;
}

}  // namespace cjson
}  // namespace json
