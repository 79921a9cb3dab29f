// A window written as typed entries: each component's id, type, place and handler
// routines are named by the constants and functions that the program already has, so a
// mismatch fails to compile. The description writes itself in the stored form that
// ParseWindowTemplates reads, and numbers the routines it names.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "runtime/component.h"

namespace rt {

// One window or component as it will be stored. Settings keep the order given.
struct DescribedEntry {
  ComponentId id = 0;
  uint32_t type = 0;
  std::string name;  // code page 936
  std::string text;  // a window's caption, a button's text
  platform::Bounds bounds;
  bool visible = true;
  bool disabled = false;
  std::vector<std::pair<int32_t, EventHandler>> handlers;  // event number, routine
  std::vector<std::pair<std::string, std::string>> settings;
};

// An entry of `type` with its id, stored name and place; the builders below and those
// of other component types fill in the rest.
DescribedEntry ComponentEntry(ComponentId id, uint32_t type, const char* name,
                              const platform::Bounds& bounds = {});

// What a top-level window allows the user to do with it.
struct WindowLook {
  bool centred = true;
  bool minimiseBox = true;
  bool maximiseBox = false;
  bool resizable = false;
  bool acceptsFiles = false;
};

// Which edges of a component follow the window's right and bottom edges when the window
// changes size: a component anchored on both sides of an axis stretches along it.
enum Anchor : uint32_t {
  kAnchorLeftTop = 0,
  kAnchorRight = 1,
  kAnchorBottom = 2,
};

// The window itself; `handlers` pairs its event numbers with their routines.
DescribedEntry WindowEntry(ComponentId id, const char* name, const char* caption,
                           const platform::Bounds& bounds, const WindowLook& look,
                           std::initializer_list<std::pair<int32_t, EventHandler>> handlers);

// Whether a button takes clicks when the window opens.
enum class Enabled { kYes, kNo };

// A push button whose click runs `onClick`.
DescribedEntry ButtonEntry(ComponentId id, const char* name, const char* caption,
                           const platform::Bounds& bounds, EventHandler onClick,
                           Enabled enabled = Enabled::kYes);

// Stores `anchors` (kAnchorRight | kAnchorBottom ...) in the entry's settings.
DescribedEntry Anchored(DescribedEntry entry, uint32_t anchors);

// The stored value of a component's "anchor" setting; kAnchorLeftTop when absent.
uint32_t AnchorsOf(const ComponentTemplate& entry);

class WindowDescription {
 public:
  // The window's own entry, then its components in the order the window creates them.
  WindowDescription(DescribedEntry window, std::initializer_list<DescribedEntry> components);

  const std::vector<DescribedEntry>& Entries() const { return entries_; }
  // The stored text of this window: one line per entry, routines numbered as Routines()
  // lists them.
  std::string StoredText() const;
  // Every routine the entries name, each once, in the order of first mention.
  const std::vector<EventHandler>& Routines() const { return routines_; }

 private:
  int32_t RoutineNumber(EventHandler handler) const;

  std::vector<DescribedEntry> entries_;
  std::vector<EventHandler> routines_;
};

// A value as the stored form writes it: bare when it is a plain word, else quoted with
// its quotes, backslashes and line breaks escaped (double-byte characters kept whole).
std::string StoredValue(const std::string& value);
// A switch as the stored form writes it: "1" or "0".
inline const char* StoredFlag(bool on) { return on ? "1" : "0"; }
// A number as the stored form writes ids, types and colours: 0x and eight hex digits.
std::string StoredHex(uint32_t value);

}  // namespace rt
