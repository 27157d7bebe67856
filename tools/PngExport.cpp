#include "PngExport.h"

#include "ChildProcess.h"

bool ConvertSvgToPng(const std::filesystem::path& svg, const std::filesystem::path& png,
                     std::string& error) {
  std::vector<std::string> command;
  if (ProgramOnPath("rsvg-convert")) {
    command = {"rsvg-convert", "--background-color=white", "-o", png.string(), svg.string()};
  } else if (ProgramOnPath("convert")) {
    command = {"convert", svg.string(), png.string()};
  } else {
    error = "no SVG converter installed (rsvg-convert from librsvg2-bin, or ImageMagick)";
    return false;
  }
  std::string output;
  std::optional<int> code = RunCaptured(command, {}, 120000, output);
  if (!code || *code != 0) {
    error = command[0] + " could not convert " + svg.string();
    return false;
  }
  return true;
}
