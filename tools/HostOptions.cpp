#include "HostOptions.h"

#include <charconv>

namespace {

bool ParseInt(const std::string& text, int low, int high, int& value) {
  const char* end = text.data() + text.size();
  auto [p, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && p == end && value >= low && value <= high;
}

bool ParsePress(const std::string& text, PressChoice& press) {
  if (text == "ok")
    press = PressChoice::kOk;
  else if (text == "cancel")
    press = PressChoice::kCancel;
  else if (text == "none")
    press = PressChoice::kNone;
  else if (text == "auto")
    press = PressChoice::kAuto;
  else
    return false;
  return true;
}

}  // namespace

std::string HostUsage() {
  return "usage: jwhost --exe TOOL.exe --drawing FILE [--bat FILE|none] [--flip 0|1|2]\n"
         "              [--workdir DIR] [--svg OUT.svg] [--png OUT.png]\n"
         "              [--press ok|cancel|none|auto] [--timeout SECONDS] [--xvfb-display :N]\n"
         "       jwhost --drawing FILE --result ANSWER [--bat FILE|none] [--flip 0|1|2] ...\n"
         "Hands the tool the part of FILE (a JWC_TEMP.TXT of a whole drawing) that the\n"
         "batch file's directives select, as the host would, runs the batch file through\n"
         "the command processor (cmd /c, under Wine on Linux) beside a copy of TOOL.exe and\n"
         "waits for it, puts the answer in place of what it handed over, checks that every\n"
         "text kept its box, every entity came back and none is drawn twice, and draws the\n"
         "drawing before and after.\n"
         "  --bat       the batch file to obey and run; default: TOOL.bat beside TOOL.exe\n"
         "              (with --result alone: none); none: no batch file, TOOL.exe is\n"
         "              started itself and handed the whole drawing, every attribute\n"
         "  --flip      flip type written to the tool's settings file (0 left/right,\n"
         "              1 up/down, 2 both); without it the tool keeps its own\n"
         "  --press     key for the window: ok (Enter), cancel (Esc), none (the user\n"
         "              chooses); auto: ok on a private Xvfb, none on your display\n"
         "  --result    check ANSWER (a JWC_TEMP.TXT the tool wrote) without running it\n"
         "Exit code: 0 promise kept, 1 a text broke the promise, 2 bad usage or input,\n"
         "3 the tool could not be run or gave no answer (JWC_TEMP.TXT left as the host\n"
         "wrote it: the batch file started no tool, the wrong one, or did not wait).\n";
}

bool ParseHostOptions(const std::vector<std::string>& args, HostOptions& options,
                      std::string& error) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& name = args[i];
    if (name == "--help" || name == "-h") {
      options.help = true;
      return true;
    }
    if (i + 1 >= args.size()) {
      error = name.rfind("--", 0) == 0 ? name + " needs a value" : "unexpected argument " + name;
      return false;
    }
    const std::string& value = args[++i];
    int number = 0;
    if (name == "--exe") {
      options.exe = value;
    } else if (name == "--drawing") {
      options.drawing = value;
    } else if (name == "--result") {
      options.result = value;
    } else if (name == "--bat") {
      options.bat = value;
    } else if (name == "--flip") {
      if (!ParseInt(value, 0, 2, number)) {
        error = "--flip takes 0, 1 or 2";
        return false;
      }
      options.flipType = number;
    } else if (name == "--workdir") {
      options.workDir = value;
    } else if (name == "--svg") {
      options.svg = value;
    } else if (name == "--png") {
      options.png = value;
    } else if (name == "--press") {
      if (!ParsePress(value, options.press)) {
        error = "--press takes ok, cancel, none or auto";
        return false;
      }
    } else if (name == "--timeout") {
      if (!ParseInt(value, 1, 86400, options.timeoutSeconds)) {
        error = "--timeout takes a number of seconds from 1 to 86400";
        return false;
      }
    } else if (name == "--xvfb-display") {
      options.xvfbDisplay = value;
    } else {
      error = "unknown option " + name;
      return false;
    }
  }
  if (options.drawing.empty()) {
    error = "--drawing is required";
    return false;
  }
  if (options.exe.empty() && options.result.empty()) {
    error = "--exe (or --result) is required";
    return false;
  }
  return true;
}
