// Top-level windows, buttons, message boxes and the message queue over Win32.
// A View* is the HWND itself; a top-level window keeps its ViewEvents in its
// GWLP_USERDATA slot from WM_NCCREATE to WM_NCDESTROY.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/program_icon.h"
#include "platform/win32/text_win.h"

namespace platform {

namespace {

constexpr wchar_t kWindowClass[] = L"SubvaneWindow";
constexpr wchar_t kHiddenClass[] = L"SubvaneRequests";
constexpr UINT kTaskMessage = 0x83E7;

HWND hiddenWindow = nullptr;
HFONT uiFont = nullptr;

HWND Hwnd(View* view) { return reinterpret_cast<HWND>(view); }
View* AsView(HWND hwnd) { return reinterpret_cast<View*>(hwnd); }

ViewEvents* EventsOf(HWND hwnd) {
  return reinterpret_cast<ViewEvents*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

// The paths of a drop, in the order the shell gives them; the drop's memory is freed.
std::vector<std::string> DroppedPaths(HDROP drop) {
  std::vector<std::string> paths;
  UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; i++) {
    UINT length = DragQueryFileW(drop, i, nullptr, 0);
    if (length == 0) continue;
    std::wstring path(length + 1, L'\0');
    UINT copied = DragQueryFileW(drop, i, &path[0], length + 1);
    path.resize(copied);
    if (path.empty()) continue;
    // A name that code page 936 cannot carry would name another file once converted:
    // it comes as an empty text.
    std::string cp936 = GbkFromWide(path);
    paths.push_back(WideFromGbk(cp936) == path ? cp936 : std::string());
  }
  DragFinish(drop);
  return paths;
}

LRESULT CALLBACK TopLevelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: {
      auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
      break;
    }
    case WM_ERASEBKGND: {
      // The class has no background brush: the default face colour is painted here.
      RECT client;
      GetClientRect(hwnd, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED && lParam != 0) {
        if (ViewEvents* events = EventsOf(hwnd)) events->OnButtonClicked(LOWORD(wParam));
        return 0;
      }
      break;
    case WM_DROPFILES: {
      std::vector<std::string> paths = DroppedPaths(reinterpret_cast<HDROP>(wParam));
      if (ViewEvents* events = EventsOf(hwnd)) events->OnFilesDropped(paths);
      return 0;
    }
    case DM_GETDEFID: {
      // The window's dialog keys (IsDialogMessage in the message loop) ask which button
      // Return presses: the push button that has the focus, and none otherwise, so that
      // Return on the table or the bare window starts nothing.
      HWND focus = GetFocus();
      const LRESULT pushButton = DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON;
      if (focus && GetParent(focus) == hwnd &&
          (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & pushButton) != 0)
        return MAKELRESULT(GetDlgCtrlID(focus), DC_HASDEFID);
      return 0;
    }
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      if (ViewEvents* events = EventsOf(hwnd)) events->OnViewDestroyed();
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK HiddenProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kTaskMessage) {
    reinterpret_cast<void (*)(intptr_t)>(wParam)(static_cast<intptr_t>(lParam));
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool HasChineseGlyphs(HFONT font) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  WORD glyphs[2] = {0, 0};
  DWORD found = GetGlyphIndicesW(dc, L"\x89e3\x6790", 2, glyphs, GGI_MARK_NONEXISTING_GLYPHS);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return found == 2 && glyphs[0] != 0xFFFF && glyphs[1] != 0xFFFF;
}

int CALLBACK FirstChineseFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM out) {
  if (!(type & TRUETYPE_FONTTYPE) || font->lfFaceName[0] == L'@') return 1;
  lstrcpynW(reinterpret_cast<wchar_t*>(out), font->lfFaceName, LF_FACESIZE);
  return 0;
}

HFONT CreateUiFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
  if (font && HasChineseGlyphs(font)) return font;
  // A Western system without font linking: take a font that carries Chinese glyphs.
  wchar_t face[LF_FACESIZE] = L"";
  LOGFONTW query{};
  query.lfCharSet = GB2312_CHARSET;
  HDC dc = GetDC(nullptr);
  EnumFontFamiliesExW(dc, &query, FirstChineseFace, reinterpret_cast<LPARAM>(face), 0);
  ReleaseDC(nullptr, dc);
  if (!face[0]) return font;
  LOGFONTW chosen = metrics.lfMessageFont;
  lstrcpynW(chosen.lfFaceName, face, LF_FACESIZE);
  chosen.lfCharSet = DEFAULT_CHARSET;
  HFONT fallback = CreateFontIndirectW(&chosen);
  if (!fallback) return font;
  if (font) DeleteObject(font);
  return fallback;
}

// The program's own icon at the size that the two system metrics name, or Windows'
// plain application icon for a program that carries none. Shared: never destroyed.
HICON ProgramIcon(HINSTANCE instance, int widthMetric, int heightMetric) {
  auto icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(SUBVANE_PROGRAM_ICON),
                                            IMAGE_ICON, GetSystemMetrics(widthMetric),
                                            GetSystemMetrics(heightMetric), LR_SHARED));
  return icon ? icon : LoadIconW(nullptr, IDI_APPLICATION);
}

}  // namespace

