// The file dialog component (type 0x0001001F): twelve properties describing an open or
// save dialog, and the show operation that runs the platform's dialog from them.
//
// The two paths, FileName and InitialFolder, are kept in UTF-8 so that no character of a
// path is lost: writing the property in code page 936 sets the path, reading it gives the
// path in code page 936 ('?' for what the code page lacks); DialogPathUtf8 and
// SetDialogPathUtf8 give and take the path whole.
//
// Template settings (all optional, texts in code page 936, numbers in decimal):
//   "DialogType", "Title", "FileName", "Filter", "InitialFilter", "InitialFolder",
//   "DefaultExtension", "CreatePrompt", "FileMustExist", "OverwritePrompt",
//   "PathMustExist", "NoChangeFolder" -- each sets the property of that name.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "runtime/component.h"

namespace ui {

// Own property indices (property number = 8 + index).
enum FileDialogProperty : int32_t {
  kDialogType,
  kDialogTitle,
  kDialogFileName,
  kDialogFilter,
  kDialogInitialFilter,
  kDialogInitialFolder,
  kDialogDefaultExtension,
  kDialogCreatePrompt,
  kDialogFileMustExist,
  kDialogOverwritePrompt,
  kDialogPathMustExist,
  kDialogNoChangeFolder,
  kFileDialogPropertyCount,
  // Read only: the 0-based pair of the filter that the user had selected when confirming
  // the last choice (0 until then), which tells, say, which file type to write.
  kDialogChosenFilter = kFileDialogPropertyCount,
};

// Option flags as the platform's common dialogs take them.
enum FileDialogFlag : uint32_t {
  kOfnOverwritePrompt = 0x2,
  kOfnHideReadOnly = 0x4,
  kOfnNoChangeDir = 0x8,
  kOfnPathMustExist = 0x800,
  kOfnFileMustExist = 0x1000,
  kOfnCreatePrompt = 0x2000,
};

// The longest path the system takes (32,767 UTF-16 units) and its terminating zero: the
// least room the dialog's name buffer gets (a longer proposed name gets room for all of it).
constexpr size_t kFileNameBuffer = 32768;

// What the user is told when a chosen name is longer than the dialog's buffer is
// language::TextId::kFileNameTooLong. The dialog then answers as if cancelled; a name is
// never used cut or changed.

// The stored properties; the two paths in UTF-8, other texts in code page 936; a flag is
// on only when it is exactly 1.
struct FileDialogProperties {
  int32_t dialogType = 0;
  std::string title;
  std::string fileName;  // UTF-8
  std::string filter;
  int32_t initialFilter = 0;
  std::string initialFolder;  // UTF-8
  std::string defaultExtension;
  int32_t createPrompt = 0;
  int32_t fileMustExist = 1;
  int32_t overwritePrompt = 1;
  int32_t pathMustExist = 1;
  int32_t noChangeFolder = 0;
  int32_t chosenFilter = 0;

  // A property's value: numbers as they are, texts as new Text blocks in code page 936
  // (null when empty). Unknown indices read 0.
  int64_t Read(int32_t index) const;
  // Stores a property: texts (code page 936) are copied from the pointer in `value`,
  // numbers clamped.
  void Write(int32_t index, int64_t value);
  // Sets the properties named in a template's settings.
  void Configure(const std::map<std::string, std::string>& settings);
};

// The name in a save dialog's name box once the user chose the file type whose pattern
// is patterns[chosen]: a name whose extension is that of one of the `patterns` ("*.srt")
// takes the chosen one's ("片名.srt" with "*.vtt" chosen gives "片名.vtt"), so that
// the offered name follows the type; any other name stays as the user typed it.
std::u16string NameForFileType(const std::u16string& name,
                               const std::vector<std::u16string>& patterns, size_t chosen);

// What a file dialog shows in UTF-16 in place of its stored code page 936 texts: its
// title for each file type the user may choose, in order (a single one serves every
// type), and each type's description; the patterns stay as stored.
struct FileDialogWideTexts {
  std::vector<std::u16string> titles;
  std::vector<std::u16string> typeNames;
};

// The title shown while type `index` (from 0) is chosen: titles[index], the only one of
// a single title, else empty.
std::u16string TitleForFileType(const std::vector<std::u16string>& titles, size_t index);

// Everything the platform dialog is shown with.
struct FileDialogRequest {
  bool save = false;
  uint32_t flags = 0;
  std::string filter;         // zero-separated pairs ending in an empty string; empty = none
  uint32_t filterIndex = 0;   // 1-based pair, 0 without a filter
  std::string title;          // empty: the platform's caption
  std::string initialFolder;  // UTF-8
  std::string defaultExtension;
  std::string fileName;  // UTF-8
  // Shown in place of title and filter when not empty (FileDialogWideTexts): the title
  // for each type, and the filter with the types' descriptions in UTF-16.
  std::vector<std::u16string> wideTitles;
  std::u16string wideFilter;

