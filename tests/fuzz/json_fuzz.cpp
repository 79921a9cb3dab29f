// Feeds arbitrary bytes to the JSON classes as a draft, walks whatever parsed reading
// every field, and resolves it into subtitles as the program does. Nothing may crash,
// leak or read past the input.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/subtitles.h"
#include "json/encoding.h"
#include "json/json_node.h"
#include "loader/json_library.h"
#include "runtime/heap.h"
#include "runtime/program.h"

namespace {

void StartOnce() {
  static bool started = false;
  if (started) return;
  started = true;
  static const rt::ProgramDescriptor program{{0, 0, 0}, nullptr, nullptr, 0, "", 0, 0, nullptr,
                                             json::kEncodingDllCount, json::kEncodingDllLibraries,
                                             json::kEncodingDllExports};
  rt::SetProgramForTests(program);
  rt::InitRuntime();
  MapJsonLibrary();
}

// Visits every item below `root` with an explicit stack, reading what a caller may read.
void Walk(const json::JsonNode& root) {
  std::vector<json::JsonNode> pending{root};
  while (!pending.empty()) {
    json::JsonNode node = pending.back();
    pending.pop_back();
    rt::OwnedText text = node.GetString();
    rt::OwnedText key = node.GetKey();
    volatile int32_t sink = node.GetInt() + node.Type() + (node.GetBool() ? 1 : 0);
    volatile double number = node.GetDouble() + node.GetNumber();
    (void)sink;
    (void)number;
    (void)node.GetStringUtf8();
    if (node.IsObject()) {
      (void)node.GetItem("materials", false);
      (void)node.GetItemUtf8("texts");
    }
    if (node.IsArray()) (void)node.GetAt(node.GetArraySize() - 1);
    for (json::JsonNode child = node.Child(); !child.IsEmpty(); child = child.Next()) {
      pending.push_back(child);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 24)) return 0;
  StartOnce();
  json::JsonDocument doc;
  rt::OwnedBytes bytes(rt::NewBytes(data, size));
  if (doc.ParseUtf8(bytes.get())) {
    Walk(doc);
    rt::OwnedText printed = doc.ToText();
  }
  // The direct path gets the fuzzer's own buffer, which ends exactly at `size`.
  if (doc.ParseUtf8Direct(reinterpret_cast<const char*>(data), size)) {
    Walk(doc);
    (void)app::ExtractSubtitles(doc);
  }
  doc.Release();
  return 0;
}
