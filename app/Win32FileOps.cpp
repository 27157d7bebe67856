#include "app/Win32FileOps.h"

#include <windows.h>

#include <algorithm>

#include "app/TextConversion.h"

namespace {

// Largest byte count handed to one ReadFile or WriteFile call.
constexpr size_t kMaxTransfer = 1u << 30;

// The wide path for the API, or false for a path that is empty or not valid
// UTF-8. A drive or UNC path too long for the classic limit gets the "\\?\"
// prefix, which lifts that limit.
bool WidePath(const std::string& path, std::wstring& out) {
  if (path.empty() || !Utf8ToWide(path, out)) return false;
  if (out.size() < MAX_PATH - 12 || out.rfind(L"\\\\?\\", 0) == 0) return true;
  if (out.size() > 2 && out[1] == L':' && out[2] == L'\\') {
    out.insert(0, L"\\\\?\\");
  } else if (out.rfind(L"\\\\", 0) == 0) {
    out.replace(0, 2, L"\\\\?\\UNC\\");
  }
  return true;
}

HANDLE AsHandle(TJwwFile file) {
  return static_cast<HANDLE>(file);
}

// A path that cannot be looked at for another reason than its absence
// (access denied, say) still names an existing file.
bool Exists(const std::string& path) {
  std::wstring wide;
  if (!WidePath(path, wide)) return false;
  if (GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  const DWORD error = GetLastError();
  return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND &&
         error != ERROR_INVALID_NAME && error != ERROR_BAD_NETPATH;
}

// Opens `path` with the given access and disposition; nullptr on failure.
TJwwFile Open(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
  std::wstring wide;
  if (!WidePath(path, wide)) return nullptr;
  HANDLE handle = CreateFileW(wide.c_str(), access, share, nullptr, disposition,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

TJwwFile OpenRead(const std::string& path) {
  return Open(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
}

TJwwFile OpenWrite(const std::string& path) {
  return Open(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS);
}

long long Read(TJwwFile file, char* buffer, size_t size) {
  DWORD got = 0;
  const DWORD want = static_cast<DWORD>(std::min(size, kMaxTransfer));
  if (!ReadFile(AsHandle(file), buffer, want, &got, nullptr)) return -1;
  return static_cast<long long>(got);
}

bool Write(TJwwFile file, const char* data, size_t size) {
  while (size > 0) {
    DWORD done = 0;
    const DWORD chunk = static_cast<DWORD>(std::min(size, kMaxTransfer));
    if (!WriteFile(AsHandle(file), data, chunk, &done, nullptr) || done == 0) return false;
    data += done;
    size -= done;
  }
  return true;
}

bool Flush(TJwwFile file) {
  return FlushFileBuffers(AsHandle(file)) != 0;
}

bool Close(TJwwFile file) {
  return CloseHandle(AsHandle(file)) != 0;
}

bool Replace(const std::string& from, const std::string& to) {
  std::wstring wideFrom, wideTo;
  if (!WidePath(from, wideFrom) || !WidePath(to, wideTo)) return false;
  return MoveFileExW(wideFrom.c_str(), wideTo.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool Remove(const std::string& path) {
  std::wstring wide;
  return WidePath(path, wide) && DeleteFileW(wide.c_str()) != 0;
}

}  // namespace

TJwwFileOps Win32FileOps() {
  return {Exists, OpenRead, Read, OpenWrite, Write, Flush, Close, Replace, Remove};
}

void InstallWin32FileOps() {
  jwwFileOps = Win32FileOps();
}
