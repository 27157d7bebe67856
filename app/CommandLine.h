// The program's command line. Without arguments the program opens its window;
// "/flip:N" (or "-flip:N", in any letter case) with N = 0, 1 or 2 flips every
// selected text with flip type N at once, without the window, as OK would.
// The parsing is portable and tested natively; running a mode is the
// application's (Application.cpp).
#pragma once

#include <cstdint>
#include <string_view>

enum class TStartMode {
  window,        // no arguments: the window, exactly as always
  flip,          // one flip option: the confirmed run without the window
  badArguments,  // anything else: the host gets "hq" and the user is told
};

struct TCommandLine {
  TStartMode mode = TStartMode::window;
  int32_t flipType = 0;  // with TStartMode::flip: 0, 1 or 2
};

// The arguments as the system hands them to the program (the command line
// after the program's name): separated by blanks or tabs, a double quote
// grouping blanks into an argument and itself left out.
TCommandLine ParseCommandLine(std::wstring_view arguments);

// The message shown for bad arguments: what was given, the options there
// are, that the drawing is unchanged, and the batch file's line to look at.
// `arguments` as given to ParseCommandLine.
std::wstring BadArgumentsMessage(std::wstring_view arguments);
