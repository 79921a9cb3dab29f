#include "core/draft_reader_simdjson.h"

#include <simdjson.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "core/ascii_case.h"
#include "core/caption_text.h"
#include "core/draft_look_members.h"
#include "platform/text_encoding.h"

namespace core {
namespace {

namespace od = simdjson::ondemand;
using od::json_type;

static_assert(kSimdjsonPadding == simdjson::SIMDJSON_PADDING, "the parser's padding changed");

// The JSON classes keep texts as C strings, which end at an escaped NUL (\u0000).
std::string_view UpToNul(std::string_view text) {
  size_t nul = text.find('\0');
  return nul == std::string_view::npos ? text : text.substr(0, nul);
}

enum class NameMatch { kSame, kDifferent, kEscaped };

// How the member name whose raw bytes start at `raw` (past its opening quote) compares
// with `key`, a name in lower case: the same in any ASCII letter case, different, or
// kEscaped when the two agree up to an escape, which only the decoded name can decide
// (a name holding \u0000 counts up to it, as the JSON classes keep it). Most names
// differ in their first bytes, so this reads few of them and decodes almost none.
NameMatch CompareRawName(const char* raw, std::string_view key) {
  size_t i = 0;
  while (i < key.size() && AsciiLower(raw[i]) == key[i]) ++i;
  if (i == key.size() && raw[i] == '"') return NameMatch::kSame;
  return raw[i] == '\\' ? NameMatch::kEscaped : NameMatch::kDifferent;
}

// Calls `visit(i, value)` for the first member of `object` whose name matches keys[i]
// (names in lower case) without regard to ASCII case; later members of a name already
// seen are skipped, as a lookup would find the first. Nothing for a value that is not
// an object.
template <size_t N, typename Visit>
void ForEachMember(od::value& object, const std::string_view (&keys)[N], Visit visit) {
  if (object.type() != json_type::object) return;
  bool seen[N] = {};
  for (od::field member : object.get_object()) {
    const char* raw = member.key().raw();
    size_t found = N;
    bool escaped = false;
    for (size_t i = 0; i < N && found == N; ++i) {
      if (seen[i]) continue;
      NameMatch match = CompareRawName(raw, keys[i]);
      if (match == NameMatch::kSame) found = i;
      escaped = escaped || match == NameMatch::kEscaped;
    }
    if (found == N && escaped) {
      std::string_view decoded = member.unescaped_key();
      std::string_view name = UpToNul(decoded);
      for (size_t i = 0; i < N && found == N; ++i) {
        if (!seen[i] && EqualsIgnoringAsciiCase(name, keys[i])) found = i;
      }
    }
    if (found == N) continue;
    seen[found] = true;
    visit(found, member.value());
  }
}

// Calls `visit` with each element of an array, or each member value of an object.
template <typename Visit>
void ForEachChild(od::value& value, Visit visit) {
  json_type type = value.type();
  if (type == json_type::array) {
    for (od::value child : value.get_array()) visit(child);
  } else if (type == json_type::object) {
    for (od::field member : value.get_object()) visit(member.value());
  }
}

template <typename Visit>
void ForEachElement(od::value& value, Visit visit) {
  if (value.type() != json_type::array) return;
  for (od::value child : value.get_array()) visit(child);
}

bool IsString(od::value& value) { return value.type() == json_type::string; }
bool IsNumber(od::value& value) { return value.type() == json_type::number; }

std::string StringOf(od::value& value) {
  if (!IsString(value)) return std::string();
  std::string_view text = value.get_string();
  return std::string(UpToNul(text));
}

// A JSON number as a whole number (core::WholeNumberOf of the double the JSON classes
// hold); 0 for anything but a number.
int64_t WholeNumberOf(od::value& value) {
  return IsNumber(value) ? core::WholeNumberOf(static_cast<double>(value.get_double())) : 0;
}

DraftNumber NumberOf(od::value& value) {
  if (!IsNumber(value)) return std::nullopt;
  return value.get_double();
}

DraftFlag FlagOf(od::value& value) {
  if (value.type() != json_type::boolean) return std::nullopt;
  return value.get_bool();
}

// The material's content as `kept` asks for it.
void ReadContent(od::value& value, DraftTexts kept, DraftText& text) {
  text.contentIsString = IsString(value);
  if (!text.contentIsString) {
    text.content.clear();
  } else if (kept == DraftTexts::kStandIns) {
    std::string_view content = value.get_string();
    text.content = ContentStandIn(UpToNul(content));
  } else {
    text.content = StringOf(value);
  }
}

// The names ReadTexts looks up: id, content, then the look's members.
struct TextKeys {
  TextKeys() {
    names[0] = "id";
    names[1] = "content";
    for (size_t i = 0; i < kDraftLookMemberCount; ++i) names[2 + i] = kDraftLookMembers[i].name;
  }
  std::string_view names[kTextMemberCount];
};

void ReadTexts(od::value& texts, DraftTexts kept, DraftModel& draft) {
  // Counting captions needs no look: its members are then skipped unread.
  static constexpr std::string_view kCountKeys[] = {"id", "content"};
  static const TextKeys kKeys;
  ForEachChild(texts, [&](od::value& element) {
    DraftText text;
    auto visit = [&](size_t key, od::value& value) {
      if (key == 0) {
        text.id = StringOf(value);
      } else if (key == 1) {
        ReadContent(value, kept, text);
      } else {
        const DraftLookMember& member = kDraftLookMembers[key - 2];
        if (member.text) text.look.*member.text = StringOf(value);
        if (member.number) text.look.*member.number = NumberOf(value);
        if (member.flag) text.look.*member.flag = FlagOf(value);
      }
    };
    if (kept == DraftTexts::kStandIns) {
      ForEachMember(element, kCountKeys, visit);
    } else {
      ForEachMember(element, kKeys.names, visit);
    }
    draft.texts.push_back(std::move(text));
  });
}

void ReadTextTemplates(od::value& templates, DraftModel& draft) {
  static constexpr std::string_view kKeys[] = {"id", "text_info_resources"};
  static constexpr std::string_view kResourceKeys[] = {"text_material_id"};
  ForEachChild(templates, [&](od::value& element) {
    DraftTextTemplate textTemplate;
    ForEachMember(element, kKeys, [&](size_t key, od::value& value) {
      if (key == 0) {
        textTemplate.id = StringOf(value);
        return;
      }
      ForEachElement(value, [&](od::value& resource) {
        std::string id;
        ForEachMember(resource, kResourceKeys, [&](size_t, od::value& v) { id = StringOf(v); });
        textTemplate.textIds.push_back(std::move(id));
      });
    });
    draft.textTemplates.push_back(std::move(textTemplate));
  });
}

DraftClip ReadClip(od::value& clip) {
  static constexpr std::string_view kKeys[] = {"transform", "scale", "rotation"};
  static constexpr std::string_view kPairKeys[] = {"x", "y"};
  DraftClip read;
  ForEachMember(clip, kKeys, [&](size_t key, od::value& value) {
    if (key == 2) {
      read.rotation = NumberOf(value);
      return;
    }
    DraftNumber& x = key == 0 ? read.x : read.scaleX;
    DraftNumber& y = key == 0 ? read.y : read.scaleY;
    ForEachMember(value, kPairKeys,
                  [&](size_t axis, od::value& number) { (axis == 0 ? x : y) = NumberOf(number); });
  });
  return read;
}

DraftSegment ReadSegment(od::value& element) {
  enum { kMaterialId, kExtraRefs, kTarget, kSource, kSpeed, kVisible, kClip };
  static constexpr std::string_view kKeys[] = {"material_id",
                                               "extra_material_refs",
                                               "target_timerange",
                                               "source_timerange",
                                               "speed",
                                               "visible",
                                               "clip"};
  static constexpr std::string_view kRangeKeys[] = {"start", "duration"};
  DraftSegment segment;
  ForEachMember(element, kKeys, [&](size_t key, od::value& value) {
    switch (key) {
      case kMaterialId:
        segment.materialId = StringOf(value);
        break;
      case kExtraRefs:
        ForEachElement(value, [&](od::value& ref) {
          if (IsString(ref)) segment.extraMaterialRefs.push_back(StringOf(ref));
        });
        break;
      case kTarget:
        ForEachMember(value, kRangeKeys, [&](size_t rangeKey, od::value& time) {
          (rangeKey == 0 ? segment.targetStart : segment.targetDuration) = WholeNumberOf(time);
        });
        break;
      case kSource:
        ForEachMember(value, kRangeKeys, [&](size_t rangeKey, od::value& time) {
          if (rangeKey == 0) segment.sourceStart = WholeNumberOf(time);
        });
        break;
      case kSpeed:
        if (IsNumber(value)) segment.speed = value.get_double();
        break;
      case kVisible:
        segment.visible = !(value.type() == json_type::boolean && !value.get_bool());
        break;
      case kClip:
        segment.clip = ReadClip(value);
        break;
    }
  });
  return segment;
}

void ReadTracks(od::value& tracks, DraftModel& draft) {
  enum { kType, kName, kAttribute, kSegments };
  static constexpr std::string_view kKeys[] = {"type", "name", "attribute", "segments"};
  ForEachChild(tracks, [&](od::value& element) {
    DraftTrack track;
    ForEachMember(element, kKeys, [&](size_t key, od::value& value) {
      switch (key) {
        case kType:
          track.type = StringOf(value);
          break;
        case kName:
          track.name = StringOf(value);
          break;
        case kAttribute:
          track.attribute = WholeNumberOf(value);
          break;
        case kSegments:
          ForEachElement(
              value, [&](od::value& segment) { track.segments.push_back(ReadSegment(segment)); });
          break;
      }
    });
    draft.tracks.push_back(std::move(track));
  });
}

DraftModel ReadDraft(od::value& root, int depth, DraftTexts kept);

void ReadNestedDrafts(od::value& drafts, int depth, DraftTexts kept, DraftModel& draft) {
  if (depth >= kMaxNestedDraftDepth) return;
  static constexpr std::string_view kKeys[] = {"id", "draft"};
  ForEachChild(drafts, [&](od::value& element) {
    DraftNested nested;
    ForEachMember(element, kKeys, [&](size_t key, od::value& value) {
      if (key == 0) {
        nested.id = StringOf(value);
      } else if (value.type() == json_type::object) {
        nested.draft = std::make_unique<DraftModel>(ReadDraft(value, depth + 1, kept));
      }
    });
    if (nested.draft) draft.drafts.push_back(std::move(nested));
  });
}

DraftModel ReadDraft(od::value& root, int depth, DraftTexts kept) {
  static constexpr std::string_view kRootKeys[] = {"materials", "tracks", "canvas_config"};
  static constexpr std::string_view kMaterialKeys[] = {"texts", "text_templates", "drafts"};
  static constexpr std::string_view kCanvasKeys[] = {"width", "height"};
  DraftModel draft;
  ForEachMember(root, kRootKeys, [&](size_t key, od::value& value) {
    if (key == 1) {
      ReadTracks(value, draft);
      return;
    }
    if (key == 2) {
      ForEachMember(value, kCanvasKeys, [&](size_t side, od::value& number) {
        (side == 0 ? draft.canvasWidth : draft.canvasHeight) = NumberOf(number);
      });
      return;
    }
    ForEachMember(value, kMaterialKeys, [&](size_t material, od::value& list) {
      if (material == 0) ReadTexts(list, kept, draft);
      if (material == 1) ReadTextTemplates(list, draft);
      if (material == 2) ReadNestedDrafts(list, depth, kept, draft);
    });
  });
  return draft;
}

}  // namespace

struct SimdjsonParser::State {
  od::parser parser;
};

SimdjsonParser::SimdjsonParser() : state_(std::make_unique<State>()) {}
SimdjsonParser::~SimdjsonParser() = default;

SimdjsonRead ReadDraftModelSimdjson(const char* bytes, size_t size, size_t capacity,
                                    DraftModel& model, SimdjsonParser* parser, DraftTexts texts) {
  // The parser's index takes four bytes a byte of the draft, and no array may reach
  // PTRDIFF_MAX bytes: past that its allocation throws where nothing can catch it (in a
  // 32-bit process from 512 MiB on). Such a draft needs more memory than there is.
  constexpr size_t kLargestDraft = PTRDIFF_MAX / sizeof(uint32_t) - 4096;
  if (size > kLargestDraft) return SimdjsonRead::kOutOfMemory;
  if (platform::StartsWithUtf8ByteOrderMark(std::string_view(bytes, size))) {
    bytes += platform::kUtf8ByteOrderMark.size();
    size -= platform::kUtf8ByteOrderMark.size();
    capacity -= platform::kUtf8ByteOrderMark.size();
  }
  // The parser reads up to its padding past the end; a buffer without that room is
  // copied into one that has it.
  simdjson::padded_string copy;
  if (capacity < size + simdjson::SIMDJSON_PADDING) {
    copy = simdjson::padded_string(bytes, size);
    bytes = copy.data();
    capacity = size + simdjson::SIMDJSON_PADDING;
  }
  try {
    std::unique_ptr<od::parser> own;
    od::parser* used = parser && size <= SimdjsonParser::kKeptDraftLimit
                           ? &parser->Get().parser
                           : (own = std::make_unique<od::parser>()).get();
    od::document document = used->iterate(bytes, size, capacity);
    if (document.type() != json_type::object) return SimdjsonRead::kNotObject;
    od::value root = document.get_value();
    model = ReadDraft(root, 0, texts);
    return SimdjsonRead::kOk;
  } catch (const simdjson::simdjson_error& error) {
    return error.error() == simdjson::MEMALLOC ? SimdjsonRead::kOutOfMemory
                                               : SimdjsonRead::kRejected;
  }
}

DraftStatus ReadDraftModelFast(const std::string& bytes, DraftModel& model, SimdjsonParser* parser,
                               DraftTexts texts) {
  try {
    if (ReadDraftModelSimdjson(bytes.data(), bytes.size(), bytes.capacity(), model, parser,
                               texts) == SimdjsonRead::kOk) {
      return DraftStatus::kOk;
    }
  } catch (const std::bad_alloc&) {
    // As below: the JSON classes need less memory than the parser's index.
  }
  // simdjson's index takes four bytes a byte of the draft; the JSON classes' tree
  // takes less, so a draft too large for the one may still fit the other, as it does
  // in the window program.
  model = DraftModel();
  return ReadDraftModelOf(bytes.data(), bytes.size(), model);
}

}  // namespace core
