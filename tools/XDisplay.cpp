#ifndef _WIN32
#include "XDisplay.h"

#include <chrono>
#include <thread>

namespace fs = std::filesystem;

namespace {

// An X server on display N keeps a lock file and a socket under /tmp.
bool DisplayInUse(int number) {
  std::error_code ec;
  return fs::exists("/tmp/.X" + std::to_string(number) + "-lock", ec) ||
         fs::exists("/tmp/.X11-unix/X" + std::to_string(number), ec);
}

// The display number of ":N" (optionally with a screen suffix), or -1.
int DisplayNumber(const std::string& name) {
  if (name.size() < 2 || name[0] != ':') return -1;
  int n = 0;
  size_t i = 1;
  for (; i < name.size() && name[i] >= '0' && name[i] <= '9' && n < 100000; ++i) {
    n = n * 10 + (name[i] - '0');
  }
  if (i == 1 || (i < name.size() && name[i] != '.')) return -1;
  return n;
}

Environment DisplayEnvironment(const XDisplay& display) {
  return {{"DISPLAY", display.name}};
}

}  // namespace

bool StartXvfb(const std::string& wanted, const fs::path& logFile, XDisplay& display,
               std::string& error) {
  int number = -1;
  if (!wanted.empty()) {
    number = DisplayNumber(wanted);
    if (number < 0) {
      error = "not a display name: " + wanted;
      return false;
    }
    if (DisplayInUse(number)) {
      error = "display " + wanted + " is already in use";
      return false;
    }
  } else {
    for (int n = 90; n < 200 && number < 0; ++n) {
      if (!DisplayInUse(n)) number = n;
    }
    if (number < 0) {
      error = "no free X display between :90 and :199";
      return false;
    }
  }
  display.name = std::string(":").append(std::to_string(number));
  display.server =
      StartChild({"Xvfb", display.name, "-screen", "0", "1024x768x24", "-nolisten", "tcp"}, {}, {},
                 logFile, error);
  if (!display.server.Valid()) return false;
  // Ready once the server answers a client.
  for (int i = 0; i < 100; ++i) {
    std::string out;
    if (std::optional<int> code = WaitChild(display.server, 0)) {
      error =
          "Xvfb on " + display.name + " ended at once (exit code " + std::to_string(*code) + ")";
      return false;
    }
    std::optional<int> answered = RunCaptured({"xdpyinfo"}, DisplayEnvironment(display), 2000, out);
    if (answered && *answered == 0) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  StopXvfb(display);
  error = "Xvfb on " + display.name + " did not come up";
  return false;
}

void StopXvfb(XDisplay& display) {
  StopChild(display.server);
}

std::string FindWindowByCaption(const XDisplay& display, const std::string& caption) {
  std::string out;
  std::optional<int> code =
      RunCaptured({"xdotool", "search", "--onlyvisible", "--name", "^" + caption + "$"},
                  DisplayEnvironment(display), 5000, out);
  if (!code || *code != 0) return "";
  return out.substr(0, out.find('\n'));  // the first window found
}

bool PressKey(const XDisplay& display, const std::string& window, const std::string& key) {
  std::string out;
  const Environment env = DisplayEnvironment(display);
  RunCaptured({"xdotool", "windowfocus", "--sync", window}, env, 5000, out);
  std::optional<int> code =
      RunCaptured({"xdotool", "key", "--clearmodifiers", key}, env, 5000, out);
  return code && *code == 0;
}
#endif
