#include "runtime/window_description.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/text_encoding.h"

namespace rt {

namespace {

constexpr char kAnchorKey[] = "anchor";

}  // namespace

std::string StoredHex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
  return text;
}

DescribedEntry ComponentEntry(ComponentId id, uint32_t type, const char* name,
                              const platform::Bounds& bounds) {
  DescribedEntry entry;
  entry.id = id;
  entry.type = type;
  entry.name = name;
  entry.bounds = bounds;
  return entry;
}

DescribedEntry WindowEntry(ComponentId id, const char* name, const char* caption,
                           const platform::Bounds& bounds, const WindowLook& look,
                           std::initializer_list<std::pair<int32_t, EventHandler>> handlers) {
  DescribedEntry entry = ComponentEntry(id, kComponentWindow, name, bounds);
  entry.text = caption;
  entry.handlers = handlers;
  entry.settings = {{"centred", StoredFlag(look.centred)},
                    {"minimiseBox", StoredFlag(look.minimiseBox)},
                    {"maximiseBox", StoredFlag(look.maximiseBox)},
                    {"resizable", StoredFlag(look.resizable)},
                    {"acceptsFiles", StoredFlag(look.acceptsFiles)}};
  return entry;
}

DescribedEntry ButtonEntry(ComponentId id, const char* name, const char* caption,
                           const platform::Bounds& bounds, EventHandler onClick, Enabled enabled) {
  DescribedEntry entry = ComponentEntry(id, kComponentButton, name, bounds);
  entry.text = caption;
  entry.disabled = enabled == Enabled::kNo;
  entry.handlers = {{kEventButtonClicked, onClick}};
  return entry;
}

DescribedEntry Anchored(DescribedEntry entry, uint32_t anchors) {
  entry.settings.emplace_back(kAnchorKey, std::to_string(anchors));
  return entry;
}

uint32_t AnchorsOf(const ComponentTemplate& entry) {
  auto found = entry.settings.find(kAnchorKey);
  if (found == entry.settings.end()) return kAnchorLeftTop;
  return static_cast<uint32_t>(std::strtoul(found->second.c_str(), nullptr, 0)) &
         (kAnchorRight | kAnchorBottom);
}

WindowDescription::WindowDescription(DescribedEntry window,
                                     std::initializer_list<DescribedEntry> components) {
  entries_.push_back(std::move(window));
  entries_.insert(entries_.end(), components.begin(), components.end());
  for (const DescribedEntry& entry : entries_)
    for (const auto& handler : entry.handlers)
      if (handler.second &&
          std::find(routines_.begin(), routines_.end(), handler.second) == routines_.end())
        routines_.push_back(handler.second);
}

int32_t WindowDescription::RoutineNumber(EventHandler handler) const {
  auto found = std::find(routines_.begin(), routines_.end(), handler);
  return found == routines_.end() ? -1 : static_cast<int32_t>(found - routines_.begin());
}

std::string WindowDescription::StoredText() const {
  std::string out;
  for (size_t i = 0; i < entries_.size(); ++i) {
    const DescribedEntry& e = entries_[i];
    out += i == 0 ? "window" : "component";
    out += " id=" + StoredHex(static_cast<uint32_t>(e.id)) + " type=" + StoredHex(e.type);
    if (!e.name.empty()) out += " name=" + StoredValue(e.name);
    if (!e.text.empty()) out += " text=" + StoredValue(e.text);
    out += " left=" + std::to_string(e.bounds.left) + " top=" + std::to_string(e.bounds.top) +
           " width=" + std::to_string(e.bounds.width) +
           " height=" + std::to_string(e.bounds.height);
    if (!e.visible) out += " visible=0";
    if (e.disabled) out += " disabled=1";
    for (const auto& handler : e.handlers)
      out += " on" + std::to_string(handler.first) + "=" +
             std::to_string(RoutineNumber(handler.second));
    for (const auto& setting : e.settings)
      out += " set." + setting.first + "=" + StoredValue(setting.second);
    out += "\n";
  }
  return out;
}

std::string StoredValue(const std::string& value) {
  bool plain = !value.empty() && value[0] != '"';
  for (char c : value)
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') plain = false;
  if (plain) return value;
  std::string out = "\"";
  for (size_t i = 0; i < value.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(value[i]);
    if (platform::Cp936CharLength(value, i) == 2) {
      // A double-byte character: its trail byte may look like a backslash.
      out += value[i];
      out += value[++i];
      continue;
    }
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        out += static_cast<char>(c);
        break;
    }
  }
  return out + "\"";
}

}  // namespace rt
