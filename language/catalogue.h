// Every text the window shows, one catalogue per language. A text is named by its
// TextId; "{0}", "{1}", "{2}" stand for the values it carries, in any order the language
// needs, and each catalogue's text holds the same ones as the Simplified Chinese one.
// Menu items keep an "&" before their access key and their shortcut after a tab.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "language/language.h"

namespace language {

enum class TextId : uint16_t {
  // The main window.
  kParseButton,
  kExportButton,
  kColumnSerial,
  kColumnTimeRange,
  kColumnText,
  kTrackListAll,     // {0}: subtitles shown
  kTrackListMerged,  // {0}: merged cues
  kTrackListTrack,   // {0}: track number, {1}: its first caption, {2}: its subtitles

  // The file dialogs: titles and file types (the types' patterns are not texts).
  kOpenDialogTitle,
  kOpenTypeJson,
  kSaveDialogTitle,  // {0}: the chosen type's extension, "srt"
  kSaveTypeSrt,
  kSaveTypeUtf8Srt,
  kSaveTypeWebVtt,
  kSaveTypeText,
  kSaveTypeAss,
  kFileNameTooLong,

  // Parse and export.
  kMessageTitle,
  kParseDone,
  kParseDoneNoCaptions,
  kParseDonePlainCopy,  // {0}: the copy's file name, {1}: when it was saved
  kDraftEncrypted,
  kDraftTooLarge,
  kDraftNotValid,
  kFolderWithoutDraft,
  kUnexportedEditsQuestion,
  kExportDone,
  kExportDoneLostCharacters,  // {0}: characters written as "?"
  kExportBadTime,             // {0}: "ASS" or "WebVTT", {1}: the row
  kExportFailed,

  // The table's context menu.
  kMenuUndo,
  kMenuRedo,
  kMenuCut,
  kMenuCopy,
  kMenuPaste,
  kMenuDelete,
  kMenuFind,
  kMenuReplace,
  kMenuShiftTimes,
  kMenuDeleteRows,

  // Find, replace and the time-shift dialog.
  kFindTitle,
  kReplaceTitle,
  kNotFound,       // {0}: the text looked for
  kReplacedCount,  // {0}: places replaced
  kShiftTitle,
  kShiftPrompt,
  kShiftSelectedOnly,
  kOk,
  kCancel,
  kShiftNotSeconds,   // {0}: what was typed
  kShiftBeforeZero,   // {0}: the row
  kShiftNoTimeRange,  // {0}: the row

  // The command line of the window program.
  kUnknownLanguage,  // {0}: the code given, {1}: the codes known

  // The runtime's reports of a fatal error.
  kErrorTitle,
  kErrorReportHeading,
  kErrorReportCode,     // {0}: the error's number
  kErrorReportMessage,  // {0}: what went wrong
  kErrorWindowNotFound,
  kErrorComponentNotFound,
  kErrorIndexOutOfRange,
  kErrorNumberExpected,
  kErrorDimensionMismatch,
  kErrorIndexBelowOne,
  kErrorTypeMismatch,
  kErrorDllStack,
  kErrorSubStatementValue,
  kErrorCompareEqualOnly,
  kErrorChoiceIndex,
  kErrorRedimension,
  kErrorArgumentType,
  kErrorAllocationFailed,             // {0}: bytes
  kErrorDllCommandNotFound,           // {0}: the command
  kErrorDllCommandNotFoundInLibrary,  // {0}: the library, {1}: the command
  kErrorDllCommandUndefined,          // {0}: the number
  kErrorWindowNotLoaded,
  kErrorComponentMissing,
  kErrorReadPropertyWindowNotLoaded,
  kErrorWritePropertyWindowNotLoaded,
  kErrorTemplateData,
  kErrorStartWindow,
  kErrorEventOutOfMemory,
  kErrorEventWindowNotFound,
  kErrorEventComponentNotFound,
  kErrorEventComponentInvalid,
  kErrorInternal,  // {0}: what the program knows of it
  kErrorDataTypeArgument,

  kCount
};

// One text of a catalogue.
struct CatalogueEntry {
  TextId id;
  const char16_t* text;
};

// A language's catalogue as written: its entries in any order.
struct Catalogue {
  const CatalogueEntry* entries;
  size_t count;
};

// The catalogue written for `language`, as it stands (for the check of every catalogue).
Catalogue CatalogueOf(Language language);

// Text `id` in `language`; a text a catalogue lacks comes from the Simplified Chinese one.
const char16_t* TextIn(Language language, TextId id);

// Text `id` in the window's language.
const char16_t* Text(TextId id);

// Text `id` in the window's language with "{0}", "{1}", ... replaced by `values`.
std::u16string Text(TextId id, std::initializer_list<std::u16string_view> values);

// `text` with each "{n}" replaced by values[n]; a placeholder without a value stays.
std::u16string WithValues(std::u16string_view text,
                          std::initializer_list<std::u16string_view> values);

// A number as the catalogue's texts take it.
std::u16string NumberText(int64_t number);

}  // namespace language