  // The filter's zero-terminated strings, without the closing empty one.
  std::vector<std::string> FilterStrings() const;
};

// "desc|pattern" to "desc\0pattern\0\0": trailing white space dropped, "||" added unless
// present, every bar that is not a trail byte becomes a zero byte.
std::string PrepareFilter(const std::string& filter);
FileDialogRequest PrepareFileDialogRequest(const FileDialogProperties& properties);
// The request with `texts` in place of its stored texts: each description that
// `texts.typeNames` gives replaced in a UTF-16 copy of the filter, the titles taken.
void AddWideTexts(FileDialogRequest& request, const FileDialogWideTexts& texts);

// What the user confirmed in the platform's dialog.
struct FileDialogChoice {
  std::string path;          // full path, UTF-8
  uint32_t filterIndex = 0;  // the 1-based pair selected at the end; 0 without a filter
};

// Runs the platform's modal dialog; true with the user's choice when the user
// confirmed, false on cancel or failure. `ownerNative` may be null.
bool RunFileDialog(const FileDialogRequest& request, void* ownerNative, FileDialogChoice* choice);

// Linux build: the driving test answers the dialog (no answer: cancelled). The choice
// comes with the request's filter pair selected.
using FileDialogAnswer = std::function<bool(const FileDialogRequest&, FileDialogChoice* choice)>;
void SetFileDialogAnswer(FileDialogAnswer answer);

class FileDialog : public rt::DialogComponent {
 public:
  explicit FileDialog(const rt::ComponentTemplate& entry);

  FileDialogProperties& Properties() { return properties_; }

  // Remembers the owner window; the dialog has no view of its own.
  void CreateView(rt::Window& owner) override;
  void DestroyView() override {}
  int64_t ReadOwnProperty(int32_t index) override { return properties_.Read(index); }
  void WriteOwnProperty(int32_t index, int64_t value) override { properties_.Write(index, value); }
  // Shows the dialog; on a confirmed choice FileName holds its full path and
  // ChosenFilter the pair the user had selected.
  bool ShowDialog() override;
  // Texts the dialog shows from now on in place of its stored ones.
  void SetWideTexts(FileDialogWideTexts texts) { wideTexts_ = std::move(texts); }

 private:
  FileDialogProperties properties_;
  FileDialogWideTexts wideTexts_;
};

// SetWideTexts on the file dialog `dialog` of the loaded window `window`; false when
// there is no such dialog.
bool FileDialogSetWideTexts(rt::ComponentId window, rt::ComponentId dialog,
                            FileDialogWideTexts texts);

std::unique_ptr<rt::Component> CreateFileDialogComponent(const rt::ComponentTemplate& entry);

// The path property `which` (kDialogFileName or kDialogInitialFolder) of file dialog
// `dialog` on the created window `window`, in UTF-8 with every character; empty for
// another property.
std::string DialogPathUtf8(rt::ComponentId window, rt::ComponentId dialog,
                           FileDialogProperty which);
// Sets that path property from UTF-8; another property is left as it is.
void SetDialogPathUtf8(rt::ComponentId window, rt::ComponentId dialog, FileDialogProperty which,
                       const std::string& path);
// The file dialog's entry for its support library's type list.
extern const rt::ComponentTypeInfo kFileDialogType;

}  // namespace ui
