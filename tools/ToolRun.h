// Running the tool as the host does: run the batch file through the command
// processor in the working folder (cmd /c; the batch file's own lines start
// the tool) and wait for the batch file to end, or, without a batch file,
// start the executable and wait for it. On Linux both run through Wine;
// without a display a private Xvfb server is started and the window's button
// is pressed with xdotool.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

enum class PressChoice {
  kAuto,    // OK when the host started its own display server, else the user
  kOk,      // Enter in the tool's window
  kCancel,  // Escape in the tool's window
  kNone,    // leave the window to the user
};

struct ToolRunOptions {
  std::filesystem::path exe;           // the copy in the working folder
  std::filesystem::path batchFile;     // the copy beside it, run instead; empty: none
  std::vector<std::string> arguments;  // for the tool's command line, without a batch file
  std::filesystem::path winePrefix;    // Linux: WINEPREFIX for the tool
  std::filesystem::path logFile;       // Wine's and Xvfb's output
  PressChoice press = PressChoice::kAuto;
  std::string xvfbDisplay;  // Linux: display for a private Xvfb, "" = first free
  int timeoutSeconds = 300;
};

struct ToolRunResult {
  bool ended = false;  // the batch file's (or the tool's) process ended in time
  int exitCode = -1;
  bool pressed = false;  // a key was sent to the window
  std::string error;     // why the tool could not be run or did not end
};

// Starts the batch file (or the tool), presses the tool's button as asked,
// waits for the process it started to end within the time limit (stopping it
// when the limit passes) and stops any display server it started. Never
// throws.
ToolRunResult RunTool(const ToolRunOptions& options);

// The window's caption, by which the window is found on the display.
inline constexpr const char* kToolWindowCaption = "文字基点の反転";
