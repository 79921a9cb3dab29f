// The Linux build has no image to map: cJSON is linked normally, and the module is a
// stand-in handle whose lookup answers with the linked functions by their names.
#include <cjson/cJSON.h>

#include <cstring>

#include "loader/json_library.h"

namespace {

struct JsonExport {
  const char* name;
  void* address;
};

#define SUBVANE_JSON_EXPORT(function) \
  { #function, reinterpret_cast < void*>(&function) }

// Every function the DLL image exports, under the same names.
const JsonExport kJsonExports[] = {
    SUBVANE_JSON_EXPORT(cJSON_AddArrayToObject),
    SUBVANE_JSON_EXPORT(cJSON_AddBoolToObject),
    SUBVANE_JSON_EXPORT(cJSON_AddFalseToObject),
    SUBVANE_JSON_EXPORT(cJSON_AddItemReferenceToArray),
    SUBVANE_JSON_EXPORT(cJSON_AddItemReferenceToObject),
    SUBVANE_JSON_EXPORT(cJSON_AddItemToArray),
    SUBVANE_JSON_EXPORT(cJSON_AddItemToObject),
    SUBVANE_JSON_EXPORT(cJSON_AddItemToObjectCS),
    SUBVANE_JSON_EXPORT(cJSON_AddNullToObject),
    SUBVANE_JSON_EXPORT(cJSON_AddNumberToObject),
    SUBVANE_JSON_EXPORT(cJSON_AddObjectToObject),
    SUBVANE_JSON_EXPORT(cJSON_AddRawToObject),
    SUBVANE_JSON_EXPORT(cJSON_AddStringToObject),
    SUBVANE_JSON_EXPORT(cJSON_AddTrueToObject),
    SUBVANE_JSON_EXPORT(cJSON_Compare),
    SUBVANE_JSON_EXPORT(cJSON_CreateArray),
    SUBVANE_JSON_EXPORT(cJSON_CreateArrayReference),
    SUBVANE_JSON_EXPORT(cJSON_CreateBool),
    SUBVANE_JSON_EXPORT(cJSON_CreateDoubleArray),
    SUBVANE_JSON_EXPORT(cJSON_CreateFalse),
    SUBVANE_JSON_EXPORT(cJSON_CreateFloatArray),
    SUBVANE_JSON_EXPORT(cJSON_CreateIntArray),
    SUBVANE_JSON_EXPORT(cJSON_CreateNull),
    SUBVANE_JSON_EXPORT(cJSON_CreateNumber),
    SUBVANE_JSON_EXPORT(cJSON_CreateObject),
    SUBVANE_JSON_EXPORT(cJSON_CreateObjectReference),
    SUBVANE_JSON_EXPORT(cJSON_CreateRaw),
    SUBVANE_JSON_EXPORT(cJSON_CreateString),
    SUBVANE_JSON_EXPORT(cJSON_CreateStringArray),
    SUBVANE_JSON_EXPORT(cJSON_CreateStringReference),
    SUBVANE_JSON_EXPORT(cJSON_CreateTrue),
    SUBVANE_JSON_EXPORT(cJSON_Delete),
    SUBVANE_JSON_EXPORT(cJSON_DeleteItemFromArray),
    SUBVANE_JSON_EXPORT(cJSON_DeleteItemFromObject),
    SUBVANE_JSON_EXPORT(cJSON_DeleteItemFromObjectCaseSensitive),
    SUBVANE_JSON_EXPORT(cJSON_DetachItemFromArray),
    SUBVANE_JSON_EXPORT(cJSON_DetachItemFromObject),
    SUBVANE_JSON_EXPORT(cJSON_DetachItemFromObjectCaseSensitive),
    SUBVANE_JSON_EXPORT(cJSON_DetachItemViaPointer),
    SUBVANE_JSON_EXPORT(cJSON_Duplicate),
    SUBVANE_JSON_EXPORT(cJSON_GetArrayItem),
    SUBVANE_JSON_EXPORT(cJSON_GetArraySize),
    SUBVANE_JSON_EXPORT(cJSON_GetErrorPtr),
    SUBVANE_JSON_EXPORT(cJSON_GetNumberValue),
    SUBVANE_JSON_EXPORT(cJSON_GetObjectItem),
    SUBVANE_JSON_EXPORT(cJSON_GetObjectItemCaseSensitive),
    SUBVANE_JSON_EXPORT(cJSON_GetStringValue),
    SUBVANE_JSON_EXPORT(cJSON_HasObjectItem),
    SUBVANE_JSON_EXPORT(cJSON_InitHooks),
    SUBVANE_JSON_EXPORT(cJSON_InsertItemInArray),
    SUBVANE_JSON_EXPORT(cJSON_IsArray),
    SUBVANE_JSON_EXPORT(cJSON_IsBool),
    SUBVANE_JSON_EXPORT(cJSON_IsFalse),
    SUBVANE_JSON_EXPORT(cJSON_IsInvalid),
    SUBVANE_JSON_EXPORT(cJSON_IsNull),
    SUBVANE_JSON_EXPORT(cJSON_IsNumber),
    SUBVANE_JSON_EXPORT(cJSON_IsObject),
    SUBVANE_JSON_EXPORT(cJSON_IsRaw),
    SUBVANE_JSON_EXPORT(cJSON_IsString),
    SUBVANE_JSON_EXPORT(cJSON_IsTrue),
    SUBVANE_JSON_EXPORT(cJSON_Minify),
    SUBVANE_JSON_EXPORT(cJSON_Parse),
    SUBVANE_JSON_EXPORT(cJSON_ParseWithLength),
    SUBVANE_JSON_EXPORT(cJSON_ParseWithLengthOpts),
    SUBVANE_JSON_EXPORT(cJSON_ParseWithOpts),
    SUBVANE_JSON_EXPORT(cJSON_Print),
    SUBVANE_JSON_EXPORT(cJSON_PrintBuffered),
    SUBVANE_JSON_EXPORT(cJSON_PrintPreallocated),
    SUBVANE_JSON_EXPORT(cJSON_PrintUnformatted),
    SUBVANE_JSON_EXPORT(cJSON_ReplaceItemInArray),
    SUBVANE_JSON_EXPORT(cJSON_ReplaceItemInObject),
    SUBVANE_JSON_EXPORT(cJSON_ReplaceItemInObjectCaseSensitive),
    SUBVANE_JSON_EXPORT(cJSON_ReplaceItemViaPointer),
    SUBVANE_JSON_EXPORT(cJSON_SetNumberHelper),
    SUBVANE_JSON_EXPORT(cJSON_SetValuestring),
    SUBVANE_JSON_EXPORT(cJSON_Version),
    SUBVANE_JSON_EXPORT(cJSON_free),
    SUBVANE_JSON_EXPORT(cJSON_malloc),
};

#undef SUBVANE_JSON_EXPORT

uintptr_t StandInModule() { return reinterpret_cast<uintptr_t>(&kJsonExports); }

}  // namespace

uintptr_t JsonLibraryModule = 0;

void MapJsonLibrary() { JsonLibraryModule = StandInModule(); }

void* JsonLibraryExport(const char* name) {
  if (JsonLibraryModule != StandInModule() || name == nullptr) return nullptr;
  for (const JsonExport& entry : kJsonExports) {
    if (std::strcmp(entry.name, name) == 0) return entry.address;
  }
  return nullptr;
}
