// Conversions between the UTF-8 strings the core takes for paths and status
// texts and the UTF-16 strings of the Windows W functions.
#pragma once

#include <string>
#include <string_view>

// UTF-16 of `utf8`. Gives false (and leaves `out` empty) when `utf8` is not
// valid UTF-8, so that a damaged path never names some other file.
bool Utf8ToWide(std::string_view utf8, std::wstring& out);

// Lenient form for display texts: invalid bytes become U+FFFD.
std::wstring Utf8ToWideForDisplay(std::string_view utf8);

// UTF-8 of `wide`. Gives false (and leaves `out` empty) when `wide` holds an
// unpaired surrogate, which has no UTF-8 form.
bool WideToUtf8(std::wstring_view wide, std::string& out);
