// The file operations of the core on the Windows wide-character API: UTF-8
// paths (Japanese folder names included) and writes flushed to the disk.
#pragma once

#include "transfer/JwwFileOps.h"

// The operations themselves, for installing or for a caller that wants them.
TJwwFileOps Win32FileOps();

// Makes the core use Win32FileOps() from now on.
void InstallWin32FileOps();
