// Reads draft bytes into the plain model with simdjson: the command-line tool's parser,
// several times faster than the JSON classes on a large draft. It copies exactly what
// ReadDraftModel (app/draft_reader.h) copies out of the JSON classes' tree.
#pragma once

#include <cstddef>

#include "app/draft_model.h"

namespace app {

// Bytes the parser may read past the end of a draft: a buffer with this much spare
// capacity after the draft is read in place, a shorter one is copied first.
constexpr size_t kSimdjsonPadding = 64;

enum class SimdjsonRead {
  kOk,           // a JSON object, read into the model
  kNotObject,    // strict JSON whose top level is not an object
  kRejected,     // not strict JSON (the JSON classes, which are more lenient, may read it)
  kOutOfMemory,  // the parser could not have the memory the draft needs
};

// Reads the draft of `size` bytes at `bytes` (a leading byte-order mark skipped) into
// `model`, keys matched without regard to ASCII case; `capacity` is how many bytes from
// `bytes` may be read. Only strict JSON is accepted, at most 1,000 levels deep as the
// JSON classes take it, so that what is read here the JSON classes would read alike.
SimdjsonRead ReadDraftModelSimdjson(const char* bytes, size_t size, size_t capacity,
                                    DraftModel& model);

}  // namespace app
