// The window's reading of a chosen draft, done completely before anything of the window
// changes: the table keeps what it has unless the whole draft could be read.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/caption_tracks.h"
#include "core/draft_file.h"
#include "core/timeline.h"

namespace app {

struct ChosenDraft {
  core::DraftStatus status = core::DraftStatus::kNotFound;
  std::vector<core::Subtitle> subtitles;
  core::DraftCaptions captions;                   // the timeline and its tracks, for the track list
  std::shared_ptr<const core::DraftModel> model;  // for the captions' looks in an ASS export
  std::string projectName;                        // UTF-8: for the title and the save dialog's name
  std::u16string doneMessage;                     // what the window says once the table is filled
};

// Reads the draft file `path` (UTF-8). Running out of memory gives kTooLarge;
// an encrypted draft with a plain copy in its project gives that copy's subtitles.
// Never throws.
ChosenDraft ReadChosenDraft(const std::string& path);

// The message the window shows for a draft that cannot be used, in the window's language
// (null for kOk): the encrypted one, the one for a draft too large, or the one for every
// other failure.
const char16_t* DraftStatusMessage(core::DraftStatus status);

}  // namespace app
