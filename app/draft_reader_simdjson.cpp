#include "app/draft_reader_simdjson.h"

#include <simdjson.h>

#include <cmath>
#include <cstring>
#include <string_view>

namespace app {
namespace {

using simdjson::dom::element;
using simdjson::dom::element_type;

static_assert(kSimdjsonPadding == simdjson::SIMDJSON_PADDING, "the parser's padding changed");

constexpr double kTimeLimit = 9007199254740992.0;  // 2^53
// The JSON classes refuse a document nested deeper than 1,000 levels; the parser counts
// one more, for the document around the top level.
constexpr size_t kMaxParseDepth = 1001;

// The JSON classes keep texts as C strings, which end at an escaped NUL (\u0000).
std::string_view UpToNul(std::string_view text) {
  size_t nul = text.find('\0');
  return nul == std::string_view::npos ? text : text.substr(0, nul);
}

// Compares a member name with a lower-case key, ignoring the case of ASCII letters.
bool KeyIs(std::string_view name, std::string_view key) {
  name = UpToNul(name);
  if (name.size() != key.size()) return false;
  for (size_t i = 0; i < name.size(); ++i) {
    char c = name[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != key[i]) return false;
  }
  return true;
}

bool IsKind(const element* value, element_type kind) { return value && value->type() == kind; }

// The value as an array or object; only for a value of that kind. (A range loop over
// get_array().value_unsafe() would walk a temporary that is already gone.)
simdjson::dom::array ArrayOf(const element* value) { return value->get_array().value_unsafe(); }
simdjson::dom::object ObjectOf(const element* value) {
  return value->get_object().value_unsafe();
}

bool IsNumber(const element* value) {
  return IsKind(value, element_type::INT64) || IsKind(value, element_type::UINT64) ||
         IsKind(value, element_type::DOUBLE);
}

// Calls `visit` with each element of an array, or each member value of an object.
template <typename Visit>
void ForEachChild(const element* value, Visit visit) {
  if (IsKind(value, element_type::ARRAY)) {
    for (element child : ArrayOf(value)) visit(child);
  } else if (IsKind(value, element_type::OBJECT)) {
    for (simdjson::dom::key_value_pair member : ObjectOf(value)) {
      visit(member.value);
    }
  }
}

template <typename Visit>
void ForEachElement(const element* value, Visit visit) {
  if (!IsKind(value, element_type::ARRAY)) return;
  for (element child : ArrayOf(value)) visit(child);
}

// The members of one object, each looked up by one pass over the object: the first
// member whose name matches counts, as a case-insensitive lookup would find it.
template <size_t N>
class Members {
 public:
  Members(const element* object, const char* const (&keys)[N]) {
    if (!IsKind(object, element_type::OBJECT)) return;
    for (simdjson::dom::key_value_pair member : ObjectOf(object)) {
      for (size_t i = 0; i < N; ++i) {
        if (!found_[i] && KeyIs(member.key, keys[i])) {
          values_[i] = member.value;
          found_[i] = true;
          break;
        }
      }
    }
  }
  const element* operator[](size_t i) const { return found_[i] ? &values_[i] : nullptr; }

