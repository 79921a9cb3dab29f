// The texts that the window shows for editing its table: the context menu, the find,
// replace and time-shift dialogs and their messages. Chinese, all in this one table, so
// that a language catalogue can take them over; "{0}" stands for the one value a text
// carries.
#pragma once

#include "ui/text_convert.h"

namespace ui::texts {

// The context menu, each item with its shortcut after the tab.
constexpr char16_t kMenuUndo[] = u"撤销(&U)\tCtrl+Z";
constexpr char16_t kMenuRedo[] = u"重做(&R)\tCtrl+Y";
constexpr char16_t kMenuCut[] = u"剪切(&T)\tCtrl+X";
constexpr char16_t kMenuCopy[] = u"复制(&C)\tCtrl+C";
constexpr char16_t kMenuPaste[] = u"粘贴(&P)\tCtrl+V";
constexpr char16_t kMenuDelete[] = u"删除(&D)\tDel";
constexpr char16_t kMenuFind[] = u"查找(&F)…\tCtrl+F";
constexpr char16_t kMenuReplace[] = u"替换(&E)…\tCtrl+H";
constexpr char16_t kMenuShiftTimes[] = u"调整时间(&S)…\tCtrl+T";
constexpr char16_t kMenuDeleteRows[] = u"删除行(&L)\tCtrl+Del";

// Find and replace.
constexpr char16_t kFindTitle[] = u"查找";
constexpr char16_t kReplaceTitle[] = u"替换";
constexpr char16_t kNotFound[] = u"找不到“{0}”。";
constexpr char16_t kReplacedCount[] = u"已替换 {0} 处。";

// The time-shift dialog.
constexpr char16_t kShiftTitle[] = u"调整时间";
constexpr char16_t kShiftPrompt[] = u"字幕移动的秒数（负数为提前），如 2.5、-1.5、0.040：";
constexpr char16_t kShiftSelectedOnly[] = u"只移动选中的行";
constexpr char16_t kOk[] = u"确定";
constexpr char16_t kCancel[] = u"取消";
constexpr char16_t kShiftNotSeconds[] = u"“{0}”不是秒数。请输入如 2.5、-1.5 或 0.040 这样的秒数。";
constexpr char16_t kShiftBeforeZero[] =
    u"无法调整时间：第 {0} 行的开始时间将早于 00:00:00,000。没有改动任何字幕。";
constexpr char16_t kShiftNoTimeRange[] =
    u"无法调整时间：第 {0} 行的时间不是“00:00:01,000 --> 00:00:02,500”这样的时间范围。"
    u"没有改动任何字幕。";

// `text` with its "{0}" replaced by `value`.
inline WideText WithValue(const char16_t* text, const WideText& value) {
  WideText out(text);
  size_t at = out.find(u"{0}");
  if (at != WideText::npos) out.replace(at, 3, value);
  return out;
}

}  // namespace ui::texts
