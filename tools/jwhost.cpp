// jwhost: a substitute for the host CAD program, for trying the tool out.
// It obeys the package's batch file: hands the tool the part of a drawing
// that the directives select, runs it in a working folder, puts its answer in
// place of that part, checks that every text kept its place and every entity
// came back, and draws the whole drawing before and after.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "BatchFile.h"
#include "Drawing.h"
#include "HandOver.h"
#include "HostDirectives.h"
#include "HostOptions.h"
#include "PngExport.h"
#include "PromiseCheck.h"
#include "ShiftJisDisplay.h"
#include "SvgPicture.h"
#include "ToolRun.h"
#include "WorkFolder.h"

namespace fs = std::filesystem;

namespace {

enum ExitCode { kPromiseKept = 0, kPromiseBroken = 1, kBadUsage = 2, kToolFailed = 3 };

std::string Describe(const EntityCounts& c) {
  return std::to_string(c.texts) + " texts and " + std::to_string(c.others) + " other entities";
}

// The host's part: from the batch file that `options` name (its path in
// `bat`), or the whole drawing with every attribute (`bat` empty). False
// (reported) when the batch file cannot be read or the host would not run it.
bool ResolveHostPlay(const HostOptions& options, HostPlay& play, fs::path& bat) {
  bat = options.bat;
  if (bat.empty() && !options.exe.empty()) bat = fs::path(options.exe).replace_extension(".bat");
  if (bat.empty() || bat == kNoBatchFile) {
    bat.clear();
    play = HostPlay{};
    std::cout << "batch file: none (the whole drawing is handed over)\n";
    return true;
  }
  std::optional<std::string> bytes = ReadFileBytes(bat);
  if (!bytes) {
    std::cerr << "jwhost: cannot read the batch file " << bat.string()
              << " (give --bat FILE, or --bat none for the whole drawing)\n";
    return false;
  }
  const BatchFile batch = ParseBatchFile(*bytes);
  std::string error;
  const std::string exeName =
      options.exe.empty() ? bat.stem().string() + ".exe" : options.exe.filename().string();
  if (!PlayFromBatch(batch, exeName, play, error)) {
    std::cerr << "jwhost: " << bat.string() << ": " << error << "\n";
    return false;
  }
  std::cout << "batch file: " << bat.string() << ": " << SjisToUtf8(batch.description) << "\n";
  for (const auto& note : play.notes) std::cout << "batch file: " << note << "\n";
  if (!play.prompt.empty()) std::cout << "host prompt: " << SjisToUtf8(play.prompt) << "\n";
  for (const auto& argument : play.toolArguments) {
    std::cout << "tool argument: " << SjisToUtf8(argument) << "\n";
  }
  return true;
}

// Writes `bytes` into the working folder as `name` and reads it as a drawing.
bool LoadPart(const fs::path& dir, const char* name, const std::string& bytes, Drawing& drawing) {
  const fs::path path = dir / name;
  if (!WriteFileBytes(path, bytes)) {
    std::cerr << "jwhost: cannot write " << path.string() << "\n";
    return false;
  }
  LoadDrawing(path.string(), nullptr, drawing);
  return true;
}

fs::path DefaultWinePrefix(const fs::path& workDir) {
  if (const char* own = std::getenv("JWHOST_WINEPREFIX"); own != nullptr && *own != '\0') {
    return own;
  }
  std::error_code ec;
  fs::path absolute = fs::absolute(workDir, ec);
  return (ec ? workDir : absolute).parent_path() / "wineprefix-jwhost";
}

// Lays out the folder, runs the batch file `bat` through the command
// processor there (or, without one, the tool itself) and waits for it; the
// path of the tool's answer, or "" (reported) when there is none: the run
// failed, or JWC_TEMP.TXT is still as the host wrote it, so that the batch
// file started no tool, the wrong one, or one it did not wait for.
fs::path RunToolInFolder(const HostOptions& options, const HostPlay& play, const fs::path& bat,
                         const std::string& drawingBytes) {
  WorkFolder folder;
  std::string error;
  if (!LayOutWorkFolder(options.workDir, options.exe, bat, drawingBytes, options.flipType, folder,
                        error)) {
    std::cerr << "jwhost: " << error << "\n";
    return {};
  }
  ToolRunOptions run;
  run.exe = folder.exe;
  run.batchFile = folder.batchFile;
  run.arguments = play.toolArguments;
  run.winePrefix = DefaultWinePrefix(options.workDir);
  run.logFile = folder.dir / "tool.log";
  run.press = options.press;
  run.timeoutSeconds = options.timeoutSeconds;
  run.xvfbDisplay = options.xvfbDisplay;
  std::cout << "work folder: " << folder.dir.string() << "\n";
  if (!bat.empty()) std::cout << "command processor: cmd /c " << bat.filename().string() << "\n";
  ToolRunResult result = RunTool(run);
  if (!result.error.empty()) std::cerr << "jwhost: " << result.error << "\n";
  if (!result.ended) return {};
  std::cout << (bat.empty() ? "tool" : "batch file") << " ended with exit code " << result.exitCode
            << (result.pressed ? " (window pressed by jwhost)" : "") << "\n";
  if (ReadFileBytes(folder.transferFile) == TransferFileBytes(drawingBytes)) {
    std::cerr << "jwhost: " << folder.transferFile.string()
              << " is as the host wrote it: no tool answered before "
              << (bat.empty() ? "the tool" : "the batch file") << " ended\n";
    return {};
  }
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

std::string AfterTitle(ToolAnswer answer, int flipType) {
  if (answer == ToolAnswer::kUnchanged) return "after: unchanged (hq)";
  if (flipType == kFlipTypeUnknown) return "after: hd";
  return "after: hd, flip type " + std::to_string(flipType);
}

// The drawing as the host holds it while the tool runs: cut into what it
// hands over and what it keeps, each part also read as a drawing.
struct HostSide {
  HandOverFiles parts;
  Drawing whole, selection, kept;
};

// Cuts the drawing of `options` by `rules`, writes the two parts into the
// working folder and reads them back. False (reported) when the drawing
// cannot be read or a part cannot be written.
bool PrepareHostSide(const HostOptions& options, const HandOverRules& rules, HostSide& host) {
  std::optional<std::string> drawingBytes = ReadFileBytes(options.drawing);
  if (!drawingBytes) {
    std::cerr << "jwhost: cannot read " << options.drawing.string() << "\n";
    return false;
  }
  host.parts = CutDrawing(*drawingBytes, rules);
  std::cout << "drawing: " << options.drawing.string() << ": " << Describe(host.parts.drawingCounts)
            << "\nhanded over: " << Describe(host.parts.selectedCounts)
            << "; kept untouched: " << Describe(host.parts.keptCounts) << "\n";
  if (host.parts.selectedNotErased.Total() > 0) {
    std::cout << "handed over but not erased: " << Describe(host.parts.selectedNotErased) << "\n";
  }
  std::error_code ec;
  fs::create_directories(options.workDir, ec);
  LoadDrawing(options.drawing.string(), nullptr, host.whole);
  return LoadPart(options.workDir, "selection.txt", host.parts.selection, host.selection) &&
         LoadPart(options.workDir, "kept.txt", host.parts.kept, host.kept);
}

// Puts the "hd" answer at `answer` in place of what was handed over: `after`
// becomes the kept part and the answer's entities, `afterCounts` their plain
// count. Returns the promise check of the answer's texts and entity count.
PromiseReport ReplaceSelection(const fs::path& answer, const HostSide& host, int flipType,
                               Drawing& after, EntityCounts& afterCounts) {
  // The answer names text types by number; the host reads them with its
  // own sizes, which are those of the drawing.
  Drawing answered;
  LoadDrawing(answer.string(), &host.whole.textTypes, answered);
  after = host.kept;
  AppendDrawing(after, answered);
  const EntityCounts back = CountEntities(ScanTransfer(ReadFileBytes(answer).value_or("")));
  const EntityCounts& kept = host.parts.keptCounts;
  afterCounts = {kept.texts + back.texts, kept.others + back.others};
  std::cout << "answer: hd (what was handed over is replaced): " << Describe(back) << "\n";
  PromiseReport report =
      CheckPromise(host.selection.texts, answered.texts, flipType, host.selection.firstFontName);
  CheckEntityCount(host.parts.selectedCounts, back, report);
  CheckNotDrawnTwice(host.parts.selectedNotErased, report);
  return report;
}

int Run(const HostOptions& options) {
  HostPlay play;
  HostSide host;
  fs::path bat;
  if (!ResolveHostPlay(options, play, bat) || !PrepareHostSide(options, play.rules, host)) {
    return kBadUsage;
  }
  fs::path answer = options.result;
  fs::path settings;
  if (answer.empty()) {
    answer = RunToolInFolder(options, play, bat, host.parts.handedOver);
    if (answer.empty()) return kToolFailed;
    settings = answer.parent_path() / options.exe.filename().replace_extension(".dat");
  }
  const ToolAnswer kind = ReadToolAnswer(answer);
  if (kind == ToolAnswer::kNone) {
    std::cerr << "jwhost: the tool left no answer (" << answer.string()
              << " is missing or begins with neither hq nor hd)\n";
    return kToolFailed;
  }

  // The flip type the tool used: the one its command line names, else the one
  // its window saved with OK, else the one given.
  int flipType = options.flipType.value_or(kFlipTypeUnknown);
  if (!settings.empty()) flipType = ReadSavedFlipType(settings).value_or(kFlipTypeUnknown);
  if (const int fromCommandLine = FlipTypeOfArguments(play.toolArguments); fromCommandLine >= 0) {
    flipType = fromCommandLine;
  }
  Drawing after = host.whole;
  EntityCounts afterCounts = host.parts.drawingCounts;
  PromiseReport report;
  if (kind == ToolAnswer::kUnchanged) {
    std::cout << "answer: hq (the drawing stays as it was)\n";
    flipType = kFlipTypeUnknown;
    report = CheckPromise(host.selection.texts, host.selection.texts, flipType);
  } else {
    report = ReplaceSelection(answer, host, flipType, after, afterCounts);
  }
  std::cout << "non-text entities after: " << afterCounts.others << " of the drawing's "
            << host.parts.drawingCounts.others << " (" << host.parts.keptCounts.others
            << " kept untouched)\n";
  for (const auto& line : report.broken) std::cout << "BROKEN " << line << "\n";
  std::cout << report.Summary() << "\n";
  if (!WriteSvgAndPng(options, host.whole, after, AfterTitle(kind, flipType))) return kToolFailed;
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
