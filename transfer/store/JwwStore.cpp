// The entity store's module-level state and its own part of the life cycle.
#include "transfer/store/JwwStore.h"

#include <cstring>
#include <memory>

#include "common/MyFunc.h"
#include "transfer/seams/JwwSeams.h"

TJwwBlockList<TJwwEntRef> entityOrder;
std::vector<std::string> blockNames;

TJwwHeader jwwHeader;
TJwwInitialAttributes initialAttributes;
TJwwCurrentAttributes currentAttributes;
bool attrPending[kJwwAttrCount];

int32_t polylineCount;
bool inPolyline;
bool lineTextPending;
TJwwEntLine pendingLine;

namespace {

// The text arena: chunks that are filled front to back and never moved, so a
// TJwwShortStr may point into them for the life of the store.
constexpr size_t kArenaChunk = 1 << 20;
std::vector<std::unique_ptr<char[]>> arenaChunks;
size_t arenaUsed = kArenaChunk;  // bytes used in the last chunk

// Texts nearly always share the current font name: it is stored once and
// reused until the current font changes.
TJwwShortStr storedFont;

void ClearArena() {
  arenaChunks.clear();
  arenaChunks.shrink_to_fit();
  arenaUsed = kArenaChunk;
  storedFont = {};
}

void ClearKinds() {
  entityOrder.Clear();
  JwwForEachKind([](const auto& row) { row.records->Clear(); });
  blockNames.clear();
  blockNames.shrink_to_fit();
}

void ReleaseKinds() {
  entityOrder.Release();
  JwwForEachKind([](const auto& row) { row.records->Release(); });
  blockNames.clear();
  blockNames.shrink_to_fit();
}

void SetHeaderDefaults() {
  TJwwHeader& h = jwwHeader;
  h.drawingFileName.clear();
  h.hkValue = 0;
  for (double& s : h.groupScales) s = 1.0;
  h.paperWidth = 1189.0;
  h.paperHeight = 841.0;
  for (TJwwTextType& t : h.textTypes) t = {3.0, 3.0, 0.0, 2};
  h.bzFlag = false;
  for (double& v : h.hnValues) v = 0;
  h.groupValues.assign(16, 0);
  h.groupNames.assign(16, std::string());
  h.layerValues.assign(256, 0);
  h.layerNames.assign(256, std::string());
  h.indicatedPoints.assign(100, TJwwIndicatedPoint{});
  h.indicatedPointCount = 0;
  h.lineWidthSeen = false;
}

void SetAttributeDefaults() {
  initialAttributes = {};
  initialAttributes.initialColour = 1;
  initialAttributes.initialLineType = 1;
  initialAttributes.initialTextType = 1;
  initialAttributes.initialFreeWidth = 2.0;
  initialAttributes.initialFreeHeight = 2.0;
  initialAttributes.initialFreeColour = 1;

  currentAttributes.curIndicatedPointNo = 0;
  currentAttributes.curZFlags = 0;
  JwwResetCurrentAttributes();

  // The reader's six "not seen yet" flags; the writer's four stay as they are
  // until its own reset.
  for (int a = jaGroup; a <= jaTextType; ++a) attrPending[a] = true;
}

}  // namespace

void JwwResetCurrentAttributes() {
  TJwwCurrentAttributes& c = currentAttributes;
  c.curGroup = 0;
  c.curLayer = 0;
  c.curColour = 1;
  c.curLineType = 1;
  c.curLineWidth = 0;
  c.curTextType = 1;
  c.curFreeWidth = 2.0;
  c.curFreeHeight = 2.0;
  c.curFreeSpacing = 0.0;
  c.curFreeColour = 1;
  c.curBasePoint = 0;
  c.curFontName.assign(kJwwDefaultFontName);
  c.curPointColour = 1;
  c.curSolidColour = 0;
}

void JwwInitStore() {
  ClearKinds();
  ClearArena();
  SetHeaderDefaults();
  SetAttributeDefaults();
  polylineCount = 0;
  inPolyline = false;
  lineTextPending = false;
  pendingLine = {};
  pendingLine.head.colour = 1;
  pendingLine.head.lineType = 1;
  pendingLine.x2 = 1.0;
}

void JwwFillHead(TJwwEntHead& head) {
  const TJwwCurrentAttributes& c = currentAttributes;
  head.indicatedPointNo = c.curIndicatedPointNo;
  head.layerGroup = c.curGroup;
  head.layer = c.curLayer;
  head.colour = c.curColour;
  head.lineType = c.curLineType;
  head.lineWidth = c.curLineWidth;
  head.zFlags = c.curZFlags;
}

void JwwAddRef(int32_t kind, int32_t index) {
  entityOrder.Append() = {kind, index};
}

TJwwShortStr JwwStoreShortStr(std::string_view s) {
  s = s.substr(0, CharBoundaryLength(s, kJwwShortStrMax));
  if (s.empty()) return {};
  if (kArenaChunk - arenaUsed < s.size()) {
    JwwAskBlockAllocSeam();
    ReserveForOneMore(arenaChunks);
    arenaChunks.emplace_back(new char[kArenaChunk]);
    arenaUsed = 0;
  }
  char* at = arenaChunks.back().get() + arenaUsed;
  std::memcpy(at, s.data(), s.size());
  arenaUsed += s.size();
  return {at, static_cast<uint32_t>(s.size())};
}

TJwwShortStr JwwStoreCurrentFontName() {
  const std::string& name = currentAttributes.curFontName;
  std::string_view cut(name.data(), CharBoundaryLength(name, kJwwShortStrMax));
  if (storedFont.View() != cut) storedFont = JwwStoreShortStr(cut);
  return storedFont;
}

void JwwReleaseStore() {
  ReleaseKinds();
  ClearArena();
  TJwwHeader& h = jwwHeader;
  h.groupValues = {};
  h.groupNames = {};
  h.layerValues = {};
  h.layerNames = {};
  h.indicatedPoints = {};
}
