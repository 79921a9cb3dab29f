// What a draft holds that decides its captions, copied out of the JSON as plain values.
// A reader fills these structs and decides nothing; the timeline (app/timeline.h) holds
// every rule about which captions exist and when. Texts are UTF-8 as stored.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace core {

// Compound clips nest drafts inside drafts; deeper ones are not read.
constexpr int kMaxNestedDraftDepth = 8;

struct DraftText {
  std::string id;       // empty when absent or not a string
  std::string content;  // the stored `content`, rich text or markup included
  bool contentIsString = false;
};

struct DraftTextTemplate {
  std::string id;
  std::vector<std::string> textIds;  // text_info_resources[].text_material_id, in order
};

struct DraftSegment {
  std::string materialId;
  std::vector<std::string> extraMaterialRefs;
  int64_t targetStart = 0;     // microseconds
  int64_t targetDuration = 0;  // microseconds
  int64_t sourceStart = 0;     // 0 when absent
  double speed = 0;            // 0 when absent
  bool visible = true;         // false only when stored as false
};

struct DraftTrack {
  std::string type;
  std::string name;
  int64_t attribute = 0;  // bit flags; 0 when absent or not a number
  std::vector<DraftSegment> segments;
};

struct DraftModel;

// An element of materials.drafts that holds a nested draft (a compound clip's timeline).
struct DraftNested {
  std::string id;
  std::unique_ptr<DraftModel> draft;
};

struct DraftModel {
  std::vector<DraftText> texts;
  std::vector<DraftTextTemplate> textTemplates;
  std::vector<DraftTrack> tracks;
  std::vector<DraftNested> drafts;
};

}  // namespace core
