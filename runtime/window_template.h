// The stored form of window templates: text in code page 936, one line per entry.
//
//   window    id=0x52010001 type=0x00010001 name=启动窗口 text="Subvane" left=50 top=50
//             width=738 height=387 on0=0 set.centred=1
//   component id=0x56010002 type=0x00010006 name=解析按钮 text="解析" left=8 top=24
//             width=80 height=40 disabled=0 on0=1
//
// (each entry on one line). A `window` line starts a template; the `component` lines
// after it belong to it. Keys: id, type, name, text, left, top, width, height,
// visible, disabled, link, on<event>=<routine entry> (-1 for none), set.<key>=<value>
// for the kind's own settings. Values are bare words or "quoted" with \" \\ \r \n
// escapes; numbers are decimal or 0x-prefixed hexadecimal. Blank lines and lines
// starting with # are ignored.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "runtime/component.h"

namespace rt {

// Reads every template of the segment; false (with `error` saying where) on bad data.
bool ParseWindowTemplates(const char* segment, size_t size, std::vector<WindowTemplate>* out,
                          std::string* error);

}  // namespace rt
