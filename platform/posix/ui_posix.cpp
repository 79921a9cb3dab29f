#include <condition_variable>
#include <cstdio>
#include <deque>
#include <memory>
#include <mutex>
#include <utility>

#include "platform/platform.h"
#include "platform/posix/standin.h"
#include "platform/text_encoding.h"

namespace platform {

namespace {

struct Message {
  enum class Kind { Task, Click, Close, Drop, Choose, Quit } kind;
  View* view = nullptr;
  std::vector<std::string> paths = {};
  void (*task)(intptr_t) = nullptr;
  intptr_t parameter = 0;  // a task's, or the item a Choose message picks
};

struct StandIn {
  std::vector<std::unique_ptr<View>> views;
  std::vector<View*> viewList;
  std::vector<standin::MessageBoxCall> boxes;
  std::function<int(const standin::MessageBoxCall&)> responder;
  std::deque<Message> queue;
  std::mutex lock;  // guards `queue`: tasks may be posted from other threads
  std::condition_variable arrived;
};

StandIn& S() {
  // Never destroyed: windows that outlive main() still reach their views.
  static StandIn* s = new StandIn;
  return *s;
}

View* NewView(View::Kind kind, View* parent) {
  auto view = std::make_unique<View>();
  view->kind = kind;
  view->parent = parent;
  View* raw = view.get();
  if (parent) parent->children.push_back(raw);
  S().views.push_back(std::move(view));
  S().viewList.push_back(raw);
  return raw;
}

void Post(Message message) {
  {
    std::lock_guard<std::mutex> guard(S().lock);
    S().queue.push_back(message);
  }
  S().arrived.notify_one();
}

// Can the user's mouse reach this control now?
bool Usable(const View* view) {
  return !view->destroyed && view->enabled && view->visible && view->parent &&
         !view->parent->destroyed && view->parent->enabled;
}

void Dispatch(const Message& message) {
  View* view = message.view;
  switch (message.kind) {
    case Message::Kind::Task:
      message.task(message.parameter);
      break;
    case Message::Kind::Click:
      if (Usable(view) && view->parent->events)
        view->parent->events->OnButtonClicked(view->controlId);
      break;
    case Message::Kind::Choose: {
      int index = static_cast<int>(message.parameter);
      if (!Usable(view) || index < 0 || index >= static_cast<int>(view->items.size())) break;
      view->selection = index;
      if (view->parent->events)
        view->parent->events->OnListSelectionChanged(view->controlId, index);
      break;
    }
    case Message::Kind::Close:
      if (!view->destroyed && (!view->events || view->events->OnCloseRequested()))
        DestroyView(view);
      break;
    case Message::Kind::Drop:
      // As on Windows, only a shown, enabled window that accepts files takes a drop.
      if (!view->destroyed && view->visible && view->enabled && view->style.acceptsFiles &&
          view->events) {
        view->events->OnFilesDropped(message.paths);
      }
      break;
    case Message::Kind::Quit:
      break;
  }
}

// A view's caption as made from code page 936.
void SetViewText(View* view, const char* text) {
  view->text = text ? text : "";
  view->wideText = Cp936ToUtf16(view->text);
}

}  // namespace

void InitUserInterface() {}
void ShutdownUserInterface() {}
void* UiFont() { return nullptr; }
void* UiFontForDpi(int) { return nullptr; }
int ViewDpi(View*) { return 96; }

void ViewClientSize(View* view, int* width, int* height) {
  *width = view->bounds.width;
  *height = view->bounds.height;
}

void SetViewFont(View*, void*) {}

View* CreateTopLevel(const char* caption, const Bounds& bounds, const TopLevelStyle& style,
                     ViewEvents* events) {
  View* view = NewView(View::Kind::TopLevel, nullptr);
  SetViewText(view, caption);
  view->bounds = bounds;
  view->style = style;
  view->events = events;
  return view;
}

View* CreateButton(View* parent, int controlId, const char* caption, const Bounds& bounds) {
  View* view = NewView(View::Kind::Button, parent);
  view->controlId = controlId;
  SetViewText(view, caption);
  view->bounds = bounds;
  return view;
}

View* CreateDropDownList(View* parent, int controlId, const Bounds& bounds) {
  View* view = NewView(View::Kind::DropDownList, parent);
  view->controlId = controlId;
  view->bounds = bounds;
  return view;
}

void SetListItems(View* view, const std::vector<std::u16string>& items) {
  view->items = items;
  view->selection = -1;
}

void SetListSelection(View* view, int index) {
  view->selection = index >= 0 && index < static_cast<int>(view->items.size()) ? index : -1;
}

void ShowView(View* view, bool visible) { view->visible = visible; }
void EnableView(View* view, bool enabled) { view->enabled = enabled; }
void MoveView(View* view, const Bounds& bounds) { view->bounds = bounds; }
void SetViewWideText(View* view, std::u16string_view text) {
  view->wideText = text;
  view->text = Utf16ToCp936(text);
}

void DestroyView(View* view) {
  if (view->destroyed) return;
  view->destroyed = true;
  view->visible = false;
  for (View* child : view->children) DestroyView(child);
  if (view->events) view->events->OnViewDestroyed();
}

void* NativeHandle(View* view) { return view; }

// Recorded in code page 936, as the program's commands hand texts over.
int ShowMessageBoxWide(const char16_t* text, const char16_t* title, uint32_t flags, void*) {
  standin::MessageBoxCall call{Utf16ToCp936(text ? text : u""), Utf16ToCp936(title ? title : u""),
                               flags};
  S().boxes.push_back(call);
  std::fprintf(stderr, "[message box] %s: %s\n", call.title.c_str(), call.text.c_str());
  return S().responder ? S().responder(call) : 1;
}

PumpResult PumpMessage(bool wait, bool takeQuit) {
  Message message{};
  {
    std::unique_lock<std::mutex> guard(S().lock);
    if (S().queue.empty()) {
      if (!wait) return PumpResult::Empty;
      S().arrived.wait(guard, [] { return !S().queue.empty(); });
    }
    message = S().queue.front();
    if (message.kind == Message::Kind::Quit) {
      if (takeQuit) S().queue.pop_front();
      return PumpResult::Quit;
    }
    S().queue.pop_front();
  }
  Dispatch(message);
  return PumpResult::Dispatched;
}

bool MessageWaiting() {
  std::lock_guard<std::mutex> guard(S().lock);
  return !S().queue.empty();
}

void PostQuit(int code) {
  Message message{Message::Kind::Quit};
  message.parameter = code;
  Post(message);
}

void PostTask(void (*task)(intptr_t), intptr_t parameter) {
  Message message{Message::Kind::Task};
  message.task = task;
  message.parameter = parameter;
  Post(message);
}

namespace standin {

const std::vector<View*>& Views() { return S().viewList; }

View* FindView(const std::string& text) {
  for (View* view : S().viewList)
    if (!view->destroyed && view->text == text) return view;
  return nullptr;
}

void Click(View* button) {
  Message message{Message::Kind::Click};
  message.view = button;
  Post(message);
}

void DropFiles(View* window, std::vector<std::string> paths) {
  Message message{Message::Kind::Drop};
  message.view = window;
  message.paths = std::move(paths);
  Post(message);
}

void Resize(View* window, int width, int height) {
  window->bounds.width = width;
  window->bounds.height = height;
  if (!window->destroyed && window->events) window->events->OnViewResized(width, height);
}

void Close(View* window) {
  Message message{Message::Kind::Close};
  message.view = window;
  Post(message);
}

std::vector<View*> DropDownLists() {
  std::vector<View*> lists;
  for (View* view : S().viewList)
    if (!view->destroyed && view->kind == View::Kind::DropDownList) lists.push_back(view);
  return lists;
}

void ChooseListItem(View* list, int index) {
  Message message{Message::Kind::Choose};
  message.view = list;
  message.parameter = index;
  Post(message);
}

const std::vector<MessageBoxCall>& MessageBoxes() { return S().boxes; }

void SetMessageBoxResponder(std::function<int(const MessageBoxCall&)> responder) {
  S().responder = std::move(responder);
}

void Reset() {
  std::lock_guard<std::mutex> guard(S().lock);
  S().queue.clear();
  S().boxes.clear();
  S().responder = nullptr;
  S().viewList.clear();
  S().views.clear();
}

}  // namespace standin
}  // namespace platform
