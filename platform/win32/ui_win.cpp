// Top-level windows, buttons, message boxes and the message queue over Win32.
// A View* is the HWND itself; a top-level window keeps its ViewEvents in its
// GWLP_USERDATA slot from WM_NCCREATE to WM_NCDESTROY.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <exception>
#include <map>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/text_encoding.h"
#include "platform/win32/program_icon.h"
#include "platform/win32/text_win.h"
#include "platform/win32/ui_font_win.h"

namespace platform {

namespace {

constexpr wchar_t kWindowClass[] = L"SubvaneWindow";
// The class of the system's dialogs (the find and replace dialogs are modeless ones).
constexpr wchar_t kDialogClass[] = L"#32770";
constexpr wchar_t kHiddenClass[] = L"SubvaneRequests";
constexpr UINT kTaskMessage = 0x83E7;
// Posted to a top-level window when one of its drop-down lists may show another item;
// wParam: the list's control id.
constexpr UINT kListChoiceMessage = WM_APP + 1;
// How many items a dropped list shows before it scrolls.
constexpr int kDroppedItems = 12;

HWND hiddenWindow = nullptr;
std::map<int, HFONT> uiFonts;  // by DPI

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
    paths.push_back(Utf16ToUtf8(std::u16string(path.begin(), path.end())));
  }
  DragFinish(drop);
  return paths;
}

// ---- Display scale ----------------------------------------------------------------

// The per-monitor functions exist from Windows 10 1607 on; earlier systems have one DPI
// for every monitor, which the screen's device context tells.
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using SetProcessDpiAwarenessContextFn = BOOL(WINAPI*)(HANDLE);

template <typename Fn>
Fn User32Function(const char* name) {
  return reinterpret_cast<Fn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

int WindowDpi(HWND hwnd) {
  static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  UINT dpi = getDpiForWindow && hwnd ? getDpiForWindow(hwnd) : 0;
  return dpi > 0 ? static_cast<int>(dpi) : SystemDpi();
}

// The outer size of a window whose client area is `width` x `height` at `dpi`.
SIZE OuterSize(HWND hwnd, int width, int height, int dpi) {
  static const auto adjust = User32Function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
  RECT rc = {0, 0, width, height};
  DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
  DWORD extended = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE));
  if (!adjust || !adjust(&rc, style, FALSE, extended, static_cast<UINT>(dpi)))
    AdjustWindowRectEx(&rc, style, FALSE, extended);
  return {rc.right - rc.left, rc.bottom - rc.top};
}

// The manifest declares per-monitor awareness; a system that did not read it (some Wine
// versions) hears it here. Refused once the manifest has set it, which changes nothing.
void DeclareDpiAwareness() {
  static const auto set =
      User32Function<SetProcessDpiAwarenessContextFn>("SetProcessDpiAwarenessContext");
  if (!set) return;
  if (!set(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4))))  // per monitor, v2
    set(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3)));     // per monitor
}

// ---- The top-level window's messages ------------------------------------------------

using TopLevelHandler = bool (*)(HWND hwnd, WPARAM wParam, LPARAM lParam, LRESULT* result);

bool OnEraseBackground(HWND hwnd, WPARAM wParam, LPARAM, LRESULT* result) {
  // The class has no background brush: the default face colour is painted here.
  RECT client;
  GetClientRect(hwnd, &client);
  FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
  *result = 1;
  return true;
}

bool OnCommand(HWND hwnd, WPARAM wParam, LPARAM lParam, LRESULT*) {
  if (lParam == 0) return false;
  if (HIWORD(wParam) == BN_CLICKED) {
    if (ViewEvents* events = EventsOf(hwnd)) events->OnButtonClicked(LOWORD(wParam));
    return true;
  }
  if (HIWORD(wParam) == CBN_SELCHANGE || HIWORD(wParam) == CBN_CLOSEUP) {
    // The choice is told once the list has closed and the notification is over: the
    // handler may show a box, which must not open over a dropped list. A change while
    // the list is dropped waits for its close-up.
    HWND list = reinterpret_cast<HWND>(lParam);
    if (HIWORD(wParam) == CBN_CLOSEUP || !SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0))
      PostMessageW(hwnd, kListChoiceMessage, LOWORD(wParam), 0);
    return true;
  }
  return false;
}

