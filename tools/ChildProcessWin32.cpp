#ifdef _WIN32
#include <windows.h>

#include "ChildProcess.h"

namespace {

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(), n);
  return w;
}

// Quotes one argument by the rules of CommandLineToArgvW.
std::wstring Quote(const std::wstring& arg) {
  std::wstring q = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    q.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    q += c;
  }
  q.append(backslashes * 2, L'\\');
  return q + L"\"";
}

}  // namespace

ChildProcess StartChild(const std::vector<std::string>& argv, const Environment& env,
                        const std::filesystem::path& cwd, const std::filesystem::path& logFile,
                        std::string& error) {
  if (argv.empty()) {
    error = "nothing to start";
    return {};
  }
  for (const auto& [name, value] : env)
    SetEnvironmentVariableW(Wide(name).c_str(), Wide(value).c_str());
  std::wstring commandLine;
  for (const auto& a : argv) commandLine += (commandLine.empty() ? L"" : L" ") + Quote(Wide(a));
  STARTUPINFOW si{};
  si.cb = sizeof si;
  HANDLE log = INVALID_HANDLE_VALUE;
  if (!logFile.empty()) {
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    log =
        CreateFileW(logFile.wstring().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    &sa, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log != INVALID_HANDLE_VALUE) {
      si.dwFlags = STARTF_USESTDHANDLES;
      si.hStdOutput = si.hStdError = log;
      si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    }
  }
  PROCESS_INFORMATION pi{};
  const std::wstring dir = cwd.wstring();
  BOOL ok =
      CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, log != INVALID_HANDLE_VALUE, 0,
                     nullptr, dir.empty() ? nullptr : dir.c_str(), &si, &pi);
  if (log != INVALID_HANDLE_VALUE) CloseHandle(log);
  if (!ok) {
    error = "cannot start " + argv[0] + " (error " + std::to_string(GetLastError()) + ")";
    return {};
  }
  CloseHandle(pi.hThread);
  return ChildProcess{reinterpret_cast<long long>(pi.hProcess)};
}

std::optional<int> WaitChild(ChildProcess& child, int milliseconds) {
  if (!child.Valid()) return 127;
  HANDLE h = reinterpret_cast<HANDLE>(child.id);
  if (WaitForSingleObject(h, static_cast<DWORD>(milliseconds)) != WAIT_OBJECT_0)
    return std::nullopt;
  DWORD code = 127;
  GetExitCodeProcess(h, &code);
  CloseHandle(h);
  child.id = -1;
  return static_cast<int>(code);
}

void StopChild(ChildProcess& child) {
  if (!child.Valid()) return;
  TerminateProcess(reinterpret_cast<HANDLE>(child.id), 1);
  WaitChild(child, 2000);
}

std::optional<int> RunCaptured(const std::vector<std::string>&, const Environment&, int,
                               std::string& output) {
  output.clear();
  return std::nullopt;  // only the X display helpers use it, and Windows has none
}

bool ProgramOnPath(const std::string& name) {
  wchar_t found[MAX_PATH];
  return SearchPathW(nullptr, Wide(name).c_str(), L".exe", MAX_PATH, found, nullptr) > 0;
}
#endif
