// What a draft file's bytes are: a draft to read, a draft the editor has encrypted, or
// something else.
#pragma once

#include <cstddef>
#include <string>

#include "core/draft_model.h"
#include "json/json_node.h"

namespace core {

enum class DraftStatus {
  kOk,
  kNotFound,    // no such file, or a folder without a draft in it
  kUnreadable,  // the file exists but cannot be read
  kNotJson,     // empty, not JSON, or JSON whose top level is not an object
  kEncrypted,   // base64 text, as editor version 6 and later save drafts
  kTooLarge,    // reading it needs more memory than the process can have
};

// True when every byte is a base64 character (A-Z a-z 0-9 + / =) or white space and
// at least 64 of them are base64 characters.
bool IsEncryptedDraft(const void* bytes, size_t size);

// Parses draft bytes into `document`: kOk for a JSON object (a draft is an object: an
// array, even one wrapping a whole draft, a string, a number or an empty file is not),
// else kEncrypted, kNotJson or kTooLarge, with `document` empty. Well-formed UTF-8 is
// parsed as it stands; other bytes go through the system's conversion, which replaces
// what is not UTF-8. The one place that decides whether bytes are a draft.
DraftStatus ParseDraft(const char* bytes, size_t size, json::JsonDocument& document);
inline DraftStatus ParseDraft(const std::string& bytes, json::JsonDocument& document) {
  return ParseDraft(bytes.data(), bytes.size(), document);
}

// Reads draft bytes into `model` through the JSON classes (the window program's
// reader): the status of ParseDraft; never throws.
DraftStatus ReadDraftModelOf(const char* bytes, size_t size, DraftModel& model);

// The cause of a failed status in English, for command-line messages ("" for kOk).
const char* DraftStatusCause(DraftStatus status);

}  // namespace core