bool OnListChoice(HWND hwnd, WPARAM wParam, LPARAM, LRESULT*) {
  HWND list = GetDlgItem(hwnd, static_cast<int>(wParam));
  int index = list ? static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0)) : CB_ERR;
  // The program ignores a choice of the item it already holds (a close-up without change).
  if (index != CB_ERR)
    if (ViewEvents* events = EventsOf(hwnd))
      events->OnListSelectionChanged(static_cast<int>(wParam), index);
  return true;
}

bool OnDropFiles(HWND hwnd, WPARAM wParam, LPARAM, LRESULT*) {
  std::vector<std::string> paths = DroppedPaths(reinterpret_cast<HDROP>(wParam));
  if (ViewEvents* events = EventsOf(hwnd)) events->OnFilesDropped(paths);
  return true;
}

bool OnGetDefaultId(HWND hwnd, WPARAM, LPARAM, LRESULT* result) {
  // The window's dialog keys (IsDialogMessage in the message loop) ask which button
  // Return presses: the push button that has the focus, and none otherwise, so that
  // Return on the table or the bare window starts nothing.
  HWND focus = GetFocus();
  const LRESULT pushButton = DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON;
  if (focus && GetParent(focus) == hwnd &&
      (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & pushButton) != 0)
    *result = MAKELRESULT(GetDlgCtrlID(focus), DC_HASDEFID);
  return true;
}

bool OnSize(HWND hwnd, WPARAM wParam, LPARAM lParam, LRESULT*) {
  if (wParam == SIZE_MINIMIZED) return false;
  if (ViewEvents* events = EventsOf(hwnd)) events->OnViewResized(LOWORD(lParam), HIWORD(lParam));
  return false;
}

bool OnGetMinMaxInfo(HWND hwnd, WPARAM, LPARAM lParam, LRESULT*) {
  ViewEvents* events = EventsOf(hwnd);
  if (!events) return false;
  int width = 0, height = 0;
  events->MinimumClientSize(&width, &height);
  if (width <= 0 || height <= 0) return false;
  SIZE outer = OuterSize(hwnd, width, height, WindowDpi(hwnd));
  auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
  info->ptMinTrackSize.x = std::max<LONG>(info->ptMinTrackSize.x, outer.cx);
  info->ptMinTrackSize.y = std::max<LONG>(info->ptMinTrackSize.y, outer.cy);
  return true;
}

bool OnDpiChanged(HWND hwnd, WPARAM wParam, LPARAM lParam, LRESULT*) {
  // The window lays itself out for the new DPI first, then takes the rectangle the system
  // suggests, which sizes it for that DPI.
  if (ViewEvents* events = EventsOf(hwnd)) events->OnDpiChanged(HIWORD(wParam));
  const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
  SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
               suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

bool OnClose(HWND hwnd, WPARAM, LPARAM, LRESULT*) {
  // The program may keep the window, say to keep edits the user would lose.
  ViewEvents* events = EventsOf(hwnd);
  if (!events || events->OnCloseRequested()) DestroyWindow(hwnd);
  return true;
}

bool OnDestroy(HWND hwnd, WPARAM, LPARAM, LRESULT*) {
  if (ViewEvents* events = EventsOf(hwnd)) events->OnViewDestroyed();
  return true;
}

struct TopLevelRoute {
  UINT message;
  TopLevelHandler handler;  // true: handled, with *result as the answer
};

constexpr UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED, which older headers lack

const TopLevelRoute kTopLevelRoutes[] = {
    {WM_ERASEBKGND, OnEraseBackground},
    {WM_COMMAND, OnCommand},
    {WM_DROPFILES, OnDropFiles},
    {DM_GETDEFID, OnGetDefaultId},
    {WM_SIZE, OnSize},
    {WM_GETMINMAXINFO, OnGetMinMaxInfo},
    {kDpiChanged, OnDpiChanged},
    {WM_CLOSE, OnClose},
    {WM_DESTROY, OnDestroy},
    {kListChoiceMessage, OnListChoice},
};

LRESULT CALLBACK TopLevelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  } else if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  }
  for (const TopLevelRoute& route : kTopLevelRoutes) {
    if (route.message != message) continue;
    LRESULT result = 0;
    try {
      if (route.handler(hwnd, wParam, lParam, &result)) return result;
    } catch (...) {
      return 0;  // nothing may unwind into the system's dispatcher
    }
    break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK HiddenProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kTaskMessage) {
    try {
      reinterpret_cast<void (*)(intptr_t)>(wParam)(static_cast<intptr_t>(lParam));
    } catch (const std::exception&) {
      // As for every window procedure: the task is over, the program goes on.
    }
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

HFONT CreateUiFont(int dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    // Systems before Vista know the structure without its last field.
    metrics.cbSize = sizeof metrics - sizeof metrics.iPaddedBorderWidth;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
  }
  // The system gives the font at its own DPI; a monitor of another DPI gets it scaled.
  metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, SystemDpi());
  // A Western system without font linking may lack the script of the window's texts.
  return CreateFontForUiTexts(metrics.lfMessageFont);
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
  DeclareDpiAwareness();
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  windowClass.lpfnWndProc = TopLevelProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hIcon = ProgramIcon(instance, SM_CXICON, SM_CYICON);        // taskbar, Alt+Tab
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
  ForgetUiFonts();
}