void InitUserInterface() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  windowClass.lpfnWndProc = TopLevelProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hIcon = ProgramIcon(instance, SM_CXICON, SM_CYICON);  // taskbar, Alt+Tab
  windowClass.hIconSm = ProgramIcon(instance, SM_CXSMICON, SM_CYSMICON);  // caption
  windowClass.lpszClassName = kWindowClass;
  RegisterClassExW(&windowClass);

  WNDCLASSEXW hiddenClass{};
  hiddenClass.cbSize = sizeof hiddenClass;
  hiddenClass.lpfnWndProc = HiddenProc;
  hiddenClass.hInstance = instance;
  hiddenClass.lpszClassName = kHiddenClass;
  RegisterClassExW(&hiddenClass);
  if (!hiddenWindow)
    hiddenWindow = CreateWindowExW(WS_EX_TOOLWINDOW, kHiddenClass, L"", WS_POPUP, 0, 0, 0, 0,
                                   nullptr, nullptr, instance, nullptr);
}

void ShutdownUserInterface() {
  if (hiddenWindow) DestroyWindow(hiddenWindow);
  hiddenWindow = nullptr;
  if (uiFont) DeleteObject(uiFont);
  uiFont = nullptr;
}

void* UiFont() {
  if (!uiFont) uiFont = CreateUiFont();
  return uiFont;
}

View* CreateTopLevel(const char* caption, const Bounds& bounds, const TopLevelStyle& style,
                     ViewEvents* events) {
  DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  if (style.minimiseBox) windowStyle |= WS_MINIMIZEBOX;
  if (style.maximiseBox) windowStyle |= WS_MAXIMIZEBOX;
  if (style.resizable) windowStyle |= WS_THICKFRAME;
  int left = bounds.left, top = bounds.top;
  if (style.centred) {
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    left = work.left + (work.right - work.left - bounds.width) / 2;
    top = work.top + (work.bottom - work.top - bounds.height) / 2;
    if (left < work.left) left = work.left;
    if (top < work.top) top = work.top;
  }
  DWORD extendedStyle = style.acceptsFiles ? WS_EX_ACCEPTFILES : 0;
  HWND hwnd = CreateWindowExW(extendedStyle, kWindowClass, WideFromGbk(caption).c_str(),
                              windowStyle, left, top, bounds.width, bounds.height, nullptr, nullptr,
                              GetModuleHandleW(nullptr), events);
  if (hwnd) SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont()), FALSE);
  return AsView(hwnd);
}

View* CreateButton(View* parent, int controlId, const char* caption, const Bounds& bounds) {
  HWND hwnd = CreateWindowExW(0, L"BUTTON", WideFromGbk(caption).c_str(),
                              WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON, bounds.left, bounds.top,
                              bounds.width, bounds.height, Hwnd(parent),
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                              GetModuleHandleW(nullptr), nullptr);
  if (hwnd) SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont()), FALSE);
  return AsView(hwnd);
}

void ShowView(View* view, bool visible) {
  ShowWindow(Hwnd(view), visible ? SW_SHOW : SW_HIDE);
  if (visible && !GetParent(Hwnd(view))) UpdateWindow(Hwnd(view));
}

void EnableView(View* view, bool enabled) { EnableWindow(Hwnd(view), enabled ? TRUE : FALSE); }

void MoveView(View* view, const Bounds& bounds) {
  MoveWindow(Hwnd(view), bounds.left, bounds.top, bounds.width, bounds.height, TRUE);
}

void SetViewText(View* view, const char* text) {
  SetWindowTextW(Hwnd(view), WideFromGbk(text).c_str());
}

void DestroyView(View* view) { DestroyWindow(Hwnd(view)); }

void* NativeHandle(View* view) { return Hwnd(view); }

int ShowMessageBox(const char* text, const char* title, uint32_t flags, void* ownerNative) {
  return MessageBoxW(static_cast<HWND>(ownerNative), WideFromGbk(text).c_str(),
                     WideFromGbk(title).c_str(), flags);
}

PumpResult PumpMessage(bool wait, bool takeQuit) {
  MSG message;
  if (!PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
    if (!wait) return PumpResult::Empty;
    WaitMessage();
    return PumpResult::Empty;
  }
  if (message.message == WM_QUIT && !takeQuit) return PumpResult::Quit;
  if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return PumpResult::Empty;
  if (message.message == WM_QUIT) return PumpResult::Quit;
  // Tab and arrow keys move between a window's controls, as in a dialog.
  HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  wchar_t className[32] = L"";
  if (root) GetClassNameW(root, className, 32);
  if (root && lstrcmpW(className, kWindowClass) == 0 && IsDialogMessageW(root, &message))
    return PumpResult::Dispatched;
  TranslateMessage(&message);
  DispatchMessageW(&message);
  return PumpResult::Dispatched;
}

bool MessageWaiting() {
  MSG message;
  return PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE) != 0;
}

void PostQuit(int code) { PostQuitMessage(code); }

void PostTask(void (*task)(intptr_t), intptr_t parameter) {
  if (hiddenWindow)
    PostMessageW(hiddenWindow, kTaskMessage, reinterpret_cast<WPARAM>(task),
                 static_cast<LPARAM>(parameter));
}

}  // namespace platform
