// The output pass: every entity of the store in input order, with progress
// and the Escape abort. With a second thread, the command lines (nearly all
// the number forms of the pass) are rendered ahead, a piece of entities at a
// time, while the calling thread writes the attribute lines, which depend on
// everything written before, and appends each entity's rendered lines after
// them. The lines come out the same either way.
#include "transfer/write/JwwOutputPass.h"

#include <algorithm>
#include <array>
#include <vector>

#include "transfer/seams/JwwSeams.h"
#include "transfer/store/JwwStore.h"
#include "transfer/write/JwwAttributeWriters.h"
#include "transfer/write/JwwEntityWriters.h"
#include "transfer/write/JwwOutputLines.h"

namespace {

// Entity writers by kind; kinds without one (block insertions) hold nullptr.
constexpr auto kWriters = [] {
  std::array<const TJwwEntityWriter*, kJwwKindCount + 1> writers{};
  for (const TJwwKindWriter& row : kJwwKindWriters) writers[row.kind] = row.writer;
  return writers;
}();

// The record counts by kind (0 for no kind), taken once per pass: the pass
// adds no record, and the test runs for every entity, on both threads.
using TKindCounts = std::array<int32_t, kJwwKindCount + 1>;
TKindCounts KindCounts() {
  TKindCounts counts{};
  for (int32_t kind = 1; kind <= kJwwKindCount; ++kind) counts[kind] = JwwKindCount(kind);
  return counts;
}

// The writer of `ref`'s kind, or nullptr when the kind has none or `ref`
// names no record.
const TJwwEntityWriter* WriterOf(const TJwwEntRef& ref, const TKindCounts& counts) {
  if (ref.kind < 1 || ref.kind > kJwwKindCount) return nullptr;
  if (ref.index < 0 || ref.index >= counts[ref.kind]) return nullptr;
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
  const TKindCounts counts = KindCounts();
  for (int32_t i = 0; i < total && GoOnAt(i, total, progress); ++i) {
    const TJwwEntRef ref = entityOrder[i];
    if (const TJwwEntityWriter* writer = WriterOf(ref, counts)) {
      writer->attributes(ref.index);
      writer->command(ref.index, JwwOutputLinesSink());
    }
  }
}

// Entities per piece: enough to make the hand-over between the threads rare.
constexpr int32_t kEntitiesPerPiece = 1000;

// The entities of a piece: kEntitiesPerPiece, or what the test switch asks.
int32_t EntitiesPerPiece() {
  const int32_t asked = jwwHelperForTests.entitiesPerPiece;
  return asked > 0 ? asked : kEntitiesPerPiece;
}

// The pass as pieces of consecutive entities: Prepare renders their command
// lines, Finish writes each entity's attribute lines and then its rendered
// lines, with the progress and the Escape poll before entities 1, 101, 201...
class TPassInPieces final : public TJwwPieceWork {
 public:
  explicit TPassInPieces(TJwwProgress& progress) : progress_(progress) {}

  bool Produce(int slot) override {
    if (next_ >= total_) return false;
    TPiece& piece = pieces_[slot];
    piece.first = next_;
    piece.count = std::min(EntitiesPerPiece(), total_ - next_);
    next_ += piece.count;
    return true;
  }

  void Prepare(int slot) override {
    TPiece& piece = pieces_[slot];
    piece.lines.Clear();
    piece.entityEnds.clear();
    for (int32_t i = piece.first; i < piece.first + piece.count; ++i) {
      const TJwwEntRef ref = entityOrder[i];
      if (const TJwwEntityWriter* writer = WriterOf(ref, counts_)) {
        writer->command(ref.index, piece.lines);
      }
      piece.entityEnds.push_back(piece.lines.Count());
    }
  }

  bool WorthASecondThread() const override { return total_ > kEntitiesPerPiece; }

  bool Finish(int slot) override {
    const TPiece& piece = pieces_[slot];
    size_t line = 0;
    for (int32_t k = 0; k < piece.count; ++k) {
      const int32_t i = piece.first + k;
      if (!GoOnAt(i, total_, progress_)) return false;
      const TJwwEntRef ref = entityOrder[i];
      if (const TJwwEntityWriter* writer = WriterOf(ref, counts_)) writer->attributes(ref.index);
      AddOutputLines(piece.lines, line, piece.entityEnds[k]);
      line = piece.entityEnds[k];
    }
    return true;
  }

 private:
  struct alignas(kJwwSlotAlignment) TPiece {
    int32_t first = 0;
    int32_t count = 0;
    TJwwPendingLines lines;
    std::vector<size_t> entityEnds;  // lines rendered up to and including each entity
  };

  TJwwProgress& progress_;
  const int32_t total_ = entityOrder.Count();
  const TKindCounts counts_ = KindCounts();
  int32_t next_ = 0;
  TPiece pieces_[kJwwPieceSlots];
};

}  // namespace

void WriteAllEntities(TJwwProgress& progress) {
  if (jwwHeader.bzFlag) AddOutputLine("bz");
  if (JwwPiecesPayFor(entityOrder.Count(), kJwwSecondThreadEntities)) {
    TPassInPieces pass(progress);
    JwwRunPieces(pass);
  } else {
    WriteOnOneThread(progress);
  }
  // Leave the host on the input's first layer group and layer.
  PutLayerGroup(initialAttributes.initialGroup);
  PutLayer(initialAttributes.initialLayer);
}
