// The Win32 plumbing under the window: conversions between the UTF-8 of the
// core and the UTF-16 of the W functions, where the running program lies, the
// core's file operations on the wide-character API, the message box that
// tells the user, and where the window opens from a saved position.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "transfer/seams/JwwSeams.h"

// --- Text conversion -----------------------------------------------------------

// UTF-16 of `utf8`. Gives false (and leaves `out` empty) when `utf8` is not
// valid UTF-8, so that a damaged path never names some other file.
bool Utf8ToWide(std::string_view utf8, std::wstring& out);

// Lenient form for display texts: invalid bytes become U+FFFD.
std::wstring Utf8ToWideForDisplay(std::string_view utf8);

// UTF-8 of `wide`. Gives false (and leaves `out` empty) when `wide` holds an
// unpaired surrogate, which has no UTF-8 form.
bool WideToUtf8(std::wstring_view wide, std::string& out);

// --- The program's path ----------------------------------------------------------

// The transfer file in `folder` (the executable's own, with its trailing
// separator), or "" when the folder is unknown: the program must not guess a
// transfer file, and then reads and writes none.
inline std::string TransferFileIn(const std::string& folder) {
  return folder.empty() ? std::string() : folder + "JWC_TEMP.TXT";
}

// Full path of the running executable in UTF-8, or "" when the system cannot
// give it or it has no UTF-8 form.
std::string ExecutablePath();

// The folder part of `path` with its trailing separator ("\" or "/"), or ""
// when `path` has no separator.
std::string FolderOf(const std::string& path);

// `path` with the extension of its last component replaced by `extension`
// (which starts with "."), or `extension` appended when there is none.
std::string ChangeExtension(const std::string& path, const std::string& extension);

// --- File operations ---------------------------------------------------------------

// The core's file operations on the Windows wide-character API: UTF-8 paths
// (Japanese folder names included) and writes flushed to the disk.
TJwwFileOps Win32FileOps();

// Makes the core use Win32FileOps() from now on.
void InstallWin32FileOps();

// --- Messages ----------------------------------------------------------------------

// Shows `text` in a message box with the window's caption, the OK button and
// `icon` (MB_ICONERROR, MB_ICONWARNING), owned by `owner` (nullptr for none),
// brought to the front; returns when the user has closed it.
void ShowMessage(HWND owner, std::wstring_view text, UINT icon);

// --- Window placement --------------------------------------------------------------

// (left, top) when a window of `size` there would show on some monitor, even
// in part; (0, 0) when it would lie entirely off every monitor (a screen that
// has since been removed, say).
POINT VisibleOrigin(int32_t left, int32_t top, SIZE size);
