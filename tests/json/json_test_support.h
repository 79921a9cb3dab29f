// Small helpers shared by the JSON tests.
#pragma once

#include <string>

#include "heap/heap.h"
#include "json/json_node.h"

namespace jsontest {

inline std::string Str(const rt::OwnedText& t) { return t ? std::string(t.get()) : std::string(); }

// The bytes as a runtime byte array, the way ReadFileBytes hands a draft over.
inline rt::OwnedBytes Bytes(const std::string& s) {
  return rt::OwnedBytes(rt::NewBytes(s.data(), s.size()));
}

inline bool ParseUtf8(json::JsonDocument& doc, const std::string& s) {
  rt::OwnedBytes bytes = Bytes(s);
  return doc.ParseUtf8(bytes.get());
}

}  // namespace jsontest
