// Feeds arbitrary bytes to the JSON classes as a draft, walks whatever parsed reading
// every field, and resolves it into subtitles as the program does. Nothing may crash,
// leak or read past the input. The same bytes go to the simdjson reader, which must
// fill the same model wherever both readers take the draft, and to the rich-text scan,
// which must agree with the JSON classes wherever it decides.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/draft_file.h"
#include "core/draft_reader.h"
#include "core/draft_reader_simdjson.h"
#include "core/rich_text.h"
#include "core/subtitles.h"
#include "heap/heap.h"
#include "json/cjson_api.h"
#include "json/encoding.h"
#include "json/json_node.h"
#include "loader/json_library.h"
#include "runtime/program.h"
#include "tests/core/draft_model_text.h"

namespace {

void StartOnce() {
  static bool started = false;
  if (started) return;
  started = true;
  static const rt::ProgramDescriptor program{{0, 0, 0},
                                             nullptr,
                                             0,
                                             nullptr,
                                             0,
                                             "",
                                             0,
                                             0,
                                             nullptr,
                                             json::kEncodingDllCount,
                                             json::kEncodingDllLibraries,
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

bool IsKind(const json::JsonNode& node, int32_t kind) {
  return !node.IsEmpty() && (node.Type() & json::kCjsonTypeMask) == kind;
}

void CompareReaders(const uint8_t* data, size_t size) {
  core::DraftModel fast;
  core::SimdjsonRead read =
      core::ReadDraftModelSimdjson(reinterpret_cast<const char*>(data), size, size, fast);
  json::JsonDocument doc;
  if (read != core::SimdjsonRead::kOk ||
      core::ParseDraft(reinterpret_cast<const char*>(data), size, doc) != core::DraftStatus::kOk) {
    return;
  }
  if (core_test::DescribeModel(fast) != core_test::DescribeModel(core::ReadDraftModel(doc))) {
    std::abort();
  }
  // --list counts with stand-in texts: the same number of subtitles, always.
  core::DraftModel standIns;
  core::ReadDraftModelSimdjson(reinterpret_cast<const char*>(data), size, size, standIns, nullptr,
                               core::DraftTexts::kStandIns);
  if (core::SubtitlesOf(standIns).size() != core::SubtitlesOf(fast).size()) std::abort();
}

void CompareRichText(const uint8_t* data, size_t size) {
  std::string_view content(reinterpret_cast<const char*>(data), size);
  std::string scanned;
  core::RichTextScan scan = core::ScanRichText(content, scanned);
  if (scan == core::RichTextScan::kUndecided) return;
  json::JsonDocument doc;
  bool isText = doc.ParseUtf8Direct(content.data(), content.size()) &&
                IsKind(doc, json::kCjsonObject) &&
                IsKind(doc.GetItemUtf8("text"), json::kCjsonString);
  if (isText != (scan == core::RichTextScan::kText)) std::abort();
  if (isText && doc.GetItemUtf8("text").GetStringUtf8() != scanned) std::abort();
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
    (void)core::ExtractSubtitles(doc);
  }
  doc.Release();
  CompareReaders(data, size);
  CompareRichText(data, size);
  return 0;
}
