// The Linux build's stand-in for the Windows user interface: windows and buttons held
// in memory, a message queue, and message boxes answered by the test that drives them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {

struct View {
  enum class Kind { TopLevel, Button, DropDownList } kind = Kind::TopLevel;
  int controlId = 0;
  std::string text;         // code page 936; '?' for what a wide text held beyond it
  std::u16string wideText;  // as SetViewWideText gave it, else `text` in UTF-16
  Bounds bounds;
  TopLevelStyle style;
  bool visible = false;
  bool enabled = true;
  bool destroyed = false;
  View* parent = nullptr;
  ViewEvents* events = nullptr;
  std::vector<View*> children;
  std::vector<std::u16string> items;  // a drop-down list's
  int selection = -1;                 // a drop-down list's chosen item
};

namespace standin {

// Every view made since the last Reset, in creation order (destroyed ones included).
const std::vector<View*>& Views();
// The live view with this text (a caption or a button's text), or null.
View* FindView(const std::string& text);
// Queues a click as the user's mouse would make it: ignored when the button is
// disabled, hidden or gone by the time the message is dispatched.
void Click(View* button);
// Queues a drop of files or folders (paths in UTF-8) on a top-level window, as
// the user's mouse would make it: ignored unless the window accepts files and is shown
// and enabled when the message is dispatched.
void DropFiles(View* window, std::vector<std::string> paths);
// Sizes a top-level window as the user's sizing border would, at once; the stand-in's
// client area is the whole window.
void Resize(View* window, int width, int height);
// Queues the user's close of a top-level window.
void Close(View* window);
// The live drop-down lists, in creation order.
std::vector<View*> DropDownLists();
// Queues the user's choice of item `index` in a drop-down list, as the mouse would make
// it: ignored when the list is disabled, hidden or gone by the time it is dispatched.
void ChooseListItem(View* list, int index);

struct MessageBoxCall {
  std::string text;
  std::string title;
  uint32_t flags;
};
// Boxes shown so far.
const std::vector<MessageBoxCall>& MessageBoxes();
// Answers the next boxes; the default answers IDOK (1). The box is also written to
// standard error, so that a test of a dying process can read it.
void SetMessageBoxResponder(std::function<int(const MessageBoxCall&)> responder);

// What ProgramArguments and UserInterfaceLanguage answer from now on.
void SetProgramArguments(std::vector<std::u16string> arguments);
void SetUserInterfaceLanguage(uint16_t languageId);

// Makes every heap allocation of more than `bytes` fail (0 lifts the limit).
void FailAllocationsAbove(size_t bytes);
// Forgets every view, queued message and recorded box.
void Reset();

}  // namespace standin
}  // namespace platform
