// The pipeline under measurement, stage by stage: the run's phases
// themselves, with progress that shows nothing, so that only the core is
// timed.
#include "bench/PipelineRun.h"

#include <chrono>
#include <ctime>
#include <functional>

#include "flip/BasePointFlip.h"
#include "flip/ConfirmedRun.h"
#include "transfer/JwwGaibu.h"

namespace {

using TClock = std::chrono::steady_clock;

// Shows nothing; its first report of the output pass ends the flip stage.
class TStageProgress final : public TJwwProgress {
 public:
  explicit TStageProgress(std::function<void()> passBegins) : passBegins_(std::move(passBegins)) {}
  void FlippingText(int32_t, int32_t) override {}
  void WritingEntity(int32_t entry, int32_t) override {
    if (entry == 1) passBegins_();
  }
  bool EscapeDown() override { return false; }

 private:
  std::function<void()> passBegins_;
};

// Processor time used by the process so far: unlike the wall clock, it does
// not grow while other programs hold the processor.
double ProcessorSeconds() {
  return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

}  // namespace

const char* BenchStageName(int stage) {
  static const char* const kNames[kBenchStageCount] = {"read", "flip",  "write",
                                                       "save", "total", "release"};
  return stage >= 0 && stage < kBenchStageCount ? kNames[stage] : "?";
}

TPipelineRun RunPipelineOnce(const std::string& input, const std::string& output) {
  TPipelineRun run;
  TClock::time_point wallStart = TClock::now();
  double cpuStart = ProcessorSeconds();
  // Ends the stage `stage` (and starts the next one).
  auto endStage = [&](int stage) {
    const TClock::time_point wallNow = TClock::now();
    const double cpuNow = ProcessorSeconds();
    run.seconds[stage] = std::chrono::duration<double>(wallNow - wallStart).count();
    run.cpuSeconds[stage] = cpuNow - cpuStart;
    wallStart = wallNow;
    cpuStart = cpuNow;
  };

  run.readComplete = OpenTransferFile(input);
  endStage(bsRead);
  run.entities = entityOrder.Count();
  run.texts = jwwTexts.Count();

  TStageProgress progress([&] { endStage(bsFlip); });
  RunConfirmedFlip(ftBoth, progress);
  endStage(bsWrite);
  run.outputLines = OutputLineCount();

  // CloseTransferFile in its two steps, so that the save, which the user
  // waits for, and the release after it are timed apart.
  run.saved = SaveOutputFile(output);
  endStage(bsSave);
  for (int s : {bsRead, bsFlip, bsWrite, bsSave}) {
    run.seconds[bsTotal] += run.seconds[s];
    run.cpuSeconds[bsTotal] += run.cpuSeconds[s];
  }

  JwwRelease();
  endStage(bsRelease);
  return run;
}
