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
  std::array<void (*)(int32_t), kJwwKindCount + 1> writers{};
  JwwForEachKind([&](const auto& row) { writers[row.kind] = row.write; });
  return writers;
}();

// Calls the writer of `ref`'s kind. A kind without a writer, or a kind or
// index that names no record, writes nothing.
void WriteEntity(const TJwwEntRef& ref) {
  if (ref.index < 0 || ref.index >= JwwKindCount(ref.kind)) return;
  if (kWriters[ref.kind] != nullptr) kWriters[ref.kind](ref.index);
}

}  // namespace

void WriteAllEntities(TJwwProgress& progress) {
  if (jwwHeader.bzFlag) AddOutputLine("bz");
  const int32_t total = entityOrder.Count();
  for (int32_t i = 0; i < total; ++i) {
    if (i % kJwwProgressEvery == 0) {
      progress.WritingEntity(i + 1, total);
      if (progress.EscapeDown()) {
        ClearOutputLines();
        break;
      }
    }
    WriteEntity(entityOrder[i]);
  }
  // Leave the host on the input's first layer group and layer.
  PutLayerGroup(initialAttributes.initialGroup);
  PutLayer(initialAttributes.initialLayer);
}
