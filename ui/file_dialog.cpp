#include "ui/file_dialog.h"

#include <algorithm>
#include <cstdlib>

#include "heap/heap.h"
#include "runtime/services.h"
#include "runtime/window.h"
#include "ui/text_convert.h"

namespace ui {
namespace {

const char* const kPropertyNames[kFileDialogPropertyCount] = {
    "DialogType",    "Title",           "FileName",         "Filter",
    "InitialFilter", "InitialFolder",   "DefaultExtension", "CreatePrompt",
    "FileMustExist", "OverwritePrompt", "PathMustExist",    "NoChangeFolder",
};

// The properties kept in UTF-8 and read and written in code page 936.
bool IsPathProperty(int32_t index) {
  return index == kDialogFileName || index == kDialogInitialFolder;
}

std::string PathFromCp936(const std::string& text) { return Utf16ToUtf8(Cp936ToUtf16(text)); }

bool IsTextProperty(int32_t index) {
  return index == kDialogTitle || index == kDialogFileName || index == kDialogFilter ||
         index == kDialogInitialFolder || index == kDialogDefaultExtension;
}

std::string* TextField(FileDialogProperties& p, int32_t index) {
  switch (index) {
    case kDialogTitle:
      return &p.title;
    case kDialogFileName:
      return &p.fileName;
    case kDialogFilter:
      return &p.filter;
    case kDialogInitialFolder:
      return &p.initialFolder;
    case kDialogDefaultExtension:
      return &p.defaultExtension;
    default:
      return nullptr;
  }
}

int32_t* NumberField(FileDialogProperties& p, int32_t index) {
  switch (index) {
    case kDialogType:
      return &p.dialogType;
    case kDialogInitialFilter:
      return &p.initialFilter;
    case kDialogCreatePrompt:
      return &p.createPrompt;
    case kDialogFileMustExist:
      return &p.fileMustExist;
    case kDialogOverwritePrompt:
      return &p.overwritePrompt;
    case kDialogPathMustExist:
      return &p.pathMustExist;
    case kDialogNoChangeFolder:
      return &p.noChangeFolder;
    default:
      return nullptr;
  }
}

void StoreNumber(FileDialogProperties& p, int32_t index, int32_t v) {
  if (index == kDialogType) v = std::clamp(v, 0, 3);
  if (index == kDialogInitialFilter) v = std::max(v, 0);
  if (int32_t* field = NumberField(p, index)) *field = v;
}

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

}  // namespace

int64_t FileDialogProperties::Read(int32_t index) const {
  auto& self = const_cast<FileDialogProperties&>(*this);
  if (const std::string* text = TextField(self, index)) {
    std::string shown = IsPathProperty(index) ? Utf8ToCp936(*text) : *text;
    return static_cast<int64_t>(reinterpret_cast<uintptr_t>(rt::NewText(shown)));
  }
  if (const int32_t* number = NumberField(self, index)) return *number;
  if (index == kDialogChosenFilter) return chosenFilter;
  return 0;
}

void FileDialogProperties::Write(int32_t index, int64_t value) {
  if (IsTextProperty(index)) {
    std::string text = rt::TextToString(static_cast<const char*>(rt::WordsPointer(value)));
    *TextField(*this, index) = IsPathProperty(index) ? PathFromCp936(text) : text;
  } else {
    StoreNumber(*this, index, static_cast<int32_t>(value));
  }
}

void FileDialogProperties::Configure(const std::map<std::string, std::string>& settings) {
  for (int32_t i = 0; i < kFileDialogPropertyCount; ++i) {
    auto it = settings.find(kPropertyNames[i]);
    if (it == settings.end()) continue;
    if (IsTextProperty(i)) {
      *TextField(*this, i) = IsPathProperty(i) ? PathFromCp936(it->second) : it->second;
    } else {
      StoreNumber(*this, i, static_cast<int32_t>(std::strtol(it->second.c_str(), nullptr, 10)));
    }
  }
}

std::string PrepareFilter(const std::string& filter) {
  // One pass over the characters finds where trailing white space begins and whether
  // the last two characters are single-byte bars.
  size_t end = 0;
  bool lastBar = false, twoBars = false;
  for (size_t i = 0; i < filter.size();) {
    size_t n = Cp936CharLength(filter, i);
    if (n == 2 || !IsSpace(filter[i])) {
      end = i + n;
      bool bar = n == 1 && filter[i] == '|';
      twoBars = bar && lastBar;
      lastBar = bar;
    }
    i += n;
  }
  std::string out = filter.substr(0, end);
  if (out.empty()) return out;
  if (!twoBars) out += "||";
  for (size_t i = 0; i < out.size();) {
    size_t n = Cp936CharLength(out, i);
    if (n == 1 && out[i] == '|') out[i] = '\0';
    i += n;
  }
  return out;
}

namespace {

// The extension a pattern names, with its dot ("*.vtt" gives ".vtt"); empty for any
// other pattern ("*.*", "*.srt;*.ass").
std::u16string PatternExtension(const std::u16string& pattern) {
  if (pattern.size() < 3 || pattern.compare(0, 2, u"*.") != 0) return u"";
  std::u16string extension = pattern.substr(1);
  if (extension.find_first_of(u"*?;. ", 1) != std::u16string::npos) return u"";
  return extension;
}

// ASCII letters without regard to case, as file names compare.
bool SameExtension(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char16_t x = a[i] >= u'A' && a[i] <= u'Z' ? a[i] + 32 : a[i];
    char16_t y = b[i] >= u'A' && b[i] <= u'Z' ? b[i] + 32 : b[i];
    if (x != y) return false;
  }
  return true;
}

}  // namespace

