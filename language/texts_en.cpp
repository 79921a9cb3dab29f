// English: also the window's language for every Windows language without a catalogue.
#include <iterator>

#include "language/catalogue.h"

namespace language {
namespace {

constexpr CatalogueEntry kEntries[] = {
    {TextId::kParseButton, u"Open"},
    {TextId::kExportButton, u"Export"},
    {TextId::kColumnSerial, u"No."},
    {TextId::kColumnTimeRange, u"Time"},
    {TextId::kColumnText, u"Caption"},
    {TextId::kTrackListAll, u"All tracks ({0} captions)"},
    {TextId::kTrackListMerged, u"All tracks as bilingual captions ({0})"},
    {TextId::kTrackListTrack, u"Track {0}: {1} ({2} captions)"},

    {TextId::kOpenDialogTitle, u"Open JSON file"},
    {TextId::kOpenTypeJson, u"JSON files (*.json)"},
    {TextId::kSaveDialogTitle, u"Save {0} file"},
    {TextId::kSaveTypeSrt, u"Captions (*.srt)"},
    {TextId::kSaveTypeUtf8Srt, u"Captions UTF-8 (*.srt)"},
    {TextId::kSaveTypeWebVtt, u"WebVTT captions (*.vtt)"},
    {TextId::kSaveTypeText, u"Plain text (*.txt)"},
    {TextId::kSaveTypeAss, u"ASS captions (*.ass)"},
    {TextId::kFileNameTooLong,
     u"The full path of the chosen file is too long to use. Choose a folder with a shorter "
     u"path or a shorter file name."},

    {TextId::kMessageTitle, u"Information"},
    {TextId::kParseDone, u"Project opened."},
    {TextId::kParseDoneNoCaptions, u"Project opened, but the timeline has no captions."},
    {TextId::kParseDonePlainCopy,
     u"Project opened. The editor has encrypted this project, so the captions come from an "
     u"older unencrypted copy, {0} (saved {1}), and may not be the latest."},
    {TextId::kDraftEncrypted,
     u"Cannot open the selected file: the editor has encrypted this project (JianyingPro 6.0 "
     u"or later), so its captions cannot be read. Use the editor's own caption export."},
    {TextId::kDraftTooLarge,
     u"Cannot open the selected file: the project is too large for the available memory."},
    {TextId::kDraftNotValid,
     u"Cannot open the selected file: it is not a valid CapCut project (JSON)."},
    {TextId::kFolderWithoutDraft,
     u"Cannot open the selected folder: it holds no CapCut project (draft_content.json or "
     u"draft_info.json)."},
    {TextId::kUnexportedEditsQuestion,
     u"The changes in the table have not been exported yet; continuing will lose them. Continue?"},
    {TextId::kExportDone, u"Export complete."},
    {TextId::kExportDoneLostCharacters,
     u"Export complete, but {0} characters have no GBK form and were written as “?”. "
     u"To keep every character, choose “Captions UTF-8” as the file type."},
    {TextId::kExportBadTime,
     u"Cannot export as {0}: the time in row {1} is not a time range such as "
     u"“00:00:01,000 --> 00:00:02,500”, or it ends before it starts. "
     u"Correct it and export again."},
    {TextId::kExportFailed, u"Export failed: the selected file cannot be written."},

    {TextId::kMenuUndo, u"&Undo\tCtrl+Z"},
    {TextId::kMenuRedo, u"&Redo\tCtrl+Y"},
    {TextId::kMenuCut, u"Cu&t\tCtrl+X"},
    {TextId::kMenuCopy, u"&Copy\tCtrl+C"},
    {TextId::kMenuPaste, u"&Paste\tCtrl+V"},
    {TextId::kMenuDelete, u"&Delete\tDel"},
    {TextId::kMenuFind, u"&Find…\tCtrl+F"},
    {TextId::kMenuReplace, u"R&eplace…\tCtrl+H"},
    {TextId::kMenuShiftTimes, u"&Shift times…\tCtrl+T"},
    {TextId::kMenuDeleteRows, u"De&lete rows\tCtrl+Del"},

    {TextId::kFindTitle, u"Find"},
    {TextId::kReplaceTitle, u"Replace"},
    {TextId::kNotFound, u"Cannot find “{0}”."},
    {TextId::kReplacedCount, u"{0} occurrences replaced."},
    {TextId::kShiftTitle, u"Shift times"},
    {TextId::kShiftPrompt,
     u"Seconds to move the captions by (negative moves them earlier), e.g. 2.5, -1.5, 0.040:"},
    {TextId::kShiftSelectedOnly, u"Move only the selected rows"},
    {TextId::kOk, u"OK"},
    {TextId::kCancel, u"Cancel"},
    {TextId::kShiftNotSeconds,
     u"“{0}” is not a number of seconds. Enter seconds such as 2.5, -1.5 or 0.040."},
    {TextId::kShiftBeforeZero,
     u"Cannot shift times: row {0} would start before 00:00:00,000. No caption was changed."},
    {TextId::kShiftNoTimeRange,
     u"Cannot shift times: the time in row {0} is not a time range such as "
     u"“00:00:01,000 --> 00:00:02,500”. No caption was changed."},

    {TextId::kUnknownLanguage,
     u"Unknown language code “{0}”. Known codes: {1}. The window uses the system's "
     u"language."},

    {TextId::kErrorTitle, u"Error"},
    {TextId::kErrorReportHeading, u"Run-time error!"},
    {TextId::kErrorReportCode, u"Error code: {0}"},
    {TextId::kErrorReportMessage, u"Error message: {0}"},
    {TextId::kErrorWindowNotFound, u"The requested window was not found"},
    {TextId::kErrorComponentNotFound, u"The requested control was not found"},
    {TextId::kErrorIndexOutOfRange, u"An array index is outside the array's defined range"},
    {TextId::kErrorNumberExpected, u"A numeric value was expected"},
    {TextId::kErrorDimensionMismatch,
     u"An array element was referenced with a number of indexes that is neither 1 nor the "
     u"array's current number of dimensions"},
    {TextId::kErrorIndexBelowOne, u"An array index must be 1 or greater"},
    {TextId::kErrorTypeMismatch, u"Data or array types do not match"},
    {TextId::kErrorDllStack, u"Stack error found after calling a DLL command"},
    {TextId::kErrorSubStatementValue,
     u"A subexpression argument returned no data, or data that is neither a basic type nor an "
     u"array"},
    {TextId::kErrorCompareEqualOnly, u"This data can only be compared for equal or not equal"},
    {TextId::kErrorChoiceIndex,
     u"The index argument of the “choose” command is below zero or beyond its list "
     u"of arguments"},
    {TextId::kErrorRedimension,
     u"The dimension arguments of the “redimension array” command must be greater "
     u"than zero, or zero or greater for a single dimension"},
    {TextId::kErrorArgumentType, u"An argument's data type is not the one required"},
    {TextId::kErrorAllocationFailed, u"Failed to allocate {0} bytes of memory!"},
    {TextId::kErrorDllCommandNotFound, u"Cannot find the exported command “{0}” in its DLL"},
    {TextId::kErrorDllCommandNotFoundInLibrary,
     u"Cannot find the exported command “{1}” in the DLL “{0}”"},
    {TextId::kErrorDllCommandUndefined, u"DLL command number {0} is not defined"},
    {TextId::kErrorWindowNotLoaded, u"The window holding the control to be accessed is not loaded"},
    {TextId::kErrorComponentMissing,
     u"The requested window or control does not exist or is not loaded yet"},
    {TextId::kErrorReadPropertyWindowNotLoaded,
     u"Reading a control's property: the requested window is not loaded yet"},
    {TextId::kErrorWritePropertyWindowNotLoaded,
     u"Changing a control's property: the requested window is not loaded yet"},
    {TextId::kErrorTemplateData, u"Error loading the window template data!"},
    {TextId::kErrorStartWindow, u"Failed to load the start-up window"},
    {TextId::kErrorEventOutOfMemory, u"Out of memory; the operation could not be completed."},
    {TextId::kErrorEventWindowNotFound, u"The window that raised the event was not found"},
    {TextId::kErrorEventComponentNotFound, u"The control that raised the event was not found"},
    {TextId::kErrorEventComponentInvalid, u"The control that raised the event is not valid"},
    {TextId::kErrorInternal, u"Internal program error: {0}"},
    {TextId::kErrorDataTypeArgument, u"The “data type to read” argument is not valid"},
};

}  // namespace

Catalogue EnglishCatalogue() { return {kEntries, std::size(kEntries)}; }

}  // namespace language
