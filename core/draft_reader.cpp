#include "core/draft_reader.h"

#include <cmath>

#include "core/ascii_case.h"
#include "core/draft_look_members.h"
#include "json/cjson_api.h"

namespace core {
namespace {

using json::CjsonItem;

int32_t KindOf(const CjsonItem* item) { return item ? item->type & json::kCjsonTypeMask : 0; }

bool IsKind(const CjsonItem* item, int32_t kind) { return KindOf(item) == kind; }

// The first element of an array, or the first member of an object.
const CjsonItem* FirstChild(const CjsonItem* item) {
  return IsKind(item, json::kCjsonArray) || IsKind(item, json::kCjsonObject) ? item->child
                                                                             : nullptr;
}

// The members of one object, each looked up by one pass over the object: the first
// member whose name matches counts, as a case-insensitive lookup would find it.
template <size_t N>
class Members {
 public:
  Members(const CjsonItem* object, const char* const (&keys)[N]) {
    if (!IsKind(object, json::kCjsonObject)) return;
    for (const CjsonItem* member = object->child; member; member = member->next) {
      for (size_t i = 0; i < N; ++i) {
        if (!found_[i] && member->string && EqualsIgnoringAsciiCase(member->string, keys[i])) {
          found_[i] = member;
          break;
        }
      }
    }
  }
  const CjsonItem* operator[](size_t i) const { return found_[i]; }

