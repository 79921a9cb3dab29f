// The resource id of a program's own icon. The window class shows it in the caption and
// on the taskbar; Explorer shows the lowest-numbered icon of an executable, so this one.
// Plain #defines: the resource scripts read this file too.
#ifndef SUBVANE_PLATFORM_WIN32_PROGRAM_ICON_H
#define SUBVANE_PLATFORM_WIN32_PROGRAM_ICON_H

#define SUBVANE_PROGRAM_ICON 1

#endif
