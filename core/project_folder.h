// Which file of a project folder holds the timeline the editor opens.
#pragma once

#include <string>

namespace core {

// What the rule needs to see of the file system; paths are in the caller's encoding.
class ProjectFiles {
 public:
  virtual ~ProjectFiles() = default;
  virtual bool IsFile(const std::string& path) const = 0;
  // The whole content of a small file; false when it cannot be read.
  virtual bool ReadSmallFile(const std::string& path, std::string& bytes) const = 0;
  // The separator written between a folder and a name.
  virtual char Separator() const = 0;
};

// The draft file of the project folder `folder`: the main timeline that
// Timelines/project.json names (Timelines/<main_timeline_id>/draft_content.json, else its
// draft_info.json) when there is one, else the folder's draft_content.json, else its
// draft_info.json; empty when the folder holds none of them.
std::string ProjectDraftFile(const std::string& folder, const ProjectFiles& files);

}  // namespace core
