#include "app/draft_parse.h"

#include <new>

#include "core/plain_copy.h"
#include "core/project_folder.h"
#include "core/system.h"
#include "heap/heap.h"
#include "language/catalogue.h"
#include "platform/text_encoding.h"

namespace app {
namespace {

using language::Text;
using language::TextId;

// Reads the draft file `file` (a core path) into `draft`. The file's size is checked
// before its bytes are allocated, and the bytes are gone before the caller goes on.
core::DraftStatus ReadDraftAt(const std::string& file, core::DraftModel& draft) {
  std::string bytes;
  std::string reason;
  switch (core::ReadWholeFile(file, bytes, reason)) {
    case core::ReadResult::kOk:
      return core::ReadDraftModelOf(bytes.data(), bytes.size(), draft);
    case core::ReadResult::kNotFound:
      return core::DraftStatus::kNotFound;
    case core::ReadResult::kTooLarge:
      return core::DraftStatus::kTooLarge;
    case core::ReadResult::kUnreadable:
      break;
  }
  return core::DraftStatus::kUnreadable;
}

// What the window says of a plain copy read in place of the encrypted draft.
std::u16string PlainCopyMessage(const core::PlainCopy& copy) {
  return Text(TextId::kParseDonePlainCopy,
              {platform::Utf8ToUtf16(copy.name), platform::Cp936ToUtf16(copy.saved.localText)});
}

}  // namespace

ChosenDraft ReadChosenDraft(const std::string& path) {
  ChosenDraft chosen;
  try {
    // A heap block refused while the draft is read is a message, not the end of the
    // program.
    rt::AllocationFailureThrows throwing;
    const std::string& file = path;
    core::DraftModel draft;
    chosen.status = ReadDraftAt(file, draft);
    core::PlainCopy copy;
    bool fromCopy = chosen.status == core::DraftStatus::kEncrypted &&
                    core::FindPlainCopy(file, core::SystemProjectFiles(), ReadDraftAt, copy);
    if (fromCopy) {
      draft = std::move(copy.draft);
      chosen.status = core::DraftStatus::kOk;
    }
    if (chosen.status != core::DraftStatus::kOk) return chosen;
    chosen.captions = core::DraftCaptionsOf(draft);
    chosen.subtitles = core::ShownSubtitles(chosen.captions.timeline);
    chosen.model = std::make_shared<const core::DraftModel>(std::move(draft));
    core::SystemProjectFiles files;
    std::string project = core::ProjectFolderOf(core::FullPath(file), files.Separator());
    chosen.projectName = core::ProjectMetaOf(project, files).name;
    chosen.doneMessage = fromCopy                   ? PlainCopyMessage(copy)
                         : chosen.subtitles.empty() ? Text(TextId::kParseDoneNoCaptions)
                                                    : Text(TextId::kParseDone);
  } catch (const std::bad_alloc&) {
    chosen = ChosenDraft();
    chosen.status = core::DraftStatus::kTooLarge;
  }
  return chosen;
}

const char16_t* DraftStatusMessage(core::DraftStatus status) {
  switch (status) {
    case core::DraftStatus::kOk:
      return nullptr;
    case core::DraftStatus::kEncrypted:
      return Text(TextId::kDraftEncrypted);
    case core::DraftStatus::kTooLarge:
      return Text(TextId::kDraftTooLarge);
    case core::DraftStatus::kNotFound:
    case core::DraftStatus::kUnreadable:
    case core::DraftStatus::kNotJson:
      return Text(TextId::kDraftNotValid);
  }
  return nullptr;
}

}  // namespace app
