// The command line: no arguments opens the window, one flip option flips
// without it, anything else is refused.
#include <gtest/gtest.h>

#include <string>

#include "app/CommandLine.h"

namespace {

TEST(CommandLine, EachArgumentStringHasItsOneMode) {
  const struct {
    const wchar_t* arguments;
    TStartMode mode;
    int32_t flipType;
  } cases[] = {
      {L"", TStartMode::window, 0},
      {L"  \t ", TStartMode::window, 0},
      {L"/flip:0", TStartMode::flip, 0},
      {L"/flip:1", TStartMode::flip, 1},
      {L"/flip:2", TStartMode::flip, 2},
      {L"-flip:2", TStartMode::flip, 2},
      {L"/FLIP:1", TStartMode::flip, 1},
      {L"-Flip:0", TStartMode::flip, 0},
      {L"  /flip:1\t", TStartMode::flip, 1},
      {L"\"/flip:2\"", TStartMode::flip, 2},
      {L"/flip:3", TStartMode::badArguments, 0},
      {L"/flip:-1", TStartMode::badArguments, 0},
      {L"/flip:01", TStartMode::badArguments, 0},
      {L"/flip:", TStartMode::badArguments, 0},
      {L"/flip", TStartMode::badArguments, 0},
      {L"flip:1", TStartMode::badArguments, 0},
      {L"/flop:1", TStartMode::badArguments, 0},
      {L"/flip 1", TStartMode::badArguments, 0},
      {L"/flip:1 /flip:1", TStartMode::badArguments, 0},
      {L"/flip:1 x", TStartMode::badArguments, 0},
      {L"\"\"", TStartMode::badArguments, 0},
      {L"/ｆlip:1", TStartMode::badArguments, 0},
  };
  for (const auto& c : cases) {
    const TCommandLine parsed = ParseCommandLine(c.arguments);
    EXPECT_EQ(parsed.mode, c.mode) << testing::PrintToString(std::wstring(c.arguments));
    if (c.mode == TStartMode::flip) {
      EXPECT_EQ(parsed.flipType, c.flipType);
    }
  }
}

TEST(CommandLine, TheRefusalNamesWhatWasGivenAndEveryOption) {
  const std::wstring message = BadArgumentsMessage(L"/flop:9");
  for (const wchar_t* part :
       {L"/flop:9", L"/flip:0", L"/flip:1", L"/flip:2", L"start /w JwwTextFlip.exe"}) {
    EXPECT_NE(message.find(part), std::wstring::npos) << testing::PrintToString(std::wstring(part));
  }
  // A huge command line is quoted only in part.
  EXPECT_LT(BadArgumentsMessage(std::wstring(100000, L'x')).size(), 1000u);
}

}  // namespace
