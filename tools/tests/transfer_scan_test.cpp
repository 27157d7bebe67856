// The plain scan of a transfer file, against the project's reader: on lines
// the reader reads to the end, both must find the same entities in the same
// order, and the scan must keep counting where the reader stops.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "TransferScan.h"
#include "transfer/JwwGaibu.h"

namespace {

// The reader's entities of `lines`, as the scan names their kinds.
std::vector<EntityClass> ReaderEntities(const std::vector<std::string>& lines) {
  JwwInit();
  for (const auto& line : lines) JwwParseLine(line);
  std::vector<EntityClass> kinds;
  for (int32_t i = 0; i < entityOrder.Count(); ++i) {
    const TJwwEntRef ref = entityOrder[i];
    switch (ref.kind) {
      case jekLine:
        kinds.push_back(jwwLines[ref.index].polylineNo ? EntityClass::kCurveLine
                                                       : EntityClass::kLine);
        break;
      case jekCircle:
      case jekArc:
        kinds.push_back(EntityClass::kCircle);
        break;
      case jekText:
        kinds.push_back(EntityClass::kText);
        break;
      case jekPoint:
      case jekPointEx:
        kinds.push_back(EntityClass::kPoint);
        break;
      case jekLineText:
        kinds.push_back(EntityClass::kDimensionFigure);
        break;
      case jekBlk:
        kinds.push_back(EntityClass::kBlock);
        break;
      default:
        kinds.push_back(EntityClass::kSolid);
    }
  }
  JwwRelease();
  return kinds;
}

std::vector<EntityClass> ScanEntities(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const auto& line : lines) bytes += line + "\r\n";
  std::vector<EntityClass> kinds;
  for (const auto& e : ScanTransfer(bytes).entities) kinds.push_back(e.kind);
  return kinds;
}

// Statements of the grammar, with the token counts that tip a statement from
// one row into another or out of the grammar.
const std::vector<std::string> kPieces = {
    "hq",
    "file=C:\\a b.jww",
    "hk 0",
    "hs 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1",
    "hs 1 2 3",
    "hzs 420 297",
    "hcw 2 2.5 3 4 5 6 7 8 9 10",
    "bz",
    "hn 0 0 1 1",
    "lg1",
    "lgA 3",
    "lgn\x96\xBC",
    "ly2",
    "lc10 255",
    "lt2",
    "lw3",
    "cn\"$<\x82\x6C\x82\x72 \x96\xBE\x92\xA9>",
    "cn0 2 2 0 1",
    "cc4",
    "z1",
    "z3",
    "pn2",
    "pl",
    "msg",
    "#",
    "hp1 5 5",
    "hp1 5",
    "hhp2ci",
    "0 0 10 0",
    "1.5 -2 3e2 4",
    "0 0 10",
    "0 0 1 1 1",
    "ci 0 0 5",
    "ci 0 0 5 ",
    "ci 0 0 5 0 90 1 0",
    "ci 0 0 5 0 90",
    "ch 1 2 1 0 \"A B",
    "cs 1 2 1 0 \"120",
    "cv 1 2 0 1 \"\x8A\x4B",
    "ch 1 2 1 0",
    "cr 1 2 1 0 R5",
    "pt 1 2",
    "pt 1 2 3",
    "pt 1 2 1 0 3",
    "BL 1 2 \"\x97\xAC",
    "BL 1 2",
    "sl 0 0 1 1",
    "sl 0 0 1 0 1 1",
    "sl 0 0 1 0 1 1 0 1",
    "sl 0 0 1",
    "sc 0 0 5 0 360 1 0 0",
    "so 0 0 5 0 360 1 0 2",
    "sg 0 0 5 0 360 1 0",
    "",
    "   ",
    "\t",
    "x y z w",
    "\"ch 1 2 1 0 \"A",
};

TEST(TransferScan, FindsTheReadersEntitiesInRandomRunsOfTheGrammar) {
  std::mt19937 random(12);
  std::uniform_int_distribution<size_t> pick(0, kPieces.size() - 1);
  for (int run = 0; run < 3000; ++run) {
    std::vector<std::string> lines(1 + run % 40);
    for (auto& line : lines) line = kPieces[pick(random)];
    const auto scanned = ScanEntities(lines), read = ReaderEntities(lines);
    ASSERT_EQ(scanned, read) << "run " << run << ": " << testing::PrintToString(lines);
  }
}

TEST(TransferScan, LinesThatPrepareAnEntityBelongToIt) {
  const std::string file =
      "hq\r\nlg2\r\nz3\r\nhhp1\r\n0 0 1 1\r\nmsg\r\nz3\r\n0 0 9 0\r\ncc1\r\n"
      "cs 4 0 1 0 \"9\r\npl\r\n0 0 1 0\r\n1 0 1 1\r\n#\r\nch 0 0 1 0 \"A\r\n";
  const TransferScan scan = ScanTransfer(file);
  std::vector<int> owners;
  for (const auto& line : scan.lines) owners.push_back(line.entity);
  // hq lg2 | z3 hhp1 line | msg z3 line (cc1) cs | pl line line | # | ch
  EXPECT_EQ(owners, (std::vector<int>{-1, -1, 0, 0, 0, 1, 1, 1, -1, 1, 2, 2, 3, -1, 4}));
  EXPECT_EQ(scan.lines[8].optional, OptionalAttribute::kBasePoint);
  EXPECT_EQ(scan.lines[2].optional, OptionalAttribute::kZFlags);
  EXPECT_EQ(scan.entities[1].kind, EntityClass::kDimensionFigure);
  EXPECT_EQ(scan.entities[4].layerGroup, 2);
  EXPECT_EQ(scan.firstLayerGroup, 2);
  std::string joined;
  for (const auto& line : scan.lines) joined += line.bytes;
  EXPECT_EQ(joined, file);  // every byte in exactly one line
}

TEST(TransferScan, CountsPastAnEndOfFileMark) {
  // The reader stops at a 0x1A line; what follows was handed over all the same.
  const EntityCounts counts =
      CountEntities(ScanTransfer("hq\r\nch 0 0 1 0 \"A\r\n\x1A\r\n0 0 1 1\r\nch 0 0 1 0 \"B"));
  EXPECT_EQ(counts.texts, 2);
  EXPECT_EQ(counts.others, 1);
}

}  // namespace
