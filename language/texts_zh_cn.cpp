// Simplified Chinese: the window's own texts.
#include <iterator>

#include "language/catalogue.h"

namespace language {
namespace {

constexpr CatalogueEntry kEntries[] = {
    {TextId::kParseButton, u"解析"},
    {TextId::kExportButton, u"导出"},
    {TextId::kColumnSerial, u"序号"},
    {TextId::kColumnTimeRange, u"时间戳"},
    {TextId::kColumnText, u"字幕文本"},
    {TextId::kTrackListAll, u"全部轨道（{0} 条）"},
    {TextId::kTrackListMerged, u"全部轨道合并为双语（{0} 条）"},
    {TextId::kTrackListTrack, u"轨道 {0}：{1}（{2} 条）"},

    {TextId::kOpenDialogTitle, u"打开JSON文件"},
    {TextId::kOpenTypeJson, u"JSON文件（*.json）"},
    {TextId::kSaveDialogTitle, u"保存{0}文件"},
    {TextId::kSaveTypeSrt, u"字幕文件（*.srt）"},
    {TextId::kSaveTypeUtf8Srt, u"字幕文件 UTF-8（*.srt）"},
    {TextId::kSaveTypeWebVtt, u"WebVTT 字幕（*.vtt）"},
    {TextId::kSaveTypeText, u"纯文本（*.txt）"},
    {TextId::kSaveTypeAss, u"ASS 字幕（*.ass）"},
    {TextId::kFileNameTooLong,
     u"所选文件的完整路径太长，无法使用。请选择路径较短的文件夹或较短的文件名。"},

    {TextId::kMessageTitle, u"信息："},
    {TextId::kParseDone, u"解析完成"},
    {TextId::kParseDoneNoCaptions, u"解析完成，但时间线上没有字幕。"},
    {TextId::kParseDonePlainCopy,
     u"解析完成。草稿已被剪映加密，字幕取自较早的未加密副本 {0}（保存于 {1}），可能不是最新内容。"},
    {TextId::kDraftEncrypted,
     u"无法解析所选文件：该草稿已被剪映加密（6.0 及以上版本），无法读取字幕。"
     u"请在剪映中使用自带的字幕导出功能。"},
    {TextId::kDraftTooLarge, u"无法解析所选文件：草稿太大，内存不足。"},
    {TextId::kDraftNotValid, u"无法解析所选文件：它不是有效的剪映草稿（JSON）。"},
    {TextId::kFolderWithoutDraft,
     u"无法解析所选文件夹：其中没有剪映草稿（draft_content.json 或 draft_info.json）。"},
    {TextId::kUnexportedEditsQuestion, u"表格中的修改还没有导出，继续将丢失这些修改。要继续吗？"},
    {TextId::kExportDone, u"导出完成"},
    {TextId::kExportDoneLostCharacters,
     u"导出完成，但有 {0} 个字符无法用 GBK 表示，已写作“?”。"
     u"要保留全部字符，请在保存类型中选择“字幕文件 UTF-8”。"},
    {TextId::kExportBadTime,
     u"无法导出为 {0}：第 {1} 行的时间不是“00:00:01,000 --> 00:00:02,500”这样的时间范围，"
     u"或结束早于开始。请改正后再导出。"},
    {TextId::kExportFailed, u"导出失败：无法写入所选文件。"},

    {TextId::kMenuUndo, u"撤销(&U)\tCtrl+Z"},
    {TextId::kMenuRedo, u"重做(&R)\tCtrl+Y"},
    {TextId::kMenuCut, u"剪切(&T)\tCtrl+X"},
    {TextId::kMenuCopy, u"复制(&C)\tCtrl+C"},
    {TextId::kMenuPaste, u"粘贴(&P)\tCtrl+V"},
    {TextId::kMenuDelete, u"删除(&D)\tDel"},
    {TextId::kMenuFind, u"查找(&F)…\tCtrl+F"},
    {TextId::kMenuReplace, u"替换(&E)…\tCtrl+H"},
    {TextId::kMenuShiftTimes, u"调整时间(&S)…\tCtrl+T"},
    {TextId::kMenuDeleteRows, u"删除行(&L)\tCtrl+Del"},

    {TextId::kFindTitle, u"查找"},
    {TextId::kReplaceTitle, u"替换"},
    {TextId::kNotFound, u"找不到“{0}”。"},
    {TextId::kReplacedCount, u"已替换 {0} 处。"},
    {TextId::kShiftTitle, u"调整时间"},
    {TextId::kShiftPrompt, u"字幕移动的秒数（负数为提前），如 2.5、-1.5、0.040："},
    {TextId::kShiftSelectedOnly, u"只移动选中的行"},
    {TextId::kOk, u"确定"},
    {TextId::kCancel, u"取消"},
    {TextId::kShiftNotSeconds, u"“{0}”不是秒数。请输入如 2.5、-1.5 或 0.040 这样的秒数。"},
    {TextId::kShiftBeforeZero,
     u"无法调整时间：第 {0} 行的开始时间将早于 00:00:00,000。没有改动任何字幕。"},
    {TextId::kShiftNoTimeRange,
     u"无法调整时间：第 {0} 行的时间不是“00:00:01,000 --> 00:00:02,500”这样的时间范围。"
     u"没有改动任何字幕。"},

    {TextId::kUnknownLanguage, u"未知的语言代码“{0}”。可用的代码：{1}。窗口将使用系统的语言。"},

    {TextId::kErrorTitle, u"错误"},
    {TextId::kErrorReportHeading, u"运行时出错!"},
    {TextId::kErrorReportCode, u"错误代码：{0}"},
    {TextId::kErrorReportMessage, u"错误信息：{0}"},
    {TextId::kErrorWindowNotFound, u"未找到所指定的窗口"},
    {TextId::kErrorComponentNotFound, u"未找到所指定的窗口组件"},
    {TextId::kErrorIndexOutOfRange, u"数组成员引用下标超出定义范围"},
    {TextId::kErrorNumberExpected, u"未得到所需要的数值型数据"},
    {TextId::kErrorDimensionMismatch, u"引用数组成员时维数不为1且不等于该数组目前所具有的维数"},
    {TextId::kErrorIndexBelowOne, u"数组成员引用下标必须大于等于1"},
    {TextId::kErrorTypeMismatch, u"数据或数组类型不匹配"},
    {TextId::kErrorDllStack, u"调用DLL命令后发现堆栈错误"},
    {TextId::kErrorSubStatementValue, u"子语句参数未返回数据或者返回了非系统基本类型或数组型数据"},
    {TextId::kErrorCompareEqualOnly, u"被比较数据只能使用等于或不等于命令比较"},
    {TextId::kErrorChoiceIndex, u"“多项选择”命令的索引值参数小于零或超出了所提供参数表范围"},
    {TextId::kErrorRedimension, u"“重定义数组”命令的数组维定义参数值必须大于零或单维时大于等于零"},
    {TextId::kErrorArgumentType, u"所提供参数的数据类型不符合要求"},
    {TextId::kErrorAllocationFailed, u"分配 {0} 字节内存失败!"},
    {TextId::kErrorDllCommandNotFound, u"无法找到指定DLL库文件中的输出命令“{0}”"},
    {TextId::kErrorDllCommandNotFoundInLibrary, u"无法找到指定DLL库文件“{0}”中的输出命令“{1}”"},
    {TextId::kErrorDllCommandUndefined, u"DLL命令号{0}未定义"},
    {TextId::kErrorWindowNotLoaded, u"未载入欲访问窗口组件所在的窗口"},
    {TextId::kErrorComponentMissing, u"指定窗口或窗口组件不存在或尚未载入"},
    {TextId::kErrorReadPropertyWindowNotLoaded, u"读取组件属性时发现指定窗口尚未载入"},
    {TextId::kErrorWritePropertyWindowNotLoaded, u"修改组件属性时发现指定窗口尚未载入"},
    {TextId::kErrorTemplateData, u"载入窗口模板数据段出错!"},
    {TextId::kErrorStartWindow, u"载入启动窗口失败"},
    {TextId::kErrorEventOutOfMemory, u"内存不足，操作未能完成。"},
    {TextId::kErrorEventWindowNotFound, u"未找到引发事件的窗口"},
    {TextId::kErrorEventComponentNotFound, u"未找到引发事件的窗口组件"},
    {TextId::kErrorEventComponentInvalid, u"引发事件的窗口组件无效"},
    {TextId::kErrorInternal, u"程序内部错误：{0}"},
    {TextId::kErrorDataTypeArgument, u"“欲取出数据的类型”参数值无效"},
};

}  // namespace

Catalogue SimplifiedChineseCatalogue() { return {kEntries, std::size(kEntries)}; }

}  // namespace language
