// The X display the tool's window appears on (Linux): a private Xvfb server
// when the user has no display, and the xdotool calls that find the window
// and press a key in it.
#pragma once

#include <filesystem>
#include <string>

#include "ChildProcess.h"

struct XDisplay {
  std::string name;     // e.g. ":92"
  ChildProcess server;  // valid when this host started the server
};

// Starts Xvfb on `wanted` (":N"), or on the first free display from :90 on
// when `wanted` is empty, and waits until it accepts clients. False with
// `error` set when Xvfb is missing, the display is taken or it does not come
// up within ten seconds.
bool StartXvfb(const std::string& wanted, const std::filesystem::path& logFile, XDisplay& display,
               std::string& error);

// Stops the server if this host started it.
void StopXvfb(XDisplay& display);

// The id of a window whose caption is exactly `caption`, or "" when none is
// shown (or xdotool is missing).
std::string FindWindowByCaption(const XDisplay& display, const std::string& caption);

// Gives window `window` the focus and sends `key` (an X key name such as
// "Return") to it. False when xdotool failed.
bool PressKey(const XDisplay& display, const std::string& window, const std::string& key);
