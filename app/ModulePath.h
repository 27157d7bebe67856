// Where the running program lies: its full path and the names built from it.
#pragma once

#include <string>

// Full path of the running executable in UTF-8, or "" when the system cannot
// give it or it has no UTF-8 form.
std::string ExecutablePath();

// The folder part of `path` with its trailing separator ("\" or "/"), or ""
// when `path` has no separator.
std::string FolderOf(const std::string& path);

// `path` with the extension of its last component replaced by `extension`
// (which starts with "."), or `extension` appended when there is none.
std::string ChangeExtension(const std::string& path, const std::string& extension);
