#include "app/TextConversion.h"

#include <windows.h>

#include <climits>

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
