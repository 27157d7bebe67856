// Markdown tables, so that a run can go into docs/performance.md as printed.
#include "bench/BenchReport.h"

#include <string>

namespace {

constexpr double kMiB = 1024.0 * 1024.0;

// Targets at one million entities: the total at most 0.6 times the 463 ms
// of the core on one thread and 3 times the I/O floor, the peak memory at
// most 2.8 times the input; and at 10,000 entities the first run, on memory
// never used before and with every table still to build, within 1.2 times
// the warm runs.
constexpr int32_t kTargetEntities = 1000000;
constexpr double kTargetSeconds = 0.6 * 0.463;
constexpr double kTargetFloorRatio = 3.0;
constexpr double kTargetRssRatio = 2.8;
constexpr double kTargetGrowth = 1.15;
constexpr int32_t kFirstRunEntities = 10000;
constexpr double kTargetFirstRun = 1.2;

// How many times faster than each awk peer the core should be.
constexpr struct {
  const char* name;
  double lead;
} kPeerGoals[] = {{"gawk", 10.0}, {"mawk", 6.0}};

std::string Grouped(long long n) {
  std::string digits = std::to_string(n), out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

double InputMiB(const TSizeResult& r) {
  return static_cast<double>(r.counts.bytes) / kMiB;
}

// One stage: wall-clock median, its input throughput and cost per entity,
// and the processor time median (negative: not measured).
void StageRow(std::FILE* out, const TSizeResult& r, const char* stage, double seconds,
              double cpuSeconds) {
  double mbs = seconds > 0 ? InputMiB(r) / seconds : 0;
  char cpu[32] = "-";
  if (cpuSeconds >= 0) std::snprintf(cpu, sizeof cpu, "%.2f", cpuSeconds * 1e3);
  std::fprintf(out, "| %s | %s | %.2f | %.0f | %.0f | %s |\n", Grouped(r.counts.entities).c_str(),
               stage, seconds * 1e3, mbs, seconds * 1e9 / r.counts.entities, cpu);
}

double RssRatio(const TSizeResult& r) {
  return static_cast<double>(r.peakRssKb) * 1024.0 / static_cast<double>(r.counts.bytes);
}

// Cost per entity of `r` against that of the next smaller size.
double Growth(const TSizeResult& r, const TSizeResult& smaller) {
  return (r.medianSeconds[bsTotal] / r.counts.entities) /
         (smaller.medianSeconds[bsTotal] / smaller.counts.entities);
}

void Judge(std::FILE* out, const char* target, double value, double limit, const char* unit) {
  std::fprintf(out, "- %s: %.3g%s (limit %.3g%s) %s\n", target, value, unit, limit, unit,
               value <= limit ? "met" : "MISSED");
}

void PrintTargets(std::FILE* out, const std::vector<TSizeResult>& results) {
  const TSizeResult* million = nullptr;
  const TSizeResult* tenth = nullptr;
  const TSizeResult* small = nullptr;
  for (const TSizeResult& r : results) {
    if (r.counts.entities == kTargetEntities) million = &r;
    if (r.counts.entities == kTargetEntities / 10) tenth = &r;
    if (r.counts.entities == kFirstRunEntities) small = &r;
  }
  if (small && small->ok) {
    std::fprintf(out, "\nTarget at %s entities:\n", Grouped(kFirstRunEntities).c_str());
    Judge(out, "first run / warm run", small->firstTotalSeconds / small->medianSeconds[bsTotal],
          kTargetFirstRun, "x");
  }
  if (!million || !million->ok) return;
  std::fprintf(out, "\nTargets at %s entities:\n", Grouped(kTargetEntities).c_str());
  const TSizeResult& m = *million;
  Judge(out, "total time", m.medianSeconds[bsTotal], kTargetSeconds, " s");
  Judge(out, "total / I/O floor", m.medianSeconds[bsTotal] / m.floorMedianSeconds,
        kTargetFloorRatio, "x");
  Judge(out, "peak RSS / input size", RssRatio(m), kTargetRssRatio, "x");
  if (tenth && tenth->ok) {
    Judge(out, "time / (10 x time at 100,000)", Growth(m, *tenth), kTargetGrowth, "x");
  }
}

}  // namespace

void PrintBenchReport(std::FILE* out, const std::vector<TSizeResult>& results, bool smoke) {
  if (smoke)
    std::fprintf(out, "Smoke run: one run of a small file; no figure here is a measurement.\n\n");
  std::fprintf(out, "| entities | stage | median ms | input MiB/s | ns/entity | CPU ms |\n");
  std::fprintf(out, "|---:|---|---:|---:|---:|---:|\n");
  for (const TSizeResult& r : results) {
    if (!r.ok) continue;
    for (int s = 0; s < kBenchStageCount; ++s) {
      StageRow(out, r, BenchStageName(s), r.medianSeconds[s], r.cpuMedianSeconds[s]);
    }
    StageRow(out, r, "I/O floor", r.floorMedianSeconds, -1);
  }

  std::fprintf(out,
               "\n| entities | input MiB | output MiB | total ms | first run ms | floor ms "
               "| total/floor | peak RSS MiB | RSS/input | ns/entity vs smaller |\n");
  std::fprintf(out, "|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n");
  const TSizeResult* smaller = nullptr;
  for (const TSizeResult& r : results) {
    if (!r.ok) {
      std::fprintf(out, "| %s | FAILED: %s |\n", Grouped(r.counts.entities).c_str(), r.problem);
      continue;
    }
    char growth[32] = "-";
    if (smaller) std::snprintf(growth, sizeof growth, "%.2f", Growth(r, *smaller));
    std::fprintf(out, "| %s | %.1f | %.1f | %.1f | %.1f | %.1f | %.2f | %.1f | %.2f | %s |\n",
                 Grouped(r.counts.entities).c_str(), InputMiB(r),
                 static_cast<double>(r.outputBytes) / kMiB, r.medianSeconds[bsTotal] * 1e3,
                 r.firstTotalSeconds * 1e3, r.floorMedianSeconds * 1e3,
                 r.medianSeconds[bsTotal] / r.floorMedianSeconds,
                 static_cast<double>(r.peakRssKb) / 1024.0, RssRatio(r), growth);
    smaller = &r;
  }
  if (!smoke) PrintTargets(out, results);
}

void PrintPeerReport(std::FILE* out, const TSyntheticCounts& counts,
                     const std::vector<TPeerResult>& results,
                     const std::vector<std::string>& skipped, bool smoke) {
  std::fprintf(out, "\n%s entities (%.1f MiB), flip type 2, each program a whole process%s:\n\n",
               Grouped(counts.entities).c_str(), static_cast<double>(counts.bytes) / kMiB,
               smoke ? " (smoke run: no figure here is a measurement)" : "");
  std::fprintf(out, "| program | median s | runs (s) | peak RSS MiB |\n|---|---:|---|---:|\n");
  const TPeerResult* core = nullptr;
  for (const TPeerResult& r : results) {
    if (r.name == "core") core = &r;
    std::string runs;
    for (double s : r.seconds) {
      char run[32];
      std::snprintf(run, sizeof run, runs.empty() ? "%.3f" : " %.3f", s);
      runs += run;
    }
    if (!r.ok) runs.append(" FAILED: ").append(r.problem);
    std::fprintf(out, "| %s | %.3f | %s | %.1f |\n", r.name.c_str(), r.medianSeconds,
                 runs.c_str(), static_cast<double>(r.peakRssKb) / 1024.0);
  }
  for (const std::string& name : skipped) {
    std::fprintf(out, "\n%s: not run (not installed, or no awk script)\n", name.c_str());
  }
  if (smoke || !core || !core->ok || core->medianSeconds <= 0) return;
  std::fprintf(out, "\nThe core's lead (the peer's median over the core's):\n");
  for (const TPeerResult& r : results) {
    for (const auto& goal : kPeerGoals) {
      if (r.name != goal.name || !r.ok) continue;
      const double lead = r.medianSeconds / core->medianSeconds;
      std::fprintf(out, "- over %s: %.2fx (goal %.3gx) %s\n", goal.name, lead, goal.lead,
                   lead >= goal.lead ? "met" : "MISSED");
    }
  }
}
