// Where the system meets the operating system. The Windows build implements these
// with Win32 (platform/win32/), the Linux build with a small stand-in layer of its own
// (platform/posix/). Texts crossing this boundary are code page 936 bytes; the Windows
// side converts them to UTF-16 and calls the wide functions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// ---- Process ----------------------------------------------------------------------

// Full path of the running executable (code page 936), empty if it cannot be read.
std::string ExecutablePath();
// Makes `dir` the process's current directory; false if it could not.
bool SetWorkingDirectory(const std::string& dir);
uint32_t CurrentThreadId();
[[noreturn]] void ExitProcess(int code);
// Bounds of the executable's read-only image data, where constant texts lie.
void ConstantSegment(const void** start, size_t* size);
// Sets the floating-point environment to round-to-nearest with every exception masked.
void ResetFloatingPoint();
bool OleInitialize();
void OleUninitialize();

// ---- Heap -------------------------------------------------------------------------

void* HeapAllocate(size_t bytes);                 // null when refused
void* HeapReallocate(void* block, size_t bytes);  // null when refused, block kept
void HeapFree(void* block);

// ---- Files (FileHandle values are opaque numbers, 0 on failure) -------------------

enum class FileAccess { Read, Write, ReadWrite };
enum class FileCreation { OpenExisting, TruncateOrCreate, OpenOrCreate };
enum class FileShare { ReadWrite, DenyRead, DenyWrite, DenyBoth };
intptr_t FileOpen(const char* name, FileAccess access, FileCreation creation, FileShare share);
void FileClose(intptr_t file);
bool FileWrite(intptr_t file, const void* data, size_t size);  // all bytes or false
// Reads up to `size` bytes; returns the count read, or -1 on error.
int64_t FileRead(intptr_t file, void* data, size_t size);
int64_t FileSize(intptr_t file);                 // -1 on error
int64_t FileTell(intptr_t file);                 // -1 on error
bool FileSeek(intptr_t file, int64_t position);  // from the start
// Writes `size` bytes to a new file beside `name` and, once they are all written,
// flushed and the file closed, puts that file in `name`'s place: `name` ends up with
// all of the bytes or as it was before. On failure the new file is removed; false.
bool FileWriteReplacing(const char* name, const void* data, size_t size);

// ---- Libraries ----------------------------------------------------------------------

// In the Linux build these find the stand-in layer's modules (a "kernel32.dll" among
// them) by file name, whatever the case of its letters.
intptr_t LibraryLoad(const char* fileName);
void* LibraryFind(intptr_t module, const char* exportName);  // by name
void* LibraryFindOrdinal(intptr_t module, uint16_t ordinal);
void LibraryFree(intptr_t module);

// ---- User interface -----------------------------------------------------------------

// Registers the window classes and creates the hidden window that receives requests
// from other threads; undone by ShutdownUserInterface.
void InitUserInterface();
void ShutdownUserInterface();

struct View;  // a native window or control

// Receives what happens to a top-level window and its controls.
class ViewEvents {
 public:
  virtual ~ViewEvents() = default;
  virtual void OnButtonClicked(int controlId) = 0;
  virtual void OnViewDestroyed() = 0;  // the window is gone (closed by the user or destroyed)
  // Files or folders were dropped on a window that accepts them: their full paths in
  // UTF-8, every character kept, in the order the system gave them.
  virtual void OnFilesDropped(const std::vector<std::string>& /*paths*/) {}
  // The user asks to close the window (its close box, Alt+F4, the system menu): false
  // keeps it open.
  virtual bool OnCloseRequested() { return true; }
  // The user chose item `index` (from 0) of a drop-down list among the window's controls.
  virtual void OnListSelectionChanged(int /*controlId*/, int /*index*/) {}
  // The client area changed size (pixels).
  virtual void OnViewResized(int /*width*/, int /*height*/) {}
  // The window now shows at another DPI; the size the system suggests for it follows as
  // a resize.
  virtual void OnDpiChanged(int /*dpi*/) {}
  // The least client area the user may size the window to (pixels); 0 for no limit.
  virtual void MinimumClientSize(int* width, int* height) { *width = *height = 0; }
};

