// The show operation on Windows: the common open and save dialogs, called with UTF-16
// texts converted from code page 936 and paths converted from UTF-8.
#include <windows.h>
#include <cderr.h>
#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <cwchar>
#include <vector>

#include "language/catalogue.h"
#include "platform/platform.h"
#include "ui/file_dialog.h"
#include "ui/text_convert.h"

namespace ui {
namespace {

std::wstring ToWide(const std::string& text) {
  WideText w = Cp936ToUtf16(text);
  return std::wstring(w.begin(), w.end());
}

std::wstring PathToWide(const std::string& utf8) {
  WideText w = Utf8ToUtf16(utf8);
  return std::wstring(w.begin(), w.end());
}

// The patterns of a zero-separated filter ("desc\0*.srt\0desc\0*.vtt\0\0"), in order.
std::vector<std::u16string> FilterPatterns(const wchar_t* filter) {
  std::vector<std::u16string> patterns;
  for (bool isPattern = false; filter && *filter; isPattern = !isPattern) {
    size_t length = std::wcslen(filter);
    if (isPattern) patterns.emplace_back(filter, filter + length);
    filter += length + 1;
  }
  return patterns;
}

// The name box follows the file type the user chooses: "片名.srt" becomes "片名.vtt"
// when WebVTT is chosen, and the default extension with it.
void FollowFileType(HWND dialog, const OPENFILENAMEW& ofn) {
  std::vector<std::u16string> patterns = FilterPatterns(ofn.lpstrFilter);
  if (ofn.nFilterIndex == 0 || ofn.nFilterIndex > patterns.size()) return;
  const std::u16string& pattern = patterns[ofn.nFilterIndex - 1];
  if (pattern.size() > 2 && pattern.compare(0, 2, u"*.") == 0) {
    std::wstring extension(pattern.begin() + 2, pattern.end());
    SendMessageW(dialog, CDM_SETDEFEXT, 0, reinterpret_cast<LPARAM>(extension.c_str()));
  }
  std::vector<wchar_t> typed(kFileNameBuffer, L'\0');
  LRESULT length = SendMessageW(dialog, CDM_GETSPEC, static_cast<WPARAM>(typed.size()),
                                reinterpret_cast<LPARAM>(typed.data()));
  if (length <= 1 || static_cast<size_t>(length) > typed.size()) return;
  typed.back() = L'\0';
  std::u16string name(typed.data(), typed.data() + std::wcslen(typed.data()));
  std::u16string followed = NameForFileType(name, patterns, ofn.nFilterIndex - 1);
  if (followed == name) return;
  std::wstring text(followed.begin(), followed.end());
  // The name box is a combo box in the newer layout of the dialog, an edit box in the older.
  int box = GetDlgItem(dialog, cmb13) ? cmb13 : edt1;
  SendMessageW(dialog, CDM_SETCONTROLTEXT, box, reinterpret_cast<LPARAM>(text.c_str()));
}

// The title names the chosen file type where the request has a title for each.
void TitleFollowsFileType(HWND dialog, const OPENFILENAMEW& ofn) {
  const auto* titles = reinterpret_cast<const std::vector<std::u16string>*>(ofn.lCustData);
  if (!titles || titles->size() < 2 || ofn.nFilterIndex == 0) return;
  std::u16string title = TitleForFileType(*titles, ofn.nFilterIndex - 1);
  if (!title.empty()) SetWindowTextW(dialog, std::wstring(title.begin(), title.end()).c_str());
}

// Centres the explorer dialog on its owner once it is laid out, and lets the name and the
// title follow the chosen file type.
UINT_PTR CALLBACK DialogHook(HWND child, UINT message, WPARAM, LPARAM lp) {
  if (message != WM_NOTIFY) return 0;
  auto* notify = reinterpret_cast<OFNOTIFYW*>(lp);
  if (notify->hdr.code == CDN_TYPECHANGE && notify->lpOFN) {
    FollowFileType(GetParent(child), *notify->lpOFN);
    TitleFollowsFileType(GetParent(child), *notify->lpOFN);
    return 0;
  }
  if (notify->hdr.code != CDN_INITDONE) return 0;
  HWND dialog = GetParent(child);
  HWND owner = GetWindow(dialog, GW_OWNER);
  RECT box, area;
  GetWindowRect(dialog, &box);
  if (owner) {
    GetWindowRect(owner, &area);
  } else {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  }
  int width = box.right - box.left, height = box.bottom - box.top;
  int left = area.left + ((area.right - area.left) - width) / 2;
  int top = area.top + ((area.bottom - area.top) - height) / 2;
  SetWindowPos(dialog, nullptr, left < 0 ? 0 : left, top < 0 ? 0 : top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return 0;
}

// The window that owns a dialog without an owner of its own: the given window, or
// the active one, and then the pop-up last active over it.
HWND DialogOwner(void* ownerNative) {
  HWND owner = static_cast<HWND>(ownerNative);
  if (!owner || !IsWindow(owner)) owner = GetActiveWindow();
  if (owner) {
    HWND popup = GetLastActivePopup(owner);
    if (popup && IsWindowVisible(popup)) owner = popup;
  }
  return owner;
}

void Refuse(HWND owner, language::TextId message) {
  platform::ShowMessageBoxWide(
      language::Text(message), language::Text(language::TextId::kMessageTitle),
      MB_OK | MB_ICONWARNING | MB_TASKMODAL, owner && IsWindow(owner) ? owner : nullptr);
}

}  // namespace

void SetFileDialogAnswer(FileDialogAnswer) {}

bool RunFileDialog(const FileDialogRequest& request, void* ownerNative, FileDialogChoice* choice) {
  // Zeros inside convert one for one.
  std::wstring filter = request.wideFilter.empty()
                            ? ToWide(request.filter)
                            : std::wstring(request.wideFilter.begin(), request.wideFilter.end());
  std::u16string typeTitle =
      TitleForFileType(request.wideTitles, request.filterIndex > 0 ? request.filterIndex - 1 : 0);
  std::wstring title =
      typeTitle.empty() ? ToWide(request.title) : std::wstring(typeTitle.begin(), typeTitle.end());
  std::wstring folder = PathToWide(request.initialFolder);
  std::wstring extension = ToWide(request.defaultExtension);
  std::wstring name = PathToWide(request.fileName);

  // Room for the whole proposed name: it is offered as it is, never cut.
  std::vector<wchar_t> file(std::max(kFileNameBuffer, name.size() + 1), L'\0');
  std::copy(name.begin(), name.end(), file.begin());

  HWND owner = DialogOwner(ownerNative);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.hInstance = GetModuleHandleW(nullptr);
  ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = request.filterIndex;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
  ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  ofn.Flags = request.flags | OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING;
  ofn.lpfnHook = &DialogHook;
  ofn.lCustData = reinterpret_cast<LPARAM>(&request.wideTitles);

  HWND focus = GetFocus();
  bool reenable = owner && IsWindowEnabled(owner);
  if (reenable) EnableWindow(owner, FALSE);
  BOOL ok = request.save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (reenable) EnableWindow(owner, TRUE);
  if (focus && IsWindow(focus)) SetFocus(focus);

  if (!ok) {
    // Windows refuses a name longer than the buffer: the user is told, not ignored.
    if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL)
      Refuse(owner, language::TextId::kFileNameTooLong);
    return false;
  }
  file.back() = L'\0';
  choice->path = Utf16ToUtf8(WideText(file.data(), file.data() + std::wcslen(file.data())));
  choice->filterIndex = request.filter.empty() ? 0 : ofn.nFilterIndex;
  return true;
}

}  // namespace ui