 private:
  element values_[N];
  bool found_[N] = {};
};

const element* Member(const element* object, const char* key, element& holder) {
  const char* const keys[] = {key};
  Members<1> members(object, keys);
  if (!members[0]) return nullptr;
  holder = *members[0];
  return &holder;
}

std::string StringOf(const element* value) {
  if (!IsKind(value, element_type::STRING)) return std::string();
  return std::string(UpToNul(value->get_string().value_unsafe()));
}

// The number as the JSON classes hold it: a double, whatever the text's form.
double NumberOf(const element* value) { return value->get_double().value_unsafe(); }

// A JSON number as a whole number (microseconds, flags): cut toward zero and held within
// -2^53..2^53; 0 for anything that is not a number.
int64_t WholeNumberOf(const element* value) {
  if (!IsNumber(value)) return 0;
  double number = NumberOf(value);
  if (std::isnan(number)) return 0;
  if (number >= kTimeLimit) return static_cast<int64_t>(kTimeLimit);
  if (number <= -kTimeLimit) return -static_cast<int64_t>(kTimeLimit);
  return static_cast<int64_t>(number);  // the conversion cuts toward zero
}

void ReadTexts(const element* texts, DraftModel& draft) {
  static const char* const kKeys[] = {"id", "content"};
  ForEachChild(texts, [&](element value) {
    Members<2> members(&value, kKeys);
    DraftText text;
    text.id = StringOf(members[0]);
    text.contentIsString = IsKind(members[1], element_type::STRING);
    text.content = StringOf(members[1]);
    draft.texts.push_back(std::move(text));
  });
}

void ReadTextTemplates(const element* templates, DraftModel& draft) {
  static const char* const kKeys[] = {"id", "text_info_resources"};
  ForEachChild(templates, [&](element value) {
    Members<2> members(&value, kKeys);
    DraftTextTemplate textTemplate;
    textTemplate.id = StringOf(members[0]);
    ForEachElement(members[1], [&](element resource) {
      element holder;
      textTemplate.textIds.push_back(StringOf(Member(&resource, "text_material_id", holder)));
    });
    draft.textTemplates.push_back(std::move(textTemplate));
  });
}

DraftSegment ReadSegment(const element* value) {
  static const char* const kKeys[] = {"material_id", "extra_material_refs", "target_timerange",
                                      "source_timerange", "speed", "visible"};
  Members<6> members(value, kKeys);
  DraftSegment segment;
  segment.materialId = StringOf(members[0]);
  ForEachElement(members[1], [&](element ref) {
    if (IsKind(&ref, element_type::STRING)) segment.extraMaterialRefs.push_back(StringOf(&ref));
  });
  static const char* const kRangeKeys[] = {"start", "duration"};
  Members<2> target(members[2], kRangeKeys);
  segment.targetStart = WholeNumberOf(target[0]);
  segment.targetDuration = WholeNumberOf(target[1]);
  element holder;
  segment.sourceStart = WholeNumberOf(Member(members[3], "start", holder));
  if (IsNumber(members[4])) segment.speed = NumberOf(members[4]);
  segment.visible = !(IsKind(members[5], element_type::BOOL) &&
                      !members[5]->get_bool().value_unsafe());
  return segment;
}

void ReadTracks(const element* tracks, DraftModel& draft) {
  static const char* const kKeys[] = {"type", "name", "attribute", "segments"};
  ForEachChild(tracks, [&](element value) {
    Members<4> members(&value, kKeys);
    DraftTrack track;
    track.type = StringOf(members[0]);
    track.name = StringOf(members[1]);
    track.attribute = WholeNumberOf(members[2]);
    ForEachElement(members[3], [&](element segment) {
      track.segments.push_back(ReadSegment(&segment));
    });
    draft.tracks.push_back(std::move(track));
  });
}

DraftModel ReadDraft(const element* root, int depth);

void ReadNestedDrafts(const element* drafts, int depth, DraftModel& draft) {
  if (depth >= kMaxNestedDraftDepth) return;
  static const char* const kKeys[] = {"id", "draft"};
  ForEachChild(drafts, [&](element value) {
    Members<2> members(&value, kKeys);
    if (!IsKind(members[1], element_type::OBJECT)) return;
    DraftNested nested;
    nested.id = StringOf(members[0]);
    nested.draft = std::make_unique<DraftModel>(ReadDraft(members[1], depth + 1));
    draft.drafts.push_back(std::move(nested));
  });
}

DraftModel ReadDraft(const element* root, int depth) {
  DraftModel draft;
  static const char* const kRootKeys[] = {"materials", "tracks"};
  Members<2> rootMembers(root, kRootKeys);
  static const char* const kMaterialKeys[] = {"texts", "text_templates", "drafts"};
  Members<3> materials(rootMembers[0], kMaterialKeys);
  ReadTexts(materials[0], draft);
  ReadTextTemplates(materials[1], draft);
  ReadNestedDrafts(materials[2], depth, draft);
  ReadTracks(rootMembers[1], draft);
  return draft;
}

}  // namespace

SimdjsonRead ReadDraftModelSimdjson(const char* bytes, size_t size, size_t capacity,
                                    DraftModel& model) {
  static const char kByteOrderMark[] = "\xEF\xBB\xBF";
  if (size >= 3 && std::memcmp(bytes, kByteOrderMark, 3) == 0) {
    bytes += 3;
    size -= 3;
    capacity -= 3;
  }
  simdjson::dom::parser parser;
  if (parser.allocate(size, kMaxParseDepth) != simdjson::SUCCESS) return SimdjsonRead::kOutOfMemory;
  bool padded = capacity >= size + simdjson::SIMDJSON_PADDING;
  element root;
  simdjson::error_code error = parser.parse(bytes, size, !padded).get(root);
  if (error == simdjson::MEMALLOC) return SimdjsonRead::kOutOfMemory;
  if (error != simdjson::SUCCESS) return SimdjsonRead::kRejected;
  if (root.type() != element_type::OBJECT) return SimdjsonRead::kNotObject;
  model = ReadDraft(&root, 0);
  return SimdjsonRead::kOk;
}

}  // namespace app