std::u16string NameForFileType(const std::u16string& name,
                               const std::vector<std::u16string>& patterns, size_t chosen) {
  if (chosen >= patterns.size()) return name;
  std::u16string wanted = PatternExtension(patterns[chosen]);
  size_t dot = name.find_last_of(u'.');
  size_t separator = name.find_last_of(u"\\/");
  if (wanted.empty() || dot == std::u16string::npos ||
      (separator != std::u16string::npos && dot < separator))
    return name;
  std::u16string_view current(name.data() + dot, name.size() - dot);
  for (const std::u16string& pattern : patterns) {
    std::u16string extension = PatternExtension(pattern);
    if (!extension.empty() && SameExtension(current, extension))
      return name.substr(0, dot) + wanted;
  }
  return name;
}

std::vector<std::string> FileDialogRequest::FilterStrings() const {
  std::vector<std::string> out;
  size_t start = 0;
  while (start < filter.size()) {
    size_t zero = filter.find('\0', start);
    if (zero == std::string::npos) zero = filter.size();
    if (zero == start) break;
    out.push_back(filter.substr(start, zero - start));
    start = zero + 1;
  }
  return out;
}

FileDialogRequest PrepareFileDialogRequest(const FileDialogProperties& p) {
  FileDialogRequest r;
  r.flags = kOfnHideReadOnly;
  if (p.createPrompt == 1) r.flags |= kOfnCreatePrompt;
  if (p.fileMustExist == 1) r.flags |= kOfnFileMustExist;
  if (p.overwritePrompt == 1) r.flags |= kOfnOverwritePrompt;
  if (p.pathMustExist == 1) r.flags |= kOfnPathMustExist;
  if (p.noChangeFolder == 1) r.flags |= kOfnNoChangeDir;
  r.save = p.dialogType != 0;
  r.filter = PrepareFilter(p.filter);
  r.filterIndex = r.filter.empty() ? 0 : static_cast<uint32_t>(p.initialFilter) + 1;
  r.title = p.title;
  r.initialFolder = p.initialFolder;
  r.defaultExtension = p.defaultExtension;
  r.fileName = p.fileName;
  return r;
}

std::u16string TitleForFileType(const std::vector<std::u16string>& titles, size_t index) {
  if (index < titles.size()) return titles[index];
  return titles.size() == 1 ? titles[0] : std::u16string();
}

void AddWideTexts(FileDialogRequest& request, const FileDialogWideTexts& texts) {
  request.wideTitles = texts.titles;
  request.wideFilter.clear();
  if (texts.typeNames.empty() || request.filter.empty()) return;
  std::vector<std::string> strings = request.FilterStrings();
  for (size_t i = 0; i < strings.size(); ++i) {
    // Descriptions and patterns alternate.
    size_t type = i / 2;
    bool named = i % 2 == 0 && type < texts.typeNames.size() && !texts.typeNames[type].empty();
    request.wideFilter += named ? texts.typeNames[type] : Cp936ToUtf16(strings[i]);
    request.wideFilter += u'\0';
  }
  request.wideFilter += u'\0';
}

FileDialog::FileDialog(const rt::ComponentTemplate& entry) : rt::DialogComponent(entry) {
  properties_.Configure(entry.settings);
}

void FileDialog::CreateView(rt::Window& owner) { SetOwner(&owner); }

bool FileDialog::ShowDialog() {
  // Types 2 and 3 are the font dialog and the help viewer, which this component lacks.
  if (properties_.dialogType > 1) return false;
  FileDialogRequest request = PrepareFileDialogRequest(properties_);
  AddWideTexts(request, wideTexts_);
  void* ownerNative = nullptr;
  if (Owner() && Owner()->View()) ownerNative = platform::NativeHandle(Owner()->View());
  FileDialogChoice choice;
  if (!RunFileDialog(request, ownerNative, &choice)) return false;
  properties_.fileName = choice.path;
  properties_.chosenFilter =
      choice.filterIndex > 0 ? static_cast<int32_t>(choice.filterIndex - 1) : 0;
  return true;
}

bool FileDialogSetWideTexts(rt::ComponentId window, rt::ComponentId dialog,
                            FileDialogWideTexts texts) {
  auto* component = reinterpret_cast<rt::Component*>(
      rt::SystemRequest(rt::kRequestComponentObject, window, static_cast<int32_t>(dialog)));
  auto* fileDialog = dynamic_cast<FileDialog*>(component);
  if (!fileDialog) return false;
  fileDialog->SetWideTexts(std::move(texts));
  return true;
}

std::unique_ptr<rt::Component> CreateFileDialogComponent(const rt::ComponentTemplate& entry) {
  return std::make_unique<FileDialog>(entry);
}

namespace {

FileDialog* DialogOf(rt::ComponentId window, rt::ComponentId dialog) {
  return dynamic_cast<FileDialog*>(reinterpret_cast<rt::Component*>(
      rt::SystemRequest(rt::kRequestComponentObject, window, static_cast<int32_t>(dialog))));
}

}  // namespace

std::string DialogPathUtf8(rt::ComponentId window, rt::ComponentId dialog,
                           FileDialogProperty which) {
  FileDialog* found = DialogOf(window, dialog);
  if (!found || !IsPathProperty(which)) return std::string();
  return *TextField(found->Properties(), which);
}

void SetDialogPathUtf8(rt::ComponentId window, rt::ComponentId dialog, FileDialogProperty which,
                       const std::string& path) {
  FileDialog* found = DialogOf(window, dialog);
  if (found && IsPathProperty(which)) *TextField(found->Properties(), which) = path;
}

const rt::ComponentTypeInfo kFileDialogType = {rt::kComponentFileDialog, 0,
                                               &CreateFileDialogComponent};

}  // namespace ui
