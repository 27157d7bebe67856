// Running the tool as the host does: start its executable in the working
// folder and wait for it to end. On Linux the executable runs through Wine;
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
  std::vector<std::string> arguments;  // for the tool's command line
  std::filesystem::path winePrefix;    // Linux: WINEPREFIX for the tool
  std::filesystem::path logFile;       // Wine's and Xvfb's output
  PressChoice press = PressChoice::kAuto;
  std::string xvfbDisplay;  // Linux: display for a private Xvfb, "" = first free
  int timeoutSeconds = 300;
};

struct ToolRunResult {
  bool ended = false;  // the tool's process ended within the time limit
  int exitCode = -1;
  bool pressed = false;  // a key was sent to the window
  std::string error;     // why the tool could not be run or did not end
};

// Starts the tool, presses its button as asked, waits for it to end within
// the time limit (stopping it when the limit passes) and stops any display
// server it started. Never throws.
ToolRunResult RunTool(const ToolRunOptions& options);

// The window's caption, by which the window is found on the display.
inline constexpr const char* kToolWindowCaption = "文字基点の反転";
