// The output pass: every entity of the store in input order, with progress
// and the Escape abort.
#include "transfer/JwwOutputPass.h"

#include <cstring>
#include <new>
#include <string_view>

#include "transfer/JwwAttributeWriters.h"
#include "transfer/JwwEntityCommands.h"
#include "transfer/JwwNumberForms.h"
#include "transfer/JwwOutputLines.h"
#include "transfer/JwwStore.h"

namespace {

constexpr int32_t kProgressEvery = 100;

// "処理中(ESC:中断)：" and "／" in UTF-8.
constexpr std::string_view kProgressPrefix =
    "\xE5\x87\xA6\xE7\x90\x86\xE4\xB8\xAD\x28\x45\x53\x43\x3A\xE4\xB8\xAD\xE6\x96\xAD\x29\xEF\xBC"
    "\x9A";
constexpr std::string_view kProgressSlash = "\xEF\xBC\x8F";

// Shows "処理中(ESC:中断)：" entry "／" total, entry counted from 1.
void ShowProgress(TJwwProgressLabel& label, int32_t entry, int32_t total) {
  char text[kProgressPrefix.size() + kProgressSlash.size() + 2 * kJwwNumberMax];
  char* at = text;
  std::memcpy(at, kProgressPrefix.data(), kProgressPrefix.size());
  at = FormatInt(at + kProgressPrefix.size(), entry);
  std::memcpy(at, kProgressSlash.data(), kProgressSlash.size());
  at = FormatInt(at + kProgressSlash.size(), total);
  label.ShowText(std::string_view(text, static_cast<size_t>(at - text)));
}

// Entity writers by kind; block insertions (kind 8) have none.
constexpr void (*kWriters[kJwwKindCount + 1])(int32_t) = {
    nullptr,      WriteLine,     WriteCircle,  WriteArc,     WriteText,   WritePoint,
    WritePointEx, WriteLineText, nullptr,      WriteSolid2,  WriteSolid3, WriteSolid4,
    WriteSolidSc, WriteSolidSe,  WriteSolidSo, WriteSolidSg,
};

// Calls the writer of `ref`'s kind. A kind without a writer, or a kind or
// index that names no record, writes nothing.
void WriteEntity(const TJwwEntRef& ref) {
  if (ref.index < 0 || ref.index >= JwwKindCount(ref.kind)) return;
  if (kWriters[ref.kind] != nullptr) kWriters[ref.kind](ref.index);
}

}  // namespace

// Memory running out mid-pass is treated like an abort before anything was
// written: a partial command file would make the host delete the selection
// and draw back only part of it, so the output lines are cleared and the file
// becomes "hq".
void WriteAllEntities(TJwwProgressLabel& label) {
  try {
    if (jwwHeader.bzFlag) AddOutputLine("bz");
    const int32_t total = entityOrder.Count();
    for (int32_t i = 0; i < total; ++i) {
      if (i % kProgressEvery == 0) {
        ShowProgress(label, i + 1, total);
        if (label.EscapeDown()) {
          ClearOutputLines();
          break;
        }
      }
      WriteEntity(entityOrder[i]);
    }
    // Leave the host on the input's first layer group and layer.
    PutLayerGroup(initialAttributes.initialGroup);
    PutLayer(initialAttributes.initialLayer);
  } catch (const std::bad_alloc&) {
    ClearOutputLines();
  }
}
