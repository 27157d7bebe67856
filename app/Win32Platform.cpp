#include "app/Win32Platform.h"

#include <algorithm>
#include <climits>

// --- Text conversion -----------------------------------------------------------

namespace {

// One MultiByteToWideChar conversion with the given flags; false on failure.
bool ConvertToWide(std::string_view utf8, DWORD flags, std::wstring& out) {
  out.clear();
  if (utf8.empty()) return true;
  if (utf8.size() > static_cast<size_t>(INT_MAX)) return false;
  const int length = static_cast<int>(utf8.size());
  const int needed = MultiByteToWideChar(CP_UTF8, flags, utf8.data(), length, nullptr, 0);
  if (needed <= 0) return false;
  out.resize(static_cast<size_t>(needed));
  if (MultiByteToWideChar(CP_UTF8, flags, utf8.data(), length, out.data(), needed) != needed) {
    out.clear();
    return false;
  }
  return true;
}

}  // namespace

bool Utf8ToWide(std::string_view utf8, std::wstring& out) {
  return ConvertToWide(utf8, MB_ERR_INVALID_CHARS, out);
}

std::wstring Utf8ToWideForDisplay(std::string_view utf8) {
  std::wstring out;
  ConvertToWide(utf8, 0, out);
  return out;
}

bool WideToUtf8(std::wstring_view wide, std::string& out) {
  out.clear();
  if (wide.empty()) return true;
  if (wide.size() > static_cast<size_t>(INT_MAX)) return false;
  const int length = static_cast<int>(wide.size());
  const DWORD flags = WC_ERR_INVALID_CHARS;
  const int needed =
      WideCharToMultiByte(CP_UTF8, flags, wide.data(), length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return false;
  out.resize(static_cast<size_t>(needed));
  if (WideCharToMultiByte(CP_UTF8, flags, wide.data(), length, out.data(), needed, nullptr,
                          nullptr) != needed) {
    out.clear();
    return false;
  }
  return true;
}

// --- The program's path ----------------------------------------------------------

std::string ExecutablePath() {
  // The path may exceed MAX_PATH; grow the buffer until it fits.
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
    if (length == 0) return {};
    if (length < size) {
      buffer.resize(length);
      break;
    }
    if (buffer.size() >= 32768) return {};
    buffer.resize(buffer.size() * 2);
  }
  std::string utf8;
  return WideToUtf8(buffer, utf8) ? utf8 : std::string();
}

std::string FolderOf(const std::string& path) {
  const size_t separator = path.find_last_of("\\/");
  return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

std::string ChangeExtension(const std::string& path, const std::string& extension) {
  const size_t separator = path.find_last_of("\\/");
  const size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
  const size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || dot < nameStart) return path + extension;
  return path.substr(0, dot) + extension;
}

// --- File operations ---------------------------------------------------------------

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

// From the attributes alone, without opening: a folder or a device is not a
// regular file, and neither is a path that cannot be looked at for another
// reason than its absence (access denied; under Wine a FIFO or a device,
// whose attributes Wine refuses to tell).
TJwwPathKind PathKind(const std::string& path) {
  std::wstring wide;
  if (!WidePath(path, wide)) return TJwwPathKind::none;
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    return attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE) ? TJwwPathKind::other
                                                                           : TJwwPathKind::regular;
  }
  const DWORD error = GetLastError();
  const bool absent = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
                      error == ERROR_INVALID_NAME || error == ERROR_BAD_NETPATH;
  return absent ? TJwwPathKind::none : TJwwPathKind::other;
}

bool Exists(const std::string& path) {
  return PathKind(path) != TJwwPathKind::none;
}

// Opens `path` with the given access and disposition; nullptr on failure,
// with the system's error code in `error` when one is asked for.
TJwwFile Open(const std::string& path, DWORD access, DWORD share, DWORD disposition,
              DWORD* error = nullptr) {
  std::wstring wide;
  if (!WidePath(path, wide)) return nullptr;
  HANDLE handle = CreateFileW(wide.c_str(), access, share, nullptr, disposition,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle != INVALID_HANDLE_VALUE) return handle;
  if (error) *error = GetLastError();
  return nullptr;
}

// Others may read the file meanwhile but not write, truncate, rename or
// delete it: the opening fails while another process holds it open for
// writing (a sharing violation, thrown as TJwwFileInUse so that the user is
// told the file is in use), and no process can open it for writing until it
// is closed, so the bytes read are the file as it was at open. (Under Wine a
// Linux process ignores share modes; the reader's comparison of State at
// open and at the end, and of PathState, catches what it changes.)
TJwwFile OpenRead(const std::string& path) {
  DWORD error = ERROR_SUCCESS;
  TJwwFile file = Open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, &error);
  if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) throw TJwwFileInUse();
  return file;
}

TJwwFile OpenWrite(const std::string& path) {
  return Open(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS);
}

// CREATE_NEW fails when the file exists, checked and created in one step.
TJwwFile CreateNew(const std::string& path) {
  return Open(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_NEW);
}

int64_t Stamp(FILETIME time) {
  return static_cast<int64_t>((uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime);
}

// The size, the identity (volume serial number and file index) and the last
// write through the handle, and the last change (ChangeTime, which a program
// could set but no ordinary write keeps) where the file system tells it.
TJwwFileState HandleState(HANDLE handle) {
  TJwwFileState state;
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(handle, &info)) return state;
  state.size = static_cast<long long>((uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow);
  state.told = true;
  state.device = info.dwVolumeSerialNumber;
  state.file = (uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
  state.writeTime = Stamp(info.ftLastWriteTime);
  FILE_BASIC_INFO basic;
  if (GetFileInformationByHandleEx(handle, FileBasicInfo, &basic, sizeof basic)) {
    state.changeTime = basic.ChangeTime.QuadPart;
  }
  return state;
}

TJwwFileState State(TJwwFile file) {
  return HandleState(AsHandle(file));
}

// Opened for no access at all, which no share mode forbids (the reader's own
// handle included), only to be asked.
TJwwFileState PathState(const std::string& path) {
  std::wstring wide;
  if (!WidePath(path, wide)) return {};
  HANDLE handle = CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return {};
  const TJwwFileState state = HandleState(handle);
  CloseHandle(handle);
  return state;
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
  return {Exists, OpenRead, Read,   OpenWrite, Write,     Flush,
          Close,  Replace,  Remove, State,     PathState, CreateNew, PathKind};
}

void InstallWin32FileOps() {
  jwwFileOps = Win32FileOps();
}

// --- Messages ----------------------------------------------------------------------

void ShowMessage(HWND owner, std::wstring_view text, UINT icon) {
  const std::wstring shown(text);
  MessageBoxW(owner, shown.c_str(), L"文字基点の反転", MB_OK | MB_SETFOREGROUND | icon);
}

// --- Window placement --------------------------------------------------------------

namespace {

// Keeps right and bottom edges within the coordinate range even for
// positions near INT_MAX.
LONG ClampedEdge(int64_t value) {
  return static_cast<LONG>(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
}

}  // namespace

POINT VisibleOrigin(int32_t left, int32_t top, SIZE size) {
  const RECT rect{left, top, ClampedEdge(int64_t{left} + size.cx),
                  ClampedEdge(int64_t{top} + size.cy)};
  if (!MonitorFromRect(&rect, MONITOR_DEFAULTTONULL)) return {0, 0};
  return {left, top};
}
