// How the robustness tests adapt to the build they run in: JWW_QUICK shrinks
// the huge inputs, and a sanitizer build measures no memory (its shadow
// memory and quarantine would swamp the figures).
#pragma once

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kSanitizedBuild = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kSanitizedBuild = true;
#else
inline constexpr bool kSanitizedBuild = false;
#endif
#else
inline constexpr bool kSanitizedBuild = false;
#endif

inline bool QuickRun() {
  return std::getenv("JWW_QUICK") != nullptr;
}

// One field of /proc/self/status in bytes, or -1 when it cannot be read.
inline int64_t ProcStatusBytes(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string name;
  while (status >> name) {
    if (name == field + ":") {
      int64_t kib = -1;
      status >> kib;
      return kib < 0 ? -1 : kib * 1024;
    }
    std::getline(status, name);
  }
  return -1;
}

// Measures how far the resident memory rises above where it stood when the
// meter was made (Linux: the peak is reset through /proc/self/clear_refs).
class TPeakMemoryMeter {
 public:
  TPeakMemoryMeter() {
    std::ofstream reset("/proc/self/clear_refs");
    reset << "5";
    reset.close();
    usable_ = !kSanitizedBuild && reset.good();
    start_ = ProcStatusBytes("VmRSS");
  }
  // False when this build or system cannot measure.
  bool Usable() const { return usable_ && start_ >= 0; }
  int64_t RiseBytes() const { return ProcStatusBytes("VmHWM") - start_; }

 private:
  bool usable_;
  int64_t start_;
};