void ForgetUiFonts() {
  for (auto& [dpi, font] : uiFonts)
    if (font) DeleteObject(font);
  uiFonts.clear();
}

void* UiFontForDpi(int dpi) {
  HFONT& font = uiFonts[dpi];
  if (!font) font = CreateUiFont(dpi);
  return font;
}

void* UiFont() { return UiFontForDpi(SystemDpi()); }

int ViewDpi(View* view) { return WindowDpi(Hwnd(view)); }

void ViewClientSize(View* view, int* width, int* height) {
  RECT client = {0, 0, 0, 0};
  GetClientRect(Hwnd(view), &client);
  *width = client.right;
  *height = client.bottom;
}

void SetViewFont(View* view, void* font) {
  SendMessageW(Hwnd(view), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

View* CreateTopLevel(const char* caption, const Bounds& bounds, const TopLevelStyle& style,
                     ViewEvents* events) {
  DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  if (style.minimiseBox) windowStyle |= WS_MINIMIZEBOX;
  if (style.maximiseBox) windowStyle |= WS_MAXIMIZEBOX;
  if (style.resizable) windowStyle |= WS_THICKFRAME;
  DWORD extendedStyle = style.acceptsFiles ? WS_EX_ACCEPTFILES : 0;
  HWND hwnd = CreateWindowExW(extendedStyle, kWindowClass, WideFromGbk(caption).c_str(),
                              windowStyle, bounds.left, bounds.top, bounds.width, bounds.height,
                              nullptr, nullptr, GetModuleHandleW(nullptr), events);
  if (!hwnd) return nullptr;
  // Only the window knows its monitor's DPI: it takes its size for it once it exists.
  int dpi = WindowDpi(hwnd);
  int width = MulDiv(bounds.width, dpi, 96), height = MulDiv(bounds.height, dpi, 96);
  int left = MulDiv(bounds.left, dpi, 96), top = MulDiv(bounds.top, dpi, 96);
  if (style.centred) {
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    left = std::max<int>(work.left + (work.right - work.left - width) / 2, work.left);
    top = std::max<int>(work.top + (work.bottom - work.top - height) / 2, work.top);
  }
  SetWindowPos(hwnd, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(UiFontForDpi(dpi)), FALSE);
  return AsView(hwnd);
}

View* CreateButton(View* parent, int controlId, const char* caption, const Bounds& bounds) {
  HWND hwnd = CreateWindowExW(
      0, L"BUTTON", WideFromGbk(caption).c_str(), WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON,
      bounds.left, bounds.top, bounds.width, bounds.height, Hwnd(parent),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), GetModuleHandleW(nullptr), nullptr);
  if (hwnd)
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(UiFontForDpi(WindowDpi(hwnd))), FALSE);
  return AsView(hwnd);
}

namespace {

bool IsDropDownList(HWND hwnd) {
  wchar_t className[16] = L"";
  GetClassNameW(hwnd, className, 16);
  return lstrcmpiW(className, L"ComboBox") == 0;
}

// A drop-down list's window reaches down over its dropped list: the height below the
// field that the list takes.
int DroppedExtent(HWND list) {
  LRESULT item = SendMessageW(list, CB_GETITEMHEIGHT, 0, 0);
  int itemHeight = item > 0 ? static_cast<int>(item) : MulDiv(16, WindowDpi(list), 96);
  return kDroppedItems * itemHeight + 2 * GetSystemMetrics(SM_CYEDGE);
}

constexpr wchar_t kListBaseProc[] = L"SubvaneListBaseProc";

// A drop-down list with the keyboard's focus takes F4 for its own key, Alt held or not:
// Alt+F4 would drop the list down instead of closing the window.
LRESULT CALLBACK DropDownListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto base = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kListBaseProc));
  if (message == WM_SYSKEYDOWN && wParam == VK_F4 && (lParam & (1 << 29)) != 0) {
    PostMessageW(GetAncestor(hwnd, GA_ROOT), WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(base));
    RemovePropW(hwnd, kListBaseProc);
  }
  return base ? CallWindowProcW(base, hwnd, message, wParam, lParam)
              : DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

