#include "fuzz/FuzzChecks.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "common/MyFunc.h"
#include "transfer/JwwGaibu.h"

namespace {

bool SoundField(const TJwwShortStr& field) {
  return field.size <= kJwwShortStrMax &&
         CharBoundaryLength(field.View(), kJwwShortStrMax) == field.size;
}

bool SoundText(const TJwwEntText& text) {
  return SoundField(text.fontName) && SoundField(text.text);
}

}  // namespace

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

void RequireSoundStore() {
  int64_t records = 0;
  for (int32_t kind = jekLine; kind <= kJwwKindCount; ++kind) records += JwwKindCount(kind);
  Require(records == entityOrder.Count(), "every record has one entry in the entity order");
  for (int32_t i = 0; i < entityOrder.Count(); ++i) {
    const TJwwEntRef ref = entityOrder[i];
    Require(ref.kind >= jekLine && ref.kind <= kJwwKindCount, "entity kind in 1..15");
    Require(ref.index >= 0 && ref.index < JwwKindCount(ref.kind), "entity index names a record");
  }
  for (int32_t i = 0; i < jwwTexts.Count(); ++i) Require(SoundText(jwwTexts[i]), "text fields");
  for (int32_t i = 0; i < jwwLineTexts.Count(); ++i)
    Require(SoundText(jwwLineTexts[i].text), "line-and-text fields");
  for (int32_t i = 0; i < jwwBlks.Count(); ++i)
    Require(jwwBlks[i].blockName < blockNames.size(), "block name index");
}

bool IsTextCommandLine(std::string_view line) {
  if (line.size() < 5 || line[2] != ' ' || line.substr(line.size() - 2) != " \"") return false;
  for (std::string_view keyword : kJwwTextKeywords)
    if (line.substr(0, 2) == keyword) return true;
  return false;
}

int CountTextCommands() {
  int count = 0;
  TJwwOutputLineCursor cursor;
  std::string_view line;
  while (cursor.Next(line)) {
    if (!IsTextCommandLine(line)) continue;
    ++count;
    cursor.Next(line);  // the text itself
  }
  return count;
}

int RequireSoundSavedFile(std::string_view bytes) {
  if (bytes == "hq\r\n") return 0;
  Require(bytes.substr(0, 4) == "hd\r\n", "the saved file is \"hq\" or begins with \"hd\"");
  int joined = 0;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find_first_of("\r\n", start);
    Require(end != std::string_view::npos, "every saved line ends in CR LF");
    Require(bytes.substr(end, 2) == "\r\n", "no lone CR or LF in the saved file");
    std::string_view line = bytes.substr(start, end - start);
    if (line.size() > kJwwLineMax) {
      size_t quote = line.find('"');
      Require(quote != std::string_view::npos && IsTextCommandLine(line.substr(0, quote + 1)),
              "a saved line longer than 255 bytes is a text command joined with its text");
      Require(quote + 1 <= kJwwLineMax && line.size() - quote - 1 <= kJwwLineMax,
              "each half of a joined text line is at most 255 bytes");
    }
    size_t quote = line.find('"');
    if (quote != std::string_view::npos && IsTextCommandLine(line.substr(0, quote + 1))) ++joined;
    start = end + 2;
  }
  return joined;
}

void RunOnOneThread() {
  jwwUseSecondThread = false;
  jwwHelperForTests = {};
}

namespace {

// Inputs run on two threads, those with the helper forced on, and those in
// which the helper prepared at least one piece.
struct THelperShare {
  int64_t inputs = 0;
  int64_t forced = 0;
  int64_t helped = 0;
  int64_t piecesBefore = 0;  // of the run under way
};
THelperShare share;

void PrintHelperShare() {
  std::fprintf(stderr,
               "helper share: %lld inputs run on two threads, the helper forced on in %lld, "
               "pieces prepared by it in %lld\n",
               static_cast<long long>(share.inputs), static_cast<long long>(share.forced),
               static_cast<long long>(share.helped));
}

// A hash of `input` whose top bit depends on every byte and its place.
uint64_t InputHash(std::string_view input) {
  uint64_t hash = input.size();
  for (unsigned char c : input) hash = hash * 31 + c;
  return hash * 0x9E3779B97F4A7C15ull;
}

}  // namespace

bool HelperForcedFor(std::string_view input) {
  return (InputHash(input) >> 63) != 0;
}

void RunTwoThreadWay(std::string_view input) {
  if (share.inputs++ == 0) std::atexit(PrintHelperShare);
  share.piecesBefore = jwwPiecesPreparedByHelper;
  jwwUseSecondThread = true;
  jwwHelperForTests = {};
  if (!HelperForcedFor(input)) return;
  ++share.forced;
  // About eight pieces either way, each handed between the threads, ending
  // anywhere: an eighth of the bytes plus 1 to 13, and an eighth of the lines
  // (a bound on the entities) plus 1 to 7 entities.
  const size_t lines = static_cast<size_t>(std::count(input.begin(), input.end(), '\n'));
  jwwHelperForTests = {true, 1 + input.size() / 8 + input.size() % 13,
                       1 + static_cast<int32_t>(lines / 8 + input.size() % 7)};
}

void EndTwoThreadWay() {
  if (jwwPiecesPreparedByHelper > share.piecesBefore) ++share.helped;
  jwwUseSecondThread = true;
  jwwHelperForTests = {};
}
