#include "ToolRun.h"

#include <chrono>
#include <cstdlib>

#include "ChildProcess.h"
#include "XDisplay.h"

namespace {

// The command line that runs the batch file through the command processor,
// or else the tool with its arguments; `runner` ("wine" or "") before it.
std::vector<std::string> CommandLine(const std::string& runner, const ToolRunOptions& options) {
  std::vector<std::string> line;
  if (!runner.empty()) line.push_back(runner);
  if (!options.batchFile.empty()) {
    // The folder is the current one, as the host leaves it with #cd.
    line.insert(line.end(), {"cmd", "/c", options.batchFile.filename().string()});
    return line;
  }
  line.push_back(options.exe.string());
  line.insert(line.end(), options.arguments.begin(), options.arguments.end());
  return line;
}

// What was started, for messages.
std::string WhatRan(const ToolRunOptions& options) {
  return options.batchFile.empty() ? "the tool" : "the batch file";
}

}  // namespace

#ifdef _WIN32

ToolRunResult RunTool(const ToolRunOptions& options) {
  ToolRunResult result;
  if (options.press == PressChoice::kOk || options.press == PressChoice::kCancel) {
    result.error = "pressing the window's buttons is not supported on Windows; choose yourself";
  }
  std::string error;
  ChildProcess tool =
      StartChild(CommandLine("", options), {}, options.exe.parent_path(), {}, error);
  if (!tool.Valid()) {
    result.error = error;
    return result;
  }
  std::optional<int> code = WaitChild(tool, options.timeoutSeconds * 1000);
  if (!code) {
    StopChild(tool);
    result.error =
        WhatRan(options) + " did not end within " + std::to_string(options.timeoutSeconds) + " s";
    return result;
  }
  result.ended = true;
  result.exitCode = *code;
  return result;
}

#else

namespace {

using Clock = std::chrono::steady_clock;

// What to send to the window: "Return", "Escape" or "" (nothing).
std::string KeyToPress(PressChoice press, bool ownDisplay) {
  switch (press) {
    case PressChoice::kOk:
      return "Return";
    case PressChoice::kCancel:
      return "Escape";
    case PressChoice::kNone:
      return "";
    case PressChoice::kAuto:
      return ownDisplay ? "Return" : "";
  }
  return "";
}

}  // namespace

ToolRunResult RunTool(const ToolRunOptions& options) {
  ToolRunResult result;
  const auto deadline = Clock::now() + std::chrono::seconds(options.timeoutSeconds);
  std::string error;

  const char* userDisplay = std::getenv("DISPLAY");
  XDisplay display;
  if (userDisplay != nullptr && *userDisplay != '\0') {
    display.name = userDisplay;
  } else if (!StartXvfb(options.xvfbDisplay, options.logFile, display, error)) {
    result.error = error;
    return result;
  }
  const std::string key = KeyToPress(options.press, display.server.Valid());

  Environment env{{"DISPLAY", display.name},
                  {"WINEPREFIX", options.winePrefix.string()},
                  {"WINEDEBUG", "-all"}};
  // A fresh prefix would offer to download Mono and Gecko; the tool needs
  // neither.
  if (std::getenv("WINEDLLOVERRIDES") == nullptr) env["WINEDLLOVERRIDES"] = "mscoree,mshtml=";
  ChildProcess tool = StartChild(CommandLine("wine", options), env, options.exe.parent_path(),
                                 options.logFile, error);
  if (!tool.Valid()) {
    result.error = error;
    StopXvfb(display);
    return result;
  }

  // The window may take a while to appear (a new Wine prefix is set up
  // first). It is pressed a second after it appears, and again every few
  // seconds while the tool runs on, since a key sent before the window is
  // ready can be lost.
  std::optional<int> code;
  std::string window;
  Clock::time_point nextPress;
  while (!(code = WaitChild(tool, 200))) {
    if (Clock::now() >= deadline) break;
    if (key.empty()) continue;
    if (window.empty()) {
      window = FindWindowByCaption(display, kToolWindowCaption);
      nextPress = Clock::now() + std::chrono::seconds(1);
    } else if (Clock::now() >= nextPress) {
      if (PressKey(display, window, key)) result.pressed = true;
      nextPress = Clock::now() + std::chrono::seconds(5);
      window.clear();  // look it up again: it may have been replaced
    }
  }
  if (!code) {
    StopChild(tool);
    result.error =
        WhatRan(options) + " did not end within " + std::to_string(options.timeoutSeconds) + " s";
  } else {
    result.ended = true;
    result.exitCode = *code;
  }
  StopXvfb(display);
  return result;
}

#endif
