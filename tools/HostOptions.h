// The substitute host's command line.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ToolRun.h"

// The --bat value that hands over the whole drawing with every attribute.
inline constexpr const char* kNoBatchFile = "none";

struct HostOptions {
  std::filesystem::path exe;      // the tool's executable
  std::filesystem::path drawing;  // transfer file of the drawing to hand over
  std::filesystem::path result;   // an answer to check instead of running the tool
  // The batch file whose directives the host obeys; empty: the one beside
  // `exe` (none with --result alone); kNoBatchFile: the whole drawing.
  std::filesystem::path bat;
  std::optional<int> flipType;  // written to the tool's settings file
  std::filesystem::path workDir = "jwhost-work";
  std::filesystem::path svg, png;
  PressChoice press = PressChoice::kAuto;
  int timeoutSeconds = 300;
  std::string xvfbDisplay;
  bool help = false;
};

// Parses `args` (without the program name). False with `error` set on an
// unknown option, a missing or bad value, or a missing --drawing, or when
// neither --exe nor --result is given.
bool ParseHostOptions(const std::vector<std::string>& args, HostOptions& options,
                      std::string& error);

// The usage text.
std::string HostUsage();
