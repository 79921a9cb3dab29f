// What a draft file's bytes are: a draft to read, a draft the editor has encrypted, or
// something else.
#pragma once

#include <cstddef>
#include <string>

#include "json/json_node.h"

namespace core {

enum class DraftStatus {
  kOk,
  kNotFound,    // no such file, or a folder without a draft in it
  kUnreadable,  // the file exists but cannot be read
  kNotJson,     // empty, not JSON, or JSON whose top level is not an object
  kEncrypted,   // base64 text, as editor version 6 and later save drafts
};

// True when every byte is a base64 character (A-Z a-z 0-9 + / =) or white space and
// at least 64 of them are base64 characters.
bool IsEncryptedDraft(const void* bytes, size_t size);

// Parses draft bytes (UTF-8, lossless) into `document`: kOk for a JSON object, else
// kEncrypted or kNotJson, with `document` empty.
DraftStatus ParseDraft(const char* bytes, size_t size, json::JsonDocument& document);
inline DraftStatus ParseDraft(const std::string& bytes, json::JsonDocument& document) {
  return ParseDraft(bytes.data(), bytes.size(), document);
}

// The cause of a failed status in English, for command-line messages ("" for kOk).
const char* DraftStatusCause(DraftStatus status);

// The message the window shows for a draft that cannot be used, in code page 936
// (null for kOk): the encrypted one, or the one for every other failure.
const char* DraftStatusMessage(DraftStatus status);

}  // namespace core
