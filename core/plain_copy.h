// An encrypted draft's plain copy: editors from version 6 on save the draft encrypted,
// but a project often still holds a plain draft beside it (another timeline file, or a
// backup an older version wrote). Only such files are read, never written, nothing is
// decrypted and no key is looked for.
#pragma once

#include <functional>
#include <string>

#include "core/draft_file.h"
#include "core/draft_model.h"
#include "core/project_folder.h"

namespace core {

struct PlainCopy {
  std::string file;  // its path
  std::string name;  // its path inside the project folder, as the user is told
  FileTime saved;
  DraftModel draft;
};

// Reads the draft file `path` into `draft`; kOk for a draft.
using DraftFileReader = std::function<DraftStatus(const std::string& path, DraftModel& draft)>;

// Looks in the project that the encrypted draft file `draftFile` belongs to for a plain
// draft that `read` accepts and that has a timeline (at least one track): the main
// timeline under Timelines/, draft_info.json, draft_content.json, template-2.tmp, and
// each of those with ".bak" added. Of those, the most recently modified wins. False
// when there is none.
bool FindPlainCopy(const std::string& draftFile, const ProjectFiles& files,
                   const DraftFileReader& read, PlainCopy& copy);

}  // namespace core