struct Bounds {
  int left = 0, top = 0, width = 0, height = 0;
};

struct TopLevelStyle {
  bool centred = true;
  bool minimiseBox = true;
  bool maximiseBox = false;
  bool resizable = false;
  bool acceptsFiles = false;  // files and folders may be dropped on it
};

// A hidden top-level window whose outer size is `bounds` in 96-DPI numbers, scaled to
// the DPI of the monitor it opens on.
View* CreateTopLevel(const char* caption, const Bounds& bounds, const TopLevelStyle& style,
                     ViewEvents* events);
View* CreateButton(View* parent, int controlId, const char* caption, const Bounds& bounds);
// A drop-down list: a field at `bounds` showing the chosen item, whose list drops down
// below it. The user's choices come as OnListSelectionChanged.
View* CreateDropDownList(View* parent, int controlId, const Bounds& bounds);
// Replaces a drop-down list's items (UTF-16, so that every character shows); none chosen.
void SetListItems(View* view, const std::vector<std::u16string>& items);
// Shows item `index` (from 0) as chosen, none for -1; raises no event.
void SetListSelection(View* view, int index);
void ShowView(View* view, bool visible);
void EnableView(View* view, bool enabled);
void MoveView(View* view, const Bounds& bounds);
// Sets a view's text (a window's caption) from UTF-16, so that every character shows.
void SetViewWideText(View* view, std::u16string_view text);
void DestroyView(View* view);
// The HWND behind a view in the Windows build; the stand-in view itself elsewhere.
void* NativeHandle(View* view);

// The DPI a view shows at: its monitor's where the system tells, else the system's;
// 96 in the Linux build.
int ViewDpi(View* view);
// The size of a view's client area in pixels.
void ViewClientSize(View* view, int* width, int* height);
// Gives a control the font (a value of UiFontForDpi).
void SetViewFont(View* view, void* font);
// UiFont() at `dpi`; the fonts live until ShutdownUserInterface.
void* UiFontForDpi(int dpi);

// The font for the program's controls: the system's message font, or, where that
// font has no Chinese glyphs, a font of the system that has them. An HFONT in the
// Windows build, null elsewhere.
void* UiFont();

// The message box's style flags and the buttons it answers: Windows' own values under
// Windows' names, for code that does not include <windows.h>.
enum MessageBoxFlag : uint32_t {
  kMbOk = 0x0,              // MB_OK
  kMbIconError = 0x10,      // MB_ICONERROR
  kMbYesNo = 0x4,           // MB_YESNO
  kMbIconQuestion = 0x20,   // MB_ICONQUESTION
  kMbDefButton2 = 0x100,    // MB_DEFBUTTON2
  kMbSystemModal = 0x1000,  // MB_SYSTEMMODAL
  kMbTaskModal = 0x2000,    // MB_TASKMODAL
};
enum MessageBoxButton : int {
  kIdOk = 1,      // IDOK
  kIdCancel = 2,  // IDCANCEL
  kIdAbort = 3,   // IDABORT
  kIdRetry = 4,   // IDRETRY
  kIdIgnore = 5,  // IDIGNORE
  kIdYes = 6,     // IDYES
  kIdNo = 7,      // IDNO
};

// Message box with the style flags above (MB_*), its texts in UTF-16, which carry every
// language's characters; returns the button pressed (ID*), or 0 when the box could not be
// shown.
int ShowMessageBoxWide(const char16_t* text, const char16_t* title, uint32_t flags,
                       void* ownerNative);

// ---- Message queue ------------------------------------------------------------------

enum class PumpResult { Empty, Dispatched, Quit };
// Takes, translates and dispatches one message. With `wait`, blocks until one arrives.
// A quit message is removed and reported only when `takeQuit` is set; otherwise it
// stays queued and Quit is returned.
PumpResult PumpMessage(bool wait, bool takeQuit);
bool MessageWaiting();
void PostQuit(int code);
// Runs `task` later on the user-interface thread (from any thread).
void PostTask(void (*task)(intptr_t), intptr_t parameter);

}  // namespace platform
