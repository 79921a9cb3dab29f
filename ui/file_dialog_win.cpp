// The show operation on Windows: the common open and save dialogs, called with UTF-16
// texts converted from code page 936.
#include <windows.h>
#include <commdlg.h>

#include <cstring>

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

}  // namespace

void SetFileDialogAnswer(FileDialogAnswer) {}

bool RunFileDialog(const FileDialogRequest& request, void* ownerNative, FileDialogChoice* choice) {
  std::wstring filter = ToWide(request.filter);  // zeros inside convert one for one
  std::wstring title = ToWide(request.title);
  std::wstring folder = ToWide(request.initialFolder);
  std::wstring extension = ToWide(request.defaultExtension);
  std::wstring name = ToWide(request.fileName);

  wchar_t file[kFileNameBuffer] = {};
  size_t n = name.size() < kFileNameBuffer - 1 ? name.size() : kFileNameBuffer - 1;
  std::memcpy(file, name.data(), n * sizeof(wchar_t));

  HWND owner = DialogOwner(ownerNative);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.hInstance = GetModuleHandleW(nullptr);
  ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = request.filterIndex;
  ofn.lpstrFile = file;
  ofn.nMaxFile = kFileNameBuffer;
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

  if (!ok) return false;
  file[kFileNameBuffer - 1] = L'\0';
  std::wstring path(file);
  choice->path = FitNameBuffer(Utf16ToCp936(WideText(path.begin(), path.end())));
  choice->filterIndex = request.filter.empty() ? 0 : ofn.nFilterIndex;
  return true;
}

}  // namespace ui
