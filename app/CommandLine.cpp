#include "app/CommandLine.h"

#include <cwctype>
#include <string>
#include <vector>

namespace {

constexpr std::wstring_view kFlipOption = L"flip:";

// Longest stretch of the given arguments quoted back in the message.
constexpr size_t kQuotedMax = 200;

bool IsBlank(wchar_t c) {
  return c == L' ' || c == L'\t';
}

// The arguments one by one, quotes removed.
std::vector<std::wstring> SplitArguments(std::wstring_view text) {
  std::vector<std::wstring> arguments;
  std::wstring current;
  bool inArgument = false;
  bool quoted = false;
  for (wchar_t c : text) {
    if (c == L'"') {
      quoted = !quoted;
      inArgument = true;
    } else if (IsBlank(c) && !quoted) {
      if (inArgument) arguments.push_back(current);
      current.clear();
      inArgument = false;
    } else {
      current.push_back(c);
      inArgument = true;
    }
  }
  if (inArgument) arguments.push_back(current);
  return arguments;
}

// The flip type of "/flip:N" or "-flip:N" (any letter case), or -1.
int32_t FlipOption(std::wstring_view argument) {
  if (argument.size() != 1 + kFlipOption.size() + 1) return -1;
  if (argument[0] != L'/' && argument[0] != L'-') return -1;
  for (size_t i = 0; i < kFlipOption.size(); ++i) {
    const auto lower = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(argument[1 + i])));
    if (lower != kFlipOption[i]) return -1;
  }
  const wchar_t digit = argument.back();
  return digit >= L'0' && digit <= L'2' ? digit - L'0' : -1;
}

}  // namespace

TCommandLine ParseCommandLine(std::wstring_view arguments) {
  const std::vector<std::wstring> given = SplitArguments(arguments);
  if (given.empty()) return {};
  const int32_t flipType = given.size() == 1 ? FlipOption(given[0]) : -1;
  if (flipType < 0) return {TStartMode::badArguments, 0};
  return {TStartMode::flip, flipType};
}

std::wstring BadArgumentsMessage(std::wstring_view arguments) {
  std::wstring quoted(arguments.substr(0, kQuotedMax));
  if (arguments.size() > kQuotedMax) quoted += L"…";
  return L"次のオプションは使えません：\n" + quoted +
         L"\n\n"
         L"使えるオプションは次のどれか一つです。\n"
         L"  /flip:0　左右反転\n"
         L"  /flip:1　上下反転\n"
         L"  /flip:2　上下左右反転\n"
         L"オプションなしで起動すると画面が開きます。\n\n"
         L"図面は変更されません。バッチファイルの start /w の行"
         L"（例：start /w JwwTextFlip.exe /flip:0）を確かめてください。";
}
