// A hash over the store, one field at a time (records may hold padding and
// arena pointers, which must not take part), a 64-bit word per step in the
// manner of FNV-1a: each step xors in a word and multiplies by an odd number,
// a bijection of the running hash, so two stores that differ in one word
// always differ in their digest. Word steps keep it cheap beside the reads it
// compares: the fuzzer digests every store it reads.
#include "fuzz/StoreDigest.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

#include "transfer/JwwGaibu.h"

namespace {

class Fnv {
 public:
  template <class T>
  void Value(T value) {
    static_assert(std::is_arithmetic_v<T> && sizeof(T) <= sizeof(uint64_t));
    uint64_t word = 0;
    std::memcpy(&word, &value, sizeof value);
    Word(word);
  }
  void Text(std::string_view text) {
    Value(text.size());
    size_t at = 0;
    for (; at + sizeof(uint64_t) <= text.size(); at += sizeof(uint64_t)) {
      uint64_t word;
      std::memcpy(&word, text.data() + at, sizeof word);
      Word(word);
    }
    if (at == text.size()) return;
    uint64_t tail = 0;
    std::memcpy(&tail, text.data() + at, text.size() - at);
    Word(tail);
  }
  uint64_t Result() const { return hash_; }

 private:
  void Word(uint64_t word) { hash_ = (hash_ ^ word) * 0x100000001B3ull; }

  uint64_t hash_ = 0xCBF29CE484222325ull;
};

void Mix(Fnv& h, const TJwwEntHead& head) {
  for (int32_t v : {head.indicatedPointNo, head.layerGroup, head.layer, head.colour, head.lineType,
                    head.lineWidth, head.zFlags})
    h.Value(v);
}

void Mix(Fnv& h, const TJwwEntLine& r) {
  Mix(h, r.head);
  h.Value(r.polylineNo);
  for (double v : {r.x1, r.y1, r.x2, r.y2}) h.Value(v);
}

void Mix(Fnv& h, const TJwwEntCircle& r) {
  Mix(h, r.head);
  for (double v : {r.cx, r.cy, r.radius}) h.Value(v);
}

void Mix(Fnv& h, const TJwwEntArc& r) {
  Mix(h, r.head);
  for (double v : {r.cx, r.cy, r.radius, r.startAngle, r.endAngle, r.flatness, r.tilt}) h.Value(v);
}

void Mix(Fnv& h, const TJwwEntText& r) {
  Mix(h, r.head);
  for (int32_t v : {r.textKind, r.basePoint, r.textType}) h.Value(v);
  for (double v : {r.width, r.height, r.spacing, r.x, r.y, r.dx, r.dy}) h.Value(v);
  h.Text(r.fontName.View());
  h.Text(r.text.View());
}

void Mix(Fnv& h, const TJwwEntPoint& r) {
  Mix(h, r.head);
  for (double v : {r.x, r.y}) h.Value(v);
}

void Mix(Fnv& h, const TJwwEntPointEx& r) {
  Mix(h, r.head);
  for (double v : {r.x, r.y, r.value1, r.value2}) h.Value(v);
  h.Value(r.pointCode);
}

void Mix(Fnv& h, const TJwwEntLineText& r) {
  Mix(h, r.head);
  Mix(h, r.line);
  Mix(h, r.text);
}

void Mix(Fnv& h, const TJwwEntBlk& r) {
  Mix(h, r.head);
  for (double v : {r.x, r.y}) h.Value(v);
  h.Text(r.blockName < blockNames.size() ? std::string_view(blockNames[r.blockName])
                                         : std::string_view("<bad block name index>"));
}

void Mix(Fnv& h, const TJwwEntSolid2& r) {
  Mix(h, r.head);
  h.Value(r.solidColour);
  for (double v : {r.x1, r.y1, r.x2, r.y2}) h.Value(v);
}

void Mix(Fnv& h, const TJwwEntSolid3& r) {
  Mix(h, r.head);
  h.Value(r.solidColour);
  for (double v : {r.x1, r.y1, r.x2, r.y2, r.x3, r.y3}) h.Value(v);
}

void Mix(Fnv& h, const TJwwEntSolid4& r) {
  Mix(h, r.head);
  h.Value(r.solidColour);
  for (double v : {r.x1, r.y1, r.x2, r.y2, r.x3, r.y3, r.x4, r.y4}) h.Value(v);
}

void Mix(Fnv& h, const TJwwEntSolidSc& r) {
  Mix(h, r.head);
  h.Value(r.solidColour);
  for (double v : r.values) h.Value(v);
  h.Value(r.code);
}

void Mix(Fnv& h, const TJwwEntSolidSo& r) {
  Mix(h, r.head);
  h.Value(r.solidColour);
  for (double v : r.values) h.Value(v);
}

void Mix(Fnv& h, const TJwwEntRef& r) {
  h.Value(r.kind);
  h.Value(r.index);
}

template <class T>
void MixList(Fnv& h, const TJwwBlockList<T>& list) {
  h.Value(list.Count());
  for (int32_t i = 0; i < list.Count(); ++i) Mix(h, list[i]);
}

void MixHeader(Fnv& h) {
  const TJwwHeader& s = jwwHeader;
  h.Text(s.drawingFileName);
  h.Value(s.hkValue);
  for (double v : s.groupScales) h.Value(v);
  h.Value(s.paperWidth);
  h.Value(s.paperHeight);
  for (const TJwwTextType& t : s.textTypes) {
    for (double v : {t.width, t.height, t.spacing}) h.Value(v);
    h.Value(t.colour);
  }
  h.Value(s.bzFlag);
  for (double v : s.hnValues) h.Value(v);
  for (int32_t v : s.groupValues) h.Value(v);
  for (const std::string& name : s.groupNames) h.Text(name);
  for (int32_t v : s.layerValues) h.Value(v);
  for (const std::string& name : s.layerNames) h.Text(name);
  for (const TJwwIndicatedPoint& p : s.indicatedPoints) {
    h.Value(p.isSet);
    h.Value(p.x);
    h.Value(p.y);
    h.Value(p.snapKind);
  }
  h.Value(s.indicatedPointCount);
  h.Value(s.lineWidthSeen);
}

void MixAttributes(Fnv& h) {
  const TJwwInitialAttributes& i = initialAttributes;
  for (int32_t v : {i.initialGroup, i.initialLayer, i.initialColour, i.initialLineType,
                    i.initialLineWidth, i.initialTextType, i.initialFreeColour})
    h.Value(v);
  for (double v : {i.initialFreeWidth, i.initialFreeHeight, i.initialFreeSpacing}) h.Value(v);
  h.Text(i.initialFontName);

  const TJwwCurrentAttributes& c = currentAttributes;
  for (int32_t v : {c.curIndicatedPointNo, c.curGroup, c.curLayer, c.curColour, c.curLineType,
                    c.curLineWidth, c.curTextType, c.curFreeColour, c.curBasePoint, c.curZFlags,
                    c.curPointColour, c.curSolidColour})
    h.Value(v);
  for (double v : {c.curFreeWidth, c.curFreeHeight, c.curFreeSpacing}) h.Value(v);
  h.Text(c.curFontName);
  for (bool pending : attrPending) h.Value(pending);
}

}  // namespace

uint64_t StoreDigest() {
  Fnv h;
  MixHeader(h);
  MixAttributes(h);
  h.Value(polylineCount);
  h.Value(inPolyline);
  h.Value(lineTextPending);
  Mix(h, pendingLine);
  MixList(h, entityOrder);
  JwwForEachKind([&h](const auto& row) { MixList(h, *row.records); });
  return h.Result();
}
