// jwhost: a substitute for the host CAD program, for trying the tool out.
// It hands a drawing to the tool in a working folder, runs it, reads the
// answer back, checks that every text kept its place and draws the drawing
// before and after.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "Drawing.h"
#include "HostOptions.h"
#include "PngExport.h"
#include "PromiseCheck.h"
#include "SvgPicture.h"
#include "ToolRun.h"
#include "WorkFolder.h"

namespace fs = std::filesystem;

namespace {

enum ExitCode { kPromiseKept = 0, kPromiseBroken = 1, kBadUsage = 2, kToolFailed = 3 };

std::string Describe(const Drawing& d) {
  size_t shapes = d.segments.size() + d.circles.size() + d.points.size() + d.solids.size();
  return std::to_string(d.texts.size()) + " texts, " + std::to_string(shapes) + " other entities";
}

fs::path DefaultWinePrefix(const fs::path& workDir) {
  if (const char* own = std::getenv("JWHOST_WINEPREFIX"); own != nullptr && *own != '\0') {
    return own;
  }
  std::error_code ec;
  fs::path absolute = fs::absolute(workDir, ec);
  return (ec ? workDir : absolute).parent_path() / "wineprefix-jwhost";
}

// Runs the tool on the laid-out folder; the path of its answer, or "" when
// it gave none.
fs::path RunToolInFolder(const HostOptions& options, const std::string& drawingBytes) {
  WorkFolder folder;
  std::string error;
  if (!LayOutWorkFolder(options.workDir, options.exe, drawingBytes, options.flipType, folder,
                        error)) {
    std::cerr << "jwhost: " << error << "\n";
    return {};
  }
  ToolRunOptions run;
  run.exe = folder.exe;
  run.winePrefix = DefaultWinePrefix(options.workDir);
  run.logFile = folder.dir / "tool.log";
  run.press = options.press;
  run.timeoutSeconds = options.timeoutSeconds;
  run.xvfbDisplay = options.xvfbDisplay;
  std::cout << "work folder: " << folder.dir.string() << "\n";
  ToolRunResult result = RunTool(run);
  if (!result.error.empty()) std::cerr << "jwhost: " << result.error << "\n";
  if (!result.ended) return {};
  std::cout << "tool ended with exit code " << result.exitCode
            << (result.pressed ? " (window pressed by jwhost)" : "") << "\n";
  return folder.transferFile;
}

bool WriteSvgAndPng(const HostOptions& options, const Drawing& before, const Drawing& after,
                    const std::string& afterTitle) {
  if (options.svg.empty() && options.png.empty()) return true;
  fs::path svg =
      options.svg.empty() ? fs::path(options.png).replace_extension(".svg") : options.svg;
  std::error_code ec;
  if (svg.has_parent_path()) fs::create_directories(svg.parent_path(), ec);
  if (!WriteFileBytes(svg, RenderBeforeAfterSvg(before, "before", after, afterTitle))) {
    std::cerr << "jwhost: cannot write " << svg.string() << "\n";
    return false;
  }
  std::cout << "picture: " << svg.string() << "\n";
  if (options.png.empty()) return true;
  std::string error;
  if (!ConvertSvgToPng(svg, options.png, error)) {
    std::cerr << "jwhost: " << error << "\n";
    return true;  // the SVG is there; a missing converter is no failure
  }
  std::cout << "picture: " << options.png.string() << "\n";
  return true;
}

int Run(const HostOptions& options) {
  std::optional<std::string> drawingBytes = ReadFileBytes(options.drawing);
  if (!drawingBytes) {
    std::cerr << "jwhost: cannot read " << options.drawing.string() << "\n";
    return kBadUsage;
  }
  Drawing before;
  LoadDrawing(options.drawing.string(), nullptr, before);
  std::cout << "drawing: " << options.drawing.string() << ": " << Describe(before) << "\n";

  fs::path answer = options.result;
  fs::path settings;
  if (answer.empty()) {
    answer = RunToolInFolder(options, *drawingBytes);
    if (answer.empty()) return kToolFailed;
    settings = answer.parent_path() / options.exe.filename().replace_extension(".dat");
  }

  Drawing after;
  std::string afterTitle;
  int flipType = options.flipType.value_or(kFlipTypeUnknown);
  switch (ReadToolAnswer(answer)) {
    case ToolAnswer::kUnchanged:
      std::cout << "answer: hq (the drawing stays as it was)\n";
      after = before;
      afterTitle = "after: unchanged (hq)";
      flipType = kFlipTypeUnknown;
      break;
    case ToolAnswer::kReplace:
      // The answer names text types by number; the host reads them with its
      // own sizes, which are those of the drawing handed over.
      LoadDrawing(answer.string(), &before.textTypes, after);
      if (!settings.empty()) flipType = ReadSavedFlipType(settings).value_or(kFlipTypeUnknown);
      std::cout << "answer: hd (the selection is replaced): " << Describe(after) << "\n";
      afterTitle =
          "after: hd" + (flipType == kFlipTypeUnknown ? std::string()
                                                      : ", flip type " + std::to_string(flipType));
      break;
    case ToolAnswer::kNone:
      std::cerr << "jwhost: the tool left no answer (" << answer.string()
                << " is missing or begins with neither hq nor hd)\n";
      return kToolFailed;
  }

  PromiseReport report = CheckPromise(before.texts, after.texts, flipType);
  for (const auto& line : report.broken) std::cout << "BROKEN " << line << "\n";
  std::cout << report.Summary() << "\n";
  if (!WriteSvgAndPng(options, before, after, afterTitle)) return kToolFailed;
  return report.Kept() ? kPromiseKept : kPromiseBroken;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  HostOptions options;
  std::string error;
  if (!ParseHostOptions(args, options, error)) {
    std::cerr << "jwhost: " << error << "\n" << HostUsage();
    return kBadUsage;
  }
  if (options.help) {
    std::cout << HostUsage();
    return 0;
  }
  try {
    return Run(options);
  } catch (const std::exception& e) {
    std::cerr << "jwhost: " << e.what() << "\n";
    return kToolFailed;
  }
}