 private:
  const CjsonItem* found_[N] = {};
};

const CjsonItem* Member(const CjsonItem* object, const char* key) {
  const char* const keys[] = {key};
  return Members<1>(object, keys)[0];
}

std::string StringOf(const CjsonItem* item) {
  if (!IsKind(item, json::kCjsonString) || !item->valuestring) return std::string();
  return std::string(item->valuestring);
}

// A JSON number as a whole number (core::WholeNumberOf); 0 for anything that is not a
// number.
int64_t WholeNumberOf(const CjsonItem* item) {
  return IsKind(item, json::kCjsonNumber) ? core::WholeNumberOf(item->valuedouble) : 0;
}

DraftNumber NumberOf(const CjsonItem* item) {
  if (!IsKind(item, json::kCjsonNumber)) return std::nullopt;
  return item->valuedouble;
}

DraftFlag FlagOf(const CjsonItem* item) {
  if (IsKind(item, json::kCjsonTrue)) return true;
  if (IsKind(item, json::kCjsonFalse)) return false;
  return std::nullopt;
}

// The names ReadTexts looks up: id, content, then the look's members.
struct TextKeys {
  TextKeys() {
    names[0] = "id";
    names[1] = "content";
    for (size_t i = 0; i < kDraftLookMemberCount; ++i) names[2 + i] = kDraftLookMembers[i].name;
  }
  const char* names[kTextMemberCount];
};

void ReadTexts(const CjsonItem* texts, DraftModel& draft) {
  static const TextKeys kKeys;
  for (const CjsonItem* element = FirstChild(texts); element; element = element->next) {
    Members<kTextMemberCount> members(element, kKeys.names);
    DraftText text;
    text.id = StringOf(members[0]);
    text.contentIsString = IsKind(members[1], json::kCjsonString);
    text.content = StringOf(members[1]);
    for (size_t i = 0; i < kDraftLookMemberCount; ++i) {
      const DraftLookMember& member = kDraftLookMembers[i];
      const CjsonItem* value = members[2 + i];
      if (member.text) text.look.*member.text = StringOf(value);
      if (member.number) text.look.*member.number = NumberOf(value);
      if (member.flag) text.look.*member.flag = FlagOf(value);
    }
    draft.texts.push_back(std::move(text));
  }
}

void ReadTextTemplates(const CjsonItem* templates, DraftModel& draft) {
  static const char* const kKeys[] = {"id", "text_info_resources"};
  for (const CjsonItem* element = FirstChild(templates); element; element = element->next) {
    Members<2> members(element, kKeys);
    DraftTextTemplate textTemplate;
    textTemplate.id = StringOf(members[0]);
    if (IsKind(members[1], json::kCjsonArray)) {
      for (const CjsonItem* resource = members[1]->child; resource; resource = resource->next) {
        textTemplate.textIds.push_back(StringOf(Member(resource, "text_material_id")));
      }
    }
    draft.textTemplates.push_back(std::move(textTemplate));
  }
}

DraftClip ReadClip(const CjsonItem* clip) {
  static const char* const kKeys[] = {"transform", "scale", "rotation"};
  static const char* const kPairKeys[] = {"x", "y"};
  Members<3> members(clip, kKeys);
  Members<2> transform(members[0], kPairKeys);
  Members<2> scale(members[1], kPairKeys);
  DraftClip read;
  read.x = NumberOf(transform[0]);
  read.y = NumberOf(transform[1]);
  read.scaleX = NumberOf(scale[0]);
  read.scaleY = NumberOf(scale[1]);
  read.rotation = NumberOf(members[2]);
  return read;
}

DraftSegment ReadSegment(const CjsonItem* element) {
  static const char* const kKeys[] = {"material_id",
                                      "extra_material_refs",
                                      "target_timerange",
                                      "source_timerange",
                                      "speed",
                                      "visible",
                                      "clip"};
  Members<7> members(element, kKeys);
  DraftSegment segment;
  segment.materialId = StringOf(members[0]);
  if (IsKind(members[1], json::kCjsonArray)) {
    for (const CjsonItem* ref = members[1]->child; ref; ref = ref->next) {
      if (IsKind(ref, json::kCjsonString)) segment.extraMaterialRefs.push_back(StringOf(ref));
    }
  }
  static const char* const kRangeKeys[] = {"start", "duration"};
  Members<2> target(members[2], kRangeKeys);
  segment.targetStart = WholeNumberOf(target[0]);
  segment.targetDuration = WholeNumberOf(target[1]);
  segment.sourceStart = WholeNumberOf(Member(members[3], "start"));
  if (IsKind(members[4], json::kCjsonNumber)) segment.speed = members[4]->valuedouble;
  segment.visible = !IsKind(members[5], json::kCjsonFalse);
  segment.clip = ReadClip(members[6]);
  return segment;
}

void ReadTracks(const CjsonItem* tracks, DraftModel& draft) {
  static const char* const kKeys[] = {"type", "name", "attribute", "segments"};
  for (const CjsonItem* element = FirstChild(tracks); element; element = element->next) {
    Members<4> members(element, kKeys);
    DraftTrack track;
    track.type = StringOf(members[0]);
    track.name = StringOf(members[1]);
    track.attribute = WholeNumberOf(members[2]);
    if (IsKind(members[3], json::kCjsonArray)) {
      for (const CjsonItem* segment = members[3]->child; segment; segment = segment->next) {
        track.segments.push_back(ReadSegment(segment));
      }
    }
    draft.tracks.push_back(std::move(track));
  }
}

DraftModel ReadDraft(const CjsonItem* root, int depth);

void ReadNestedDrafts(const CjsonItem* drafts, int depth, DraftModel& draft) {
  if (depth >= kMaxNestedDraftDepth) return;
  static const char* const kKeys[] = {"id", "draft"};
  for (const CjsonItem* element = FirstChild(drafts); element; element = element->next) {
    Members<2> members(element, kKeys);
    if (!IsKind(members[1], json::kCjsonObject)) continue;
    DraftNested nested;
    nested.id = StringOf(members[0]);
    nested.draft = std::make_unique<DraftModel>(ReadDraft(members[1], depth + 1));
    draft.drafts.push_back(std::move(nested));
  }
}

DraftModel ReadDraft(const CjsonItem* root, int depth) {
  DraftModel draft;
  static const char* const kRootKeys[] = {"materials", "tracks", "canvas_config"};
  Members<3> rootMembers(root, kRootKeys);
  static const char* const kCanvasKeys[] = {"width", "height"};
  Members<2> canvas(rootMembers[2], kCanvasKeys);
  draft.canvasWidth = NumberOf(canvas[0]);
  draft.canvasHeight = NumberOf(canvas[1]);
  static const char* const kMaterialKeys[] = {"texts", "text_templates", "drafts"};
  Members<3> materials(rootMembers[0], kMaterialKeys);
  ReadTexts(materials[0], draft);
  ReadTextTemplates(materials[1], draft);
  ReadNestedDrafts(materials[2], depth, draft);
  ReadTracks(rootMembers[1], draft);
  return draft;
}

}  // namespace

DraftModel ReadDraftModel(const json::JsonNode& root) { return ReadDraft(root.Item(), 0); }

}  // namespace core
