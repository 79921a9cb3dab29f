// The show operation on Windows: the common open and save dialogs, called with UTF-16
// texts converted from code page 936.
#include <windows.h>
#include <cderr.h>
#include <commdlg.h>

#include <algorithm>
#include <cwchar>
#include <vector>

#include "ui/file_dialog.h"
#include "ui/text_convert.h"

namespace ui {
namespace {

std::wstring ToWide(const std::string& text) {
  WideText w = Cp936ToUtf16(text);
  return std::wstring(w.begin(), w.end());
}

// Centres the explorer dialog on its owner once it is laid out.
UINT_PTR CALLBACK CentreHook(HWND child, UINT message, WPARAM, LPARAM lp) {
  if (message != WM_NOTIFY) return 0;
  auto* notify = reinterpret_cast<OFNOTIFYW*>(lp);
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

void Refuse(HWND owner, const char* message) {
  MessageBoxW(owner && IsWindow(owner) ? owner : nullptr, ToWide(message).c_str(),
              ToWide("信息：").c_str(), MB_OK | MB_ICONWARNING | MB_TASKMODAL);
}

}  // namespace

void SetFileDialogAnswer(FileDialogAnswer) {}

bool RunFileDialog(const FileDialogRequest& request, void* ownerNative, std::string* chosen) {
  std::wstring filter = ToWide(request.filter);  // zeros inside convert one for one
  std::wstring title = ToWide(request.title);
  std::wstring folder = ToWide(request.initialFolder);
  std::wstring extension = ToWide(request.defaultExtension);
  std::wstring name = ToWide(request.fileName);

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
  ofn.lpfnHook = &CentreHook;

  HWND focus = GetFocus();
  bool reenable = owner && IsWindowEnabled(owner);
  if (reenable) EnableWindow(owner, FALSE);
  BOOL ok = request.save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (reenable) EnableWindow(owner, TRUE);
  if (focus && IsWindow(focus)) SetFocus(focus);

  if (!ok) {
    // Windows refuses a name longer than the buffer: the user is told, not ignored.
    if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL) Refuse(owner, kFileNameTooLongMessage);
    return false;
  }
  file.back() = L'\0';
  WideText path(file.data(), file.data() + std::wcslen(file.data()));
  std::string cp936 = Utf16ToCp936(path);
  // A character that code page 936 lacks would name another file (or none) once
  // converted: such a name is refused rather than changed.
  if (Cp936ToUtf16(cp936) != path) {
    Refuse(owner, kFileNameNotRepresentableMessage);
    return false;
  }
  *chosen = cp936;
  return true;
}

}  // namespace ui
