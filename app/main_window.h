// The program's one window: its stored template, its components' ids, and the
// descriptor through which the program presents itself to the runtime.
#pragma once

#include <cstdint>

#include "language/catalogue.h"
#include "runtime/program.h"
#include "runtime/window_description.h"

namespace app {

constexpr rt::ComponentId kMainWindow = 0x52010001;
constexpr rt::ComponentId kParseButton = 0x56010002;
constexpr rt::ComponentId kExportButton = 0x56010003;
constexpr rt::ComponentId kSubtitleTable = 0x56010004;
constexpr rt::ComponentId kOpenDraftDialog = 0x56010005;
constexpr rt::ComponentId kSaveSrtDialog = 0x56010006;
constexpr rt::ComponentId kTrackList = 0x56010007;

// The save dialog's file types in the order it offers them: its ChosenFilter property
// reads as one of these.
enum class SaveFileType : int32_t { kSrt, kUtf8Srt, kWebVtt, kText, kAss, kCount };

// The subtitle table's columns, left to right.
enum class SubtitleColumn : int32_t { kSerial, kTimeRange, kText, kCount };
// The table's column number of `column`.
constexpr int32_t ColumnNumber(SubtitleColumn column) { return static_cast<int32_t>(column); }

// The catalogue's texts of the window: a column's title, a save file type's description,
// and the extension by which the save dialog's title names that type ("srt").
language::TextId ColumnTitle(SubtitleColumn column);
language::TextId SaveFileTypeName(SaveFileType type);
const char* SaveFileTypeExtension(SaveFileType type);

// Program units, as fatal reports name the place of a failing statement.
constexpr int32_t kExportUnit = 0x04010002;
// In kExportUnit, reading a cell of column c is statement kReadCellStatement + c.
constexpr int32_t kReadCellStatement = 100;

// The main window as typed entries, from which its stored template is written.
const rt::WindowDescription& MainWindowDescription();

// The program as the runtime reads it: window templates, routines, support
// libraries and declared DLL commands.
const rt::ProgramDescriptor& Program();

// The program's entry routine: initialises the runtime, maps the JSON library,
// shows the main window and runs the message loop. Returns 0.
int32_t ProgramEntry();

}  // namespace app
