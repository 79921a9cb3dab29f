// What the core and both programs use of the operating system, in UTF-8: the
// platform's functions (platform/system_utf8.h) under the core's names, and the core's
// readers and project-folder view built on them.
#pragma once

#include <string>

#include "core/project_folder.h"
#include "platform/system_utf8.h"

namespace core {

using platform::EditorDataFolders;
using platform::FileModified;
using platform::FileSizeOf;
using platform::FullPath;
using platform::IsPathSeparator;
using platform::ListFolders;
using platform::MakeFolders;
using platform::PathKind;
using platform::PathSeparator;
using platform::ProgramArguments;
using platform::ReadResult;
using platform::ReadWholeFile;
using platform::StatPath;
using platform::UserCacheFolder;
using platform::WriteErrorLine;
using platform::WriteFileAtomically;
using platform::WriteStandardOutput;
using platform::WriteTextOutput;

// Reads a small file (settings, meta, project.json): false when it is missing, cannot
// be read or holds more than kSmallFileLimit bytes. The one reader of such files.
bool ReadSmallFile(const std::string& path, std::string& bytes);

// The project rules' view of this computer's file system.
class SystemProjectFiles : public ProjectFiles {
 public:
  bool IsFile(const std::string& path) const override;
  bool IsFolder(const std::string& path) const override;
  bool ReadSmallFile(const std::string& path, std::string& bytes) const override;
  bool Modified(const std::string& path, FileTime& time) const override;
  char Separator() const override;
};

}  // namespace core
