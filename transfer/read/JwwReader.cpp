// The transfer-file reader: the file loop and the dispatch of statements. A
// line's first token picks the statement: a switch on its first byte picks
// the group of keywords that can match (ReadStatement), and within a group an
// if-chain tries the statements in a fixed order, where one whose token count
// does not fit passes the line on to the next. A four-token line that no
// statement takes is a plain line.
#include "transfer/read/JwwReader.h"

#include <cstdint>
#include <memory>
#include <string_view>

#include "common/MyFunc.h"
#include "transfer/read/JwwLineSplitter.h"
#include "transfer/read/JwwReadInPieces.h"
#include "transfer/read/JwwReaderAttributes.h"
#include "transfer/read/JwwReaderEntities.h"
#include "transfer/read/JwwTokenizer.h"
#include "transfer/seams/JwwSeams.h"
#include "transfer/store/JwwStore.h"

TJwwReadResult jwwReadResult = jrNoFile;

namespace {

// The tokens of the line being parsed, reused from line to line.
TJwwTokenList lineTokens;

// Tokens 1..count read as reals.
void ReadReals(const TJwwLineTokens& tokens, double* to, int count) {
  for (int i = 0; i < count; ++i) to[i] = tokens.Real(i + 1);
}

// Text kind of `key`, or -1 when it is no text keyword.
int32_t TextKind(std::string_view key) {
  for (int32_t kind = 0; kind < kJwwTextKindCount; ++kind) {
    if (key == kJwwTextKeywords[kind]) return kind;
  }
  return -1;
}

// Header settings and indicated points: keywords that start with "h".
bool ReadHeaderStatement(const TJwwLineTokens& tokens, std::string_view key, int n) {
  TJwwHeader& h = jwwHeader;
  if (key == "hk" && n >= 2) {
    h.hkValue = tokens.Real(1);
  } else if (key == "hs" && n >= 17) {
    ReadReals(tokens, h.groupScales, 16);
  } else if (key == "hzs" && n >= 3) {
    h.paperWidth = tokens.Real(1);
    h.paperHeight = tokens.Real(2);
  } else if (key == "hcw" && n >= 11) {
    for (int i = 0; i < 10; ++i) h.textTypes[i].width = tokens.Real(i + 1);
  } else if (key == "hch" && n >= 11) {
    for (int i = 0; i < 10; ++i) h.textTypes[i].height = tokens.Real(i + 1);
  } else if (key == "hcd" && n >= 11) {
    for (int i = 0; i < 10; ++i) h.textTypes[i].spacing = tokens.Real(i + 1);
  } else if (key == "hcc" && n >= 11) {
    for (int i = 0; i < 10; ++i) h.textTypes[i].colour = TextToInt(tokens[i + 1]);
  } else if (key == "hn" && n >= 5) {
    ReadReals(tokens, h.hnValues, 4);
  } else if (key.starts_with("hp") && n >= 3) {
    JwwReadIndicatedPoint(tokens);
  } else if (key.starts_with("hhp")) {
    JwwReadIndicatedPointNo(tokens);
  } else {
    return false;
  }
  return true;
}

// Layer names and the line attributes: keywords that start with "l". Every
// keyword of the form "lg", "ly", "lc", "lt", "lw" is taken.
bool ReadLineAttribute(const TJwwLineTokens& tokens, std::string_view key) {
  TJwwHeader& h = jwwHeader;
  const TJwwCurrentAttributes& cur = currentAttributes;
  if (key.starts_with("lgn")) {
    h.groupNames[cur.curGroup] = key.substr(3);
  } else if (key.starts_with("lyn")) {
    h.layerNames[cur.curGroup * 16 + cur.curLayer] = key.substr(3);
  } else if (key.starts_with("lg")) {
    JwwReadLayerGroup(tokens);
  } else if (key.starts_with("ly")) {
    JwwReadLayer(tokens);
  } else if (key.starts_with("lc")) {
    JwwReadColour(tokens);
  } else if (key.starts_with("lt")) {
    JwwReadLineType(tokens);
  } else if (key.starts_with("lw")) {
    JwwReadLineWidth(tokens);
  } else {
    return false;
  }
  return true;
}

// Text attributes, circles, arcs and texts: keywords that start with "c".
bool ReadCStatement(const TJwwLineTokens& tokens, std::string_view key, int n) {
  if (key.starts_with("cn$")) {
    JwwReadFontName(tokens);
  } else if (key.starts_with("cn")) {
    JwwReadTextType(tokens);
  } else if (key.starts_with("cc")) {
    JwwReadBasePoint(tokens);
  } else if (key == JwwKindKeyword(jekCircle) && n == 4) {
    JwwReadCircle(tokens);
  } else if (key == JwwKindKeyword(jekArc) && n >= 8) {
    JwwReadArc(tokens);
  } else if (int32_t kind = TextKind(key); kind >= 0 && n >= 6) {
    JwwReadText(tokens, kind);
  } else {
    return false;
  }
  return true;
}

// "z1".."z5": z flags for the next entity.
bool ReadZFlag(std::string_view key) {
  if (key.size() != 2 || key[1] < '1' || key[1] > '5') return false;
  currentAttributes.curZFlags |= 1 << (key[1] - '1');
  return true;
}

// Point colour, polyline start and points: keywords that start with "p".
bool ReadPStatement(const TJwwLineTokens& tokens, std::string_view key, int n) {
  if (key.starts_with("pn")) {
    currentAttributes.curPointColour = TextToInt(key.substr(2));
    inPolyline = false;
  } else if (key == "pl") {
    if (polylineCount < INT32_MAX) ++polylineCount;
    inPolyline = true;
    lineTextPending = false;
  } else if (key == JwwKindKeyword(jekPoint) && n == 3) {
    JwwReadPoint(tokens);
  } else if (key == JwwKindKeyword(jekPointEx) && n >= 6) {
    JwwReadPointEx(tokens);
  } else {
    return false;
  }
  return true;
}

// Solids: keywords that start with "s".
bool ReadSolidStatement(const TJwwLineTokens& tokens, std::string_view key, int n) {
  if (key == JwwKindKeyword(jekSolid2) && (n == 5 || n == 7 || n >= 9)) {
    JwwReadSolid(tokens);
  } else if (key == JwwKindKeyword(jekSolidSc) && n >= 9) {
    JwwReadSolidWithCode(tokens, jekSolidSc);
  } else if (key == JwwKindKeyword(jekSolidSe) && n >= 9) {
    JwwReadSolidWithCode(tokens, jekSolidSe);
  } else if (key == JwwKindKeyword(jekSolidSo) && n >= 9) {
    JwwReadSolidOfEight(tokens, jekSolidSo);
  } else if (key == JwwKindKeyword(jekSolidSg) && n >= 9) {
    JwwReadSolidOfEight(tokens, jekSolidSg);
  } else {
    return false;
  }
  return true;
}

// The statement of the split line, if any. True when one took the line.
bool ReadStatement(const TJwwLineTokens& tokens, std::string_view key, int n) {
  // "=" turns splitting off, so a first token holding "file=" is the only
  // token: lines of several tokens need no search.
  if (n == 1 && key.find("file=") != std::string_view::npos) {
    jwwHeader.drawingFileName = key.substr(5);
    return true;
  }
  switch (key[0]) {
    case 'h':
      return ReadHeaderStatement(tokens, key, n);
    case 'b':
      if (key != "bz") return false;
      jwwHeader.bzFlag = true;
      return true;
    case 'l':
      return ReadLineAttribute(tokens, key);
    case 'c':
      return ReadCStatement(tokens, key, n);
    case 'z':
      return ReadZFlag(key);
    case 'p':
      return ReadPStatement(tokens, key, n);
    case 'm':
      if (key != JwwKindKeyword(jekLineText)) return false;
      lineTextPending = true;
      inPolyline = false;
      return true;
    case '#':
      if (key != "#") return false;
      inPolyline = false;
      lineTextPending = false;
      return true;
    case 'B':
      if (key != JwwKindKeyword(jekBlk) || n < 4) return false;
      JwwReadBlockInsertion(tokens);
      return true;
    case 's':
      return ReadSolidStatement(tokens, key, n);
    default:
      return false;
  }
}

constexpr size_t kReadBlockSize = size_t{1} << 20;

class TParseEachLine final : public TJwwLineHandler {
 public:
  void Line(std::string_view line) override { JwwParseLine(line); }
};

// Feeds the open file to the parser block by block, on this thread alone,
// counting the bytes in `bytesRead`. False when a read fails, a mark inside a
// line cuts data off or statements follow the end-of-file mark; exceptions
// from parsing pass through.
bool ReadLinesOnOneThread(TJwwFile file, uint64_t& bytesRead) {
  std::unique_ptr<char[]> block(new char[kReadBlockSize]);
  TJwwLineSplitter splitter;
  TParseEachLine parse;
  for (;;) {
    long long got = jwwFileOps.read(file, block.get(), kReadBlockSize);
    if (got < 0) return false;
    if (got == 0) break;
    bytesRead += static_cast<uint64_t>(got);
    if (!JwwFeedLines(splitter, {block.get(), static_cast<size_t>(got)}, parse)) return false;
  }
  JwwFinishLines(splitter, parse);
  return true;
}

// `sizeAtOpen` (-1 when not known) chooses the way.
bool ReadAllLines(TJwwFile file, long long sizeAtOpen, uint64_t& bytesRead) {
  return JwwPiecesPayFor(sizeAtOpen, kJwwSecondThreadBytes)
             ? JwwReadLinesInPieces(file, bytesRead, JwwApplyTokens)
             : ReadLinesOnOneThread(file, bytesRead);
}

// Whether a read that went to the end of the file saw the whole file. The
// host writes its header lines before any entity, so a file without a
// single byte was cut short; so was one that ended before the size it had
// when it was opened, or after it (another process cut it or wrote past its
// end while it was read). `sizeAtOpen` is -1 when it could not be told.
bool WholeFileRead(uint64_t bytesRead, long long sizeAtOpen) {
  if (bytesRead == 0) return false;
  return sizeAtOpen < 0 || bytesRead == static_cast<uint64_t>(sizeAtOpen);
}

// Whether the file was left alone while it was read: the system tells the
// same of it at the end as at open (the size, and where it tells them the
// identity and the stamps), so it was not written, cut, regrown or rewritten
// in place meanwhile; and the path still names it, so no other file was
// renamed over it, which the host would read back in its place.
bool UnchangedWhileRead(const TJwwFileState& atOpen, const TJwwFileState& atEnd,
                        const TJwwFileState& atPath) {
  if (!(atEnd == atOpen)) return false;
  return !atOpen.told ||
         (atPath.told && atPath.device == atOpen.device && atPath.file == atOpen.file);
}

}  // namespace

