#include "core/project_folder.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// A project folder held in memory: file paths and their bytes.
class FakeFiles : public core::ProjectFiles {
 public:
  explicit FakeFiles(char separator = '/') : separator_(separator) {}
  FakeFiles& Add(const std::string& path, const std::string& bytes = "{}") {
    files_[path] = bytes;
    return *this;
  }
  bool IsFile(const std::string& path) const override { return files_.count(path) != 0; }
  bool ReadSmallFile(const std::string& path, std::string& bytes) const override {
    auto found = files_.find(path);
    if (found == files_.end()) return false;
    bytes = found->second;
    return true;
  }
  char Separator() const override { return separator_; }

 private:
  char separator_;
  std::map<std::string, std::string> files_;
};

std::string MainTimeline(const std::string& id) {
  return "{\"config\":{},\"main_timeline_id\":\"" + id + "\",\"timelines\":[]}";
}

TEST(ProjectDraftFile, TheMainTimelineWinsOverTheFolderDraft) {
  FakeFiles files;
  files.Add("p/draft_content.json").Add("p/draft_info.json");
  files.Add("p/Timelines/project.json", MainTimeline("A1B2"));
  files.Add("p/Timelines/C3D4/draft_content.json");
  files.Add("p/Timelines/A1B2/draft_info.json");
  EXPECT_EQ(core::ProjectDraftFile("p", files), "p/Timelines/A1B2/draft_info.json");
  files.Add("p/Timelines/A1B2/draft_content.json");
  EXPECT_EQ(core::ProjectDraftFile("p", files), "p/Timelines/A1B2/draft_content.json");
  EXPECT_EQ(core::ProjectDraftFile("p/", files), "p/Timelines/A1B2/draft_content.json");

  FakeFiles windows('\\');
  windows.Add("C:\\p\\Timelines\\project.json", "\xEF\xBB\xBF" + MainTimeline("A1B2"));
  windows.Add("C:\\p\\Timelines\\A1B2\\draft_content.json");
  EXPECT_EQ(core::ProjectDraftFile("C:\\p", windows), "C:\\p\\Timelines\\A1B2\\draft_content.json");
  EXPECT_EQ(core::ProjectDraftFile("C:\\p\\", windows),
            "C:\\p\\Timelines\\A1B2\\draft_content.json");
}

TEST(ProjectDraftFile, WithoutAUsableMainTimelineTheFolderDraftCounts) {
  const std::string projectFiles[] = {
      "",                           // empty
      "not json",                   // not JSON
      "{\"timelines\":[]}",         // no main timeline named
      "{\"main_timeline_id\":42}",  // not a string
      MainTimeline(""),             // empty id
      MainTimeline("GONE"),         // a folder without a draft
      MainTimeline(".."),           // ids that would leave Timelines/
      MainTimeline("."),
      MainTimeline("A/../../x"),
      MainTimeline("A\\\\..\\\\x"),
      MainTimeline("C:x"),
      "[\"A1B2\"]",  // not an object
  };
  for (const std::string& project : projectFiles) {
    FakeFiles files;
    files.Add("p/Timelines/project.json", project);
    files.Add("p/draft_info.json");
    files.Add("p/Timelines/draft_content.json").Add("p/x/draft_content.json");
    files.Add("p/Timelines/A/draft_content.json").Add("p/Timelines/../draft_content.json");
    EXPECT_EQ(core::ProjectDraftFile("p", files), "p/draft_info.json") << project;
    files.Add("p/draft_content.json");
    EXPECT_EQ(core::ProjectDraftFile("p", files), "p/draft_content.json") << project;
  }
}

TEST(ProjectDraftFile, AFolderWithoutAnyDraftGivesNothing) {
  FakeFiles files;
  files.Add("p/draft_meta_info.json").Add("p/Timelines/project.json", MainTimeline("A1B2"));
  EXPECT_EQ(core::ProjectDraftFile("p", files), "");
  EXPECT_EQ(core::ProjectDraftFile("q", files), "");
}

}  // namespace