View* CreateDropDownList(View* parent, int controlId, const Bounds& bounds) {
  HWND hwnd = CreateWindowExW(
      0, L"COMBOBOX", L"", WS_CHILD | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, bounds.left,
      bounds.top, bounds.width, bounds.height, Hwnd(parent),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) return nullptr;
  SetPropW(hwnd, kListBaseProc, reinterpret_cast<HANDLE>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)));
  SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DropDownListProc));
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(UiFontForDpi(WindowDpi(hwnd))), FALSE);
  // Common Controls 6 sizes the dropped list by this count, older ones by the window.
  SendMessageW(hwnd, CB_SETMINVISIBLE, kDroppedItems, 0);
  MoveView(AsView(hwnd), bounds);
  return AsView(hwnd);
}

void SetListItems(View* view, const std::vector<std::u16string>& items) {
  HWND list = Hwnd(view);
  SendMessageW(list, CB_RESETCONTENT, 0, 0);
  // The dropped list is as wide as its longest item needs, never narrower than the field.
  HDC dc = GetDC(list);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
  int widest = 0;
  for (const std::u16string& item : items) {
    std::wstring text(item.begin(), item.end());
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    if (size.cx > widest) widest = size.cx;
  }
  SelectObject(dc, old);
  ReleaseDC(list, dc);
  RECT field;
  GetWindowRect(list, &field);
  int margins = 2 * GetSystemMetrics(SM_CXEDGE) + GetSystemMetrics(SM_CXVSCROLL) + 8;
  int width = widest + margins;
  if (width < field.right - field.left) width = field.right - field.left;
  SendMessageW(list, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(width), 0);
}

void SetListSelection(View* view, int index) {
  SendMessageW(Hwnd(view), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void ShowView(View* view, bool visible) {
  ShowWindow(Hwnd(view), visible ? SW_SHOW : SW_HIDE);
  if (visible && !GetParent(Hwnd(view))) UpdateWindow(Hwnd(view));
}

void EnableView(View* view, bool enabled) { EnableWindow(Hwnd(view), enabled ? TRUE : FALSE); }

void MoveView(View* view, const Bounds& bounds) {
  HWND hwnd = Hwnd(view);
  int height = bounds.height + (IsDropDownList(hwnd) ? DroppedExtent(hwnd) : 0);
  MoveWindow(hwnd, bounds.left, bounds.top, bounds.width, height, TRUE);
}

void SetViewWideText(View* view, std::u16string_view text) {
  std::wstring wide(text.begin(), text.end());
  SetWindowTextW(Hwnd(view), wide.c_str());
}

void DestroyView(View* view) { DestroyWindow(Hwnd(view)); }

void* NativeHandle(View* view) { return Hwnd(view); }

static_assert(kMbYesNo == MB_YESNO && kMbIconError == MB_ICONERROR &&
                  kMbIconQuestion == MB_ICONQUESTION && kMbDefButton2 == MB_DEFBUTTON2 &&
                  kMbSystemModal == MB_SYSTEMMODAL && kMbTaskModal == MB_TASKMODAL,
              "the message box flags are Windows' own");
static_assert(kIdOk == IDOK && kIdCancel == IDCANCEL && kIdAbort == IDABORT &&
                  kIdRetry == IDRETRY && kIdIgnore == IDIGNORE && kIdYes == IDYES && kIdNo == IDNO,
              "the message box buttons are Windows' own");

int ShowMessageBoxWide(const char16_t* text, const char16_t* title, uint32_t flags,
                       void* ownerNative) {
  MessageBoxFont font(reinterpret_cast<const wchar_t*>(text));
  return MessageBoxW(static_cast<HWND>(ownerNative), reinterpret_cast<const wchar_t*>(text),
                     reinterpret_cast<const wchar_t*>(title), flags);
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
  // So do Tab, Return and Escape in a modeless dialog such as the table's find dialog.
  bool dialogKeys =
      root && (lstrcmpW(className, kWindowClass) == 0 || lstrcmpW(className, kDialogClass) == 0);
  if (dialogKeys && IsDialogMessageW(root, &message)) return PumpResult::Dispatched;
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