void JwwParseLine(std::string_view line) {
  JwwSplitLine(line, lineTokens);
  JwwApplyTokens(lineTokens.View());
}

void JwwApplyTokens(const TJwwLineTokens& tokens) {
  const std::string_view key = tokens[0];
  if (key.empty()) return;  // no token at all: blanks and dropped bytes only
  // A four-token line that no statement takes is a plain line, whatever its
  // first token says.
  if (!ReadStatement(tokens, key, tokens.count) && tokens.count == 4) JwwReadPlainLine(tokens);
}

bool JwwReadFile(const std::string& path) {
  jwwReadResult = jrIncomplete;
  TJwwFile file = nullptr;
  bool complete = false;
  try {
    const TJwwPathKind kind = jwwFileOps.pathKind(path);
    if (kind == TJwwPathKind::none) {
      jwwReadResult = jrNoFile;
      return false;
    }
    // Opening a FIFO would wait for a writer, and a device may never end.
    if (kind == TJwwPathKind::regular) file = jwwFileOps.openRead(path);
    if (!file) {
      jwwReadResult = jrNotOpened;
      return false;
    }
    const TJwwFileState atOpen = jwwFileOps.state(file);
    uint64_t bytesRead = 0;
    complete = ReadAllLines(file, atOpen.size, bytesRead) && WholeFileRead(bytesRead, atOpen.size) &&
               UnchangedWhileRead(atOpen, jwwFileOps.state(file), jwwFileOps.pathState(path));
  } catch (const TJwwFileInUse&) {
    jwwReadResult = jrInUse;
    return false;
  } catch (...) {
    // Memory ran out or a statement failed: what was stored so far stays.
    complete = false;
  }
  if (file) {
    try {
      jwwFileOps.close(file);
    } catch (...) {
    }
  }
  if (complete) jwwReadResult = jrComplete;
  return complete;
}
