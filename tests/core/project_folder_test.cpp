#include "core/project_folder.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "core/editor_folders.h"
#include "core/plain_copy.h"

namespace {

// A project folder held in memory: file paths and their bytes.
class FakeFiles : public core::ProjectFiles {
 public:
  explicit FakeFiles(char separator = '/') : separator_(separator) {}
  FakeFiles& Add(const std::string& path, const std::string& bytes = "{}", int64_t saved = 0) {
    files_[path] = bytes;
    saved_[path] = saved;
    return *this;
  }
  FakeFiles& AddFolder(const std::string& path) {
    folders_.insert(path);
    return *this;
  }
  bool IsFile(const std::string& path) const override { return files_.count(path) != 0; }
  bool IsFolder(const std::string& path) const override { return folders_.count(path) != 0; }
  bool Modified(const std::string& path, core::FileTime& time) const override {
    auto found = saved_.find(path);
    if (found == saved_.end()) return false;
    time.sortKey = found->second;
    time.localText = "t" + std::to_string(found->second);
    return true;
  }
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
  std::map<std::string, int64_t> saved_;
  std::set<std::string> folders_;
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

TEST(ProjectFolderOf, ATimelineBelongsToTheFolderHoldingTimelines) {
  const struct {
    const char* file;
    char separator;
    const char* folder;
  } cases[] = {
      {"/d/My Film/draft_content.json", '/', "/d/My Film"},
      {"/d/My Film/Timelines/7F3A/draft_info.json", '/', "/d/My Film"},
      {"/d/My Film/timelines/7F3A/draft_info.json", '/', "/d/My Film"},
      {"/d/My Film/Other/7F3A/draft_info.json", '/', "/d/My Film/Other/7F3A"},
      {"C:\\d\\Film\\Timelines\\7F3A\\draft_content.json", '\\', "C:\\d\\Film"},
      {"C:/d/Film/draft_content.json", '\\', "C:/d/Film"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(core::ProjectFolderOf(c.file, c.separator), c.folder) << c.file;
}

TEST(ProjectMetaOf, TheDraftNameElseTheFolderName) {
  const struct {
    const char* meta;  // null: no meta file
    const char* name;
    bool invisible;
  } cases[] = {
      {nullptr, "0412", false},
      {u8R"({"draft_name":"旅行 Vlog"})", u8"旅行 Vlog", false},
      {R"({"draft_name":"","draft_is_invisible":true})", "0412", true},
      {R"({"draft_name":42})", "0412", false},
      {R"(["draft_name"])", "0412", false},
      {"not json", "0412", false},
  };
  for (const auto& c : cases) {
    FakeFiles files;
    if (c.meta) files.Add("/d/0412/draft_meta_info.json", c.meta);
    core::ProjectMeta meta = core::ProjectMetaOf("/d/0412/", files);
    EXPECT_EQ(meta.name, c.name) << (c.meta ? c.meta : "(none)");
    EXPECT_EQ(meta.invisible, c.invisible) << (c.meta ? c.meta : "(none)");
  }
  EXPECT_EQ(core::SafeFileName(u8"a/b:c?. "), "a_b_c_");
  EXPECT_EQ(core::SafeFileName("..."), "subtitles");
}

TEST(PreferredDraftFolder, CustomBeforeDefaultJianyingProBeforeCapCut) {
  const std::vector<std::string> data = {"/L/JianyingPro", "/L/CapCut"};
  const std::string jyDefault = "/L/JianyingPro/User Data/Projects/com.lveditor.draft";
  const std::string ccDefault = "/L/CapCut/User Data/Projects/com.lveditor.draft";
  FakeFiles files;
  EXPECT_EQ(core::PreferredDraftFolder(data, files), "");
  files.AddFolder(ccDefault);
  EXPECT_EQ(core::PreferredDraftFolder(data, files), ccDefault);
  files.Add("/L/CapCut/User Data/Config/globalSetting",
            "[General]\ncurrentCustomDraftPath=/cc custom\n");
  files.AddFolder("/cc custom");
  EXPECT_EQ(core::PreferredDraftFolder(data, files), "/cc custom");
  files.AddFolder(jyDefault);
  EXPECT_EQ(core::PreferredDraftFolder(data, files), jyDefault);
  files.Add("/L/JianyingPro/User Data/Config/globalSetting",
            "[General]\ncurrentCustomDraftPath=\"/jy custom\"\n");
  EXPECT_EQ(core::PreferredDraftFolder(data, files), jyDefault);  // set, but not there
  files.AddFolder("/jy custom");
  EXPECT_EQ(core::PreferredDraftFolder(data, files), "/jy custom");
  std::vector<core::EditorDraftFolders> editors = core::EditorDraftFoldersOf(data, files);
  ASSERT_EQ(editors.size(), 2u);
  EXPECT_EQ(editors[1].defaultFolder, ccDefault);
  EXPECT_EQ(editors[1].customFolder, "/cc custom");
}

// A reader for made-up drafts: "plain" and "plain-no-tracks" are drafts, anything else
// encrypted; records what it was asked to read.
class FakeReader {
 public:
  core::DraftStatus operator()(const std::string& path, core::DraftModel& draft) {
    read.push_back(path);
    if (contents.at(path) == "plain") {
      draft.tracks.resize(1);
      draft.texts.push_back(core::DraftText{path, "x", true});
      return core::DraftStatus::kOk;
    }
    return contents.at(path) == "plain-no-tracks" ? core::DraftStatus::kOk
                                                  : core::DraftStatus::kEncrypted;
  }
  std::map<std::string, std::string> contents;
  std::vector<std::string> read;
};

TEST(FindPlainCopy, TheNewestPlainDraftWithATimelineOfTheProject) {
  const struct {
    std::map<std::string, std::pair<const char*, int64_t>> files;  // path: content, saved
    const char* draft;
    const char* copy;  // null: none
  } cases[] = {
      {{{"p/draft_content.json", {"secret", 9}}}, "p/draft_content.json", nullptr},
      {{{"p/draft_content.json", {"secret", 9}}, {"p/draft_info.json.bak", {"plain", 2}}},
       "p/draft_content.json",
       "draft_info.json.bak"},
      {{{"p/draft_content.json", {"secret", 9}},
        {"p/draft_info.json", {"plain", 3}},
        {"p/template-2.tmp", {"plain", 5}},
        {"p/draft_content.json.bak", {"plain", 4}}},
       "p/draft_content.json",
       "template-2.tmp"},
      // The newest that proves no draft, or a draft without a timeline, gives way.
      {{{"p/draft_content.json", {"secret", 9}},
        {"p/draft_info.json", {"plain-no-tracks", 8}},
        {"p/template-2.tmp", {"secret", 7}},
        {"p/draft_content.json.bak", {"plain", 1}}},
       "p/draft_content.json",
       "draft_content.json.bak"},
      // A main timeline's draft, and from inside Timelines the project's own files.
      {{{"p/draft_content.json", {"secret", 9}},
        {"p/Timelines/project.json", {"{\"main_timeline_id\":\"T1\"}", 0}},
        {"p/Timelines/T1/draft_info.json", {"plain", 6}},
        {"p/draft_info.json", {"plain", 5}}},
       "p/draft_content.json",
       "Timelines/T1/draft_info.json"},
      {{{"p/Timelines/project.json", {"{\"main_timeline_id\":\"T1\"}", 0}},
        {"p/Timelines/T1/draft_content.json", {"secret", 9}},
        {"p/draft_info.json.bak", {"plain", 5}}},
       "p/Timelines/T1/draft_content.json",
       "draft_info.json.bak"},
  };
  for (const auto& c : cases) {
    FakeFiles files;
    FakeReader reader;
    for (const auto& [path, file] : c.files) {
      files.Add(path, file.first, file.second);
      reader.contents[path] = file.first;
    }
    core::PlainCopy copy;
    bool found = core::FindPlainCopy(c.draft, files, std::ref(reader), copy);
    ASSERT_EQ(found, c.copy != nullptr) << c.draft << " " << c.files.size();
    for (const std::string& read : reader.read) EXPECT_NE(read, c.draft);  // never the draft
    if (!found) continue;
    EXPECT_EQ(copy.name, c.copy);
    EXPECT_EQ(copy.file, "p/" + std::string(c.copy));
    EXPECT_EQ(copy.saved.localText, "t" + std::to_string(c.files.at(copy.file).second));
    ASSERT_EQ(copy.draft.texts.size(), 1u);
    EXPECT_EQ(copy.draft.texts[0].id, copy.file);  // the model read from that very file
  }
}

}  // namespace
