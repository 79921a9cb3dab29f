// Reads draft bytes into the plain model with simdjson: the command-line tool's parser,
// several times faster than the JSON classes on a large draft. It copies exactly what
// ReadDraftModel (core/draft_reader.h) copies out of the JSON classes' tree.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "core/draft_file.h"
#include "core/draft_model.h"

namespace core {

// Bytes the parser may read past the end of a draft: a buffer with this much spare
// capacity after the draft is read in place, a shorter one is copied first.
constexpr size_t kSimdjsonPadding = 64;

// A parser kept from one draft to the next. Its index takes several bytes a byte of the
// draft; reading many drafts with one parser allocates it once instead of once a draft
// (and the system need not hand out and clear fresh pages each time). A draft larger
// than kKeptDraftLimit is read with a parser of its own, so what is kept stays small.
class SimdjsonParser {
 public:
  // Small enough that two threads' kept memory leaves a 32-bit process room for a
  // large draft; large enough for the drafts most projects have.
  static constexpr size_t kKeptDraftLimit = 16u << 20;

  SimdjsonParser();
  ~SimdjsonParser();
  SimdjsonParser(const SimdjsonParser&) = delete;
  SimdjsonParser& operator=(const SimdjsonParser&) = delete;

  struct State;
  // What the reader parses with.
  State& Get() { return *state_; }

 private:
  std::unique_ptr<State> state_;
};

// What the reader keeps of each text material's content: all of it, or, to count
// captions, only ContentStandIn (core/caption_text.h) of it, so that the timeline finds
// the same captions, each text a stand-in.
enum class DraftTexts { kWhole, kStandIns };

enum class SimdjsonRead {
  kOk,           // a JSON object, read into the model
  kNotObject,    // JSON whose top level is not an object
  kRejected,     // refused by the parser (the JSON classes, which take more, may read it)
  kOutOfMemory,  // the parser could not have the memory the draft needs
};

// Reads the draft of `size` bytes at `bytes` (a leading byte-order mark skipped) into
// `model`, keys matched without regard to ASCII case; `capacity` is how many bytes from
// `bytes` may be read. The parser reads on demand: the whole draft must be UTF-8 and
// what the model needs strict JSON; members it does not need are skipped unread.
// Anything the parser refuses (a control character in a string, a number such as 007,
// bytes that are not UTF-8) is kRejected, and the model is then left as it was.
// With `parser`, the parse uses (and keeps) its memory; without, a parser of its own.
SimdjsonRead ReadDraftModelSimdjson(const char* bytes, size_t size, size_t capacity,
                                    DraftModel& model, SimdjsonParser* parser = nullptr,
                                    DraftTexts texts = DraftTexts::kWhole);

// Reads draft bytes into `model`, simdjson first: what it does not read as a JSON object
// goes to ReadDraftModelOf, whose parser takes more and which decides whether the bytes
// are a draft, so both readers accept the same files. Never throws. Spare capacity of
// kSimdjsonPadding after the bytes spares a copy; `parser` as ReadDraftModelSimdjson's.
// `texts` is for the simdjson reader; the JSON classes keep whole texts.
DraftStatus ReadDraftModelFast(const std::string& bytes, DraftModel& model,
                               SimdjsonParser* parser = nullptr,
                               DraftTexts texts = DraftTexts::kWhole);

}  // namespace core
