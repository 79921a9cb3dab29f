// What the programs need of the operating system (files, folders, the console), with
// every path and text in UTF-8: Win32's wide functions in the Windows build
// (win32/system_utf8_win.cpp), POSIX in the Linux build (posix/system_utf8_posix.cpp).
// The window program's paths are UTF-8 as well, from its dialogs and drops to the export;
// a long absolute path reaches Win32 in its extended-length form (long_path.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/file_time.h"

namespace platform {

// The command-line arguments after the program name, in UTF-8.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// True for the separators of a path on this system.
bool IsPathSeparator(char c);
// The separator this system writes between a folder and a name.
char PathSeparator();

// What a path names: nothing, a file, a folder or something else (a device).
enum class PathKind { kMissing, kFile, kFolder, kOther };
PathKind StatPath(const std::string& path);

// The size of the file `path` in bytes, -1 when it cannot be told.
int64_t FileSizeOf(const std::string& path);

// The absolute form of `path`, or `path` itself when the system cannot give one.
std::string FullPath(const std::string& path);

enum class ReadResult { kOk, kNotFound, kUnreadable, kTooLarge };
// Reads the whole file into `bytes`, with room for `spareCapacity` more bytes after it
// (for a parser that reads past the end); on failure `reason` holds the system's words.
// kTooLarge when the process cannot have the memory the file needs; never throws. The
// memory `bytes` holds is used again when large enough.
ReadResult ReadWholeFile(const std::string& path, std::string& bytes, std::string& reason,
                         size_t spareCapacity = 0);
// ReadWholeFile's part on each system: as ReadWholeFile, but a refused allocation throws
// std::bad_alloc, which ReadWholeFile turns into kTooLarge once for both systems.
ReadResult ReadWholeFileOrThrow(const std::string& path, std::string& bytes, std::string& reason,
                                size_t spareCapacity);

// Writes `bytes` to a new file beside `path` and renames it over `path`, so that
// `path` holds either its old content or all of `bytes`. On failure nothing is left
// behind and `reason` holds the system's words.
bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string& reason);

// Writes all of `bytes` to standard output, unchanged; false on a failed write.
bool WriteStandardOutput(const std::string& bytes);

// Writes UTF-8 text meant to be read by a person to standard output: shown as such in a
// console window, else written as UTF-8. False on a failed write.
bool WriteTextOutput(const std::string& text);

// The names of the folders inside `folder` (not "." or ".."), in no particular order;
// empty when it cannot be listed.
std::vector<std::string> ListFolders(const std::string& folder);

// When a file was last written; false when the file cannot be looked at.
bool FileModified(const std::string& path, FileTime& time);

// The folders the editors keep their data in (each holding "User Data"), whether or not
// they exist: under %LOCALAPPDATA% on Windows, under ~/Movies elsewhere.
std::vector<std::string> EditorDataFolders();

// The folder for this user's cached data of subvane-cli (whether or not it exists):
// %LOCALAPPDATA%\Subvane on Windows, $XDG_CACHE_HOME/subvane or ~/.cache/subvane
// elsewhere; empty when there is none.
std::string UserCacheFolder();

// Makes the folder `path` and those above it; true when it exists afterwards.
bool MakeFolders(const std::string& path);

// One line on standard error (a line break is added).
void WriteErrorLine(const std::string& line);

}  // namespace platform
