// What the main window's events do: the open dialog's set-up when the window has
// been created, Parse (fill the table from a draft), a draft or project folder dropped
// on the window (the same, without the dialog) and Export (write the table as SRT).
#pragma once

#include <cstdint>

namespace app {

// How many subtitles the last parse found; the SRT writer exports that many rows.
extern int32_t SubtitleCount;

void OnMainWindowCreated();
void OnParseClicked();
void OnExportClicked();
void OnFilesDropped();

}  // namespace app
