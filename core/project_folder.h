// A project folder: which of its files holds the timeline the editor opens, what the
// project is called, and the folder a draft file belongs to.
#pragma once

#include <cstddef>
#include <string>

#include "platform/file_time.h"

namespace core {

// When a file was last written, as the platform tells it.
using platform::FileTime;

// What the project rules need to see of the file system; paths are in the caller's
// encoding.
class ProjectFiles {
 public:
  virtual ~ProjectFiles() = default;
  virtual bool IsFile(const std::string& path) const = 0;
  virtual bool IsFolder(const std::string& /*path*/) const { return false; }
  // The whole content of a small file (settings, meta, project.json); false when it
  // cannot be read or is larger than kSmallFileLimit.
  virtual bool ReadSmallFile(const std::string& path, std::string& bytes) const = 0;
  // When the file was last written; false when that cannot be told.
  virtual bool Modified(const std::string& /*path*/, FileTime& /*time*/) const { return false; }
  // The separator written between a folder and a name.
  virtual char Separator() const = 0;
};

// The largest settings, meta or project.json file that is read: these hold kilobytes,
// so anything far larger is not one.
constexpr size_t kSmallFileLimit = size_t{16} << 20;

// `folder` and `name` joined by `separator`, unless `folder` ends in a separator.
std::string JoinProjectPath(const std::string& folder, const std::string& name, char separator);

// The draft file of the project folder `folder`: the main timeline that
// Timelines/project.json names (Timelines/<main_timeline_id>/draft_content.json, else its
// draft_info.json) when there is one, else the folder's draft_content.json, else its
// draft_info.json; empty when the folder holds none of them.
std::string ProjectDraftFile(const std::string& folder, const ProjectFiles& files);

// The main timeline's draft file under `folder`/Timelines, empty when there is none.
std::string MainTimelineFile(const std::string& folder, const ProjectFiles& files);

// The project folder that the draft file `file` (a full path) belongs to: the folder
// holding it, or for a timeline in Timelines/<id>/ the folder holding Timelines.
std::string ProjectFolderOf(const std::string& file, char separator);

// What draft_meta_info.json says of a project.
struct ProjectMeta {
  std::string name;        // draft_name, else the folder's own name
  bool invisible = false;  // the editor does not list it
};

// The project of folder `folder`: its draft_meta_info.json's draft_name, else the folder's
// name; whether the editor hides it.
ProjectMeta ProjectMetaOf(const std::string& folder, const ProjectFiles& files);

// A file name made of `name`, with the characters no file system takes replaced
// ("subtitles" when nothing is left).
std::string SafeFileName(const std::string& name);

// The last component of `path`, trailing separators ignored.
std::string LastPathComponent(const std::string& path, char separator);

}  // namespace core
