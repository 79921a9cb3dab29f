// What the main window's events do: the open dialog's set-up when the window has
// been created, Parse (fill the table from a draft), a draft or project folder dropped
// on the window (the same, without the dialog), Export (write the table as SRT, WebVTT
// or text), the choice of a caption track, and the window's close. Parse, a drop, a
// track and the close first ask before they lose edits not yet exported.
#pragma once

#include <cstdint>

namespace app {

// How many rows the table holds below its titles; the export writes that many.
extern int32_t SubtitleCount;

void OnMainWindowCreated();
void OnParseClicked();
void OnExportClicked();
void OnFilesDropped();
// The window's close request: refused when the user keeps edits not yet exported.
void OnMainWindowClosing();
// The user chose another item of the track list: the table shows its rows.
void OnTrackChosen();

}  // namespace app
