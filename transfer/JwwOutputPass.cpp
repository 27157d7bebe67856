// The output pass: every entity of the store in input order, with progress
// and the Escape abort.
#include "transfer/JwwOutputPass.h"

#include <array>

#include "transfer/JwwAttributeWriters.h"
#include "transfer/JwwEntityKinds.h"
#include "transfer/JwwOutputLines.h"
#include "transfer/JwwStore.h"

namespace {

// Entity writers by kind; kinds without one (block insertions) hold nullptr.
constexpr auto kWriters = [] {
  std::array<const TJwwEntityWriter*, kJwwKindCount + 1> writers{};
  JwwForEachKind([&](const auto& row) { writers[row.kind] = row.writer; });
  return writers;
}();

// The writer of `ref`'s kind, or nullptr when the kind has none or `ref`
// names no record.
const TJwwEntityWriter* WriterOf(const TJwwEntRef& ref) {
  if (ref.index < 0 || ref.index >= JwwKindCount(ref.kind)) return nullptr;
  return kWriters[ref.kind];
}

// Before entity `i` (counted from 0) of `total`: every kJwwProgressEvery
// entities, tells `progress` and polls Escape. False when Escape is down; the
// output lines are then cleared.
bool GoOnAt(int32_t i, int32_t total, TJwwProgress& progress) {
  if (i % kJwwProgressEvery != 0) return true;
  progress.WritingEntity(i + 1, total);
  if (!progress.EscapeDown()) return true;
  ClearOutputLines();
  return false;
}

void WriteOnOneThread(TJwwProgress& progress) {
  const int32_t total = entityOrder.Count();
  for (int32_t i = 0; i < total && GoOnAt(i, total, progress); ++i) {
    const TJwwEntRef ref = entityOrder[i];
    if (const TJwwEntityWriter* writer = WriterOf(ref)) {
      writer->attributes(ref.index);
      writer->command(ref.index, JwwOutputLinesSink());
    }
  }
}

}  // namespace

void WriteAllEntities(TJwwProgress& progress) {
  if (jwwHeader.bzFlag) AddOutputLine("bz");
  WriteOnOneThread(progress);
  // Leave the host on the input's first layer group and layer.
  PutLayerGroup(initialAttributes.initialGroup);
  PutLayer(initialAttributes.initialLayer);
}
