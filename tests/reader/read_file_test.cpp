// JwwReadFile: line ends, the end-of-file mark, reads in pieces, and how a
// missing, unreadable or partly read file is told apart.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "tests/reader/reader_support.h"
#include "tests/robustness/TempFolder.h"
#include "transfer/seams/JwwPieceRunner.h"

namespace {

// The plain lines of the store as "x1,y1,x2,y2;" each.
std::string LinesRead() {
  std::string out;
  for (int i = 0; i < jwwLines.Count(); ++i) {
    const TJwwEntLine& l = jwwLines[i];
    for (double v : {l.x1, l.y1, l.x2, l.y2}) out += std::to_string(static_cast<int>(v)) + ",";
    out.back() = ';';
  }
  return out;
}

TEST(LineEnds, LfCrLfLoneCrAndTheEndOfFileMark) {
  // A mark at a line start ends the file only when nothing but marks and line
  // ends follows it; a statement after it makes the read incomplete, with the
  // lines before it kept. A mark inside a line ends the line, and only marks
  // and CRs may follow it up to the line end: anything else would be cut off,
  // and the read is incomplete.
  const struct {
    const char* name;
    std::string content;
    const char* lines;
    bool complete;
  } cases[] = {
      {"LF", "1 2 3 4\n5 6 7 8\n", "1,2,3,4;5,6,7,8;", true},
      {"CR LF", "1 2 3 4\r\n5 6 7 8\r\n", "1,2,3,4;5,6,7,8;", true},
      {"no end on the last line", "1 2 3 4\r\n5 6 7 8", "1,2,3,4;5,6,7,8;", true},
      {"lone CR is dropped, not a line end", "1 2\r3 4 5\r\r\n", "1,23,4,5;", true},
      {"empty lines", "\n\r\n\n1 2 3 4\n\n", "1,2,3,4;", true},
      {"mark as the last byte", "1 2 3 4\r\n\x1A", "1,2,3,4;", true},
      {"marks and line ends after the mark", "1 2 3 4\r\n\x1A\r\n\x1A\x1A\n\r\r\n", "1,2,3,4;",
       true},
      {"mark inside a line cuts data off", "1 2 3 4\x1A 9 9\n5 6 7 8\n", "1,2,3,4;", false},
      {"mark right before the line end", "1 2 3 4\x1A\r\n5 6 7 8\r\n", "1,2,3,4;5,6,7,8;", true},
      {"marks and a lone CR before the line end", "1 2 3 4\x1A\x1A\r\x1A\r\n5 6 7 8\n",
       "1,2,3,4;5,6,7,8;", true},
      {"a blank after the mark is cut off too", "1 2 3 4\x1A \r\n5 6 7 8\r\n", "1,2,3,4;", false},
      {"mark cutting the last line", "1 2 3 4\n5 6\x1A"
                                     "7 8",
       "1,2,3,4;", false},
      {"mark cutting a line between two others",
       "hq\r\nlg0\r\nly0\r\n1 2 3 4\r\n5 6 \x1A"
       "7 8\r\n9 10 11 12\r\n",
       "1,2,3,4;", false},
      {"mark after a lone CR is inside the line", "1 2 3 4\n\r\x1A\n5 6 7 8\n", "1,2,3,4;5,6,7,8;",
       true},
      {"mark inside the last line", "1 2 3 4\x1A", "1,2,3,4;", true},
      {"statement after the mark", "1 2 3 4\n\x1A\n5 6 7 8\n", "1,2,3,4;", false},
      {"statement right after the mark",
       "1 2 3 4\r\n\x1A"
       "5 6 7 8\r\n",
       "1,2,3,4;", false},
      {"statement after empty lines", "1 2 3 4\r\n\x1A\r\n\r\n\n5 6 7 8", "1,2,3,4;", false},
      {"statement after blanks", "1 2 3 4\r\n\x1A\r\n   5 6 7 8\r\n", "1,2,3,4;", false},
      {"mark as the first byte",
       "\x1A"
       "1 2 3 4\n",
       "", false},
      {"mark inside the skipped rest", "1 2 3 4\x1A\x1A\n\x1A\n5 6 7 8\n", "1,2,3,4;", false},
  };
  for (bool twoThreads : {false, true}) {
    jwwUseSecondThread = twoThreads;
    for (const auto& c : cases) {
      // Pieces of every size up to the whole file move the block edges across
      // every byte.
      for (size_t chunk = 1; chunk <= c.content.size(); ++chunk) {
        SCOPED_TRACE(std::string(c.name) + (twoThreads ? " / two threads / " : " / one thread / ") +
                     std::to_string(chunk));
        EXPECT_EQ(ReadThroughFake(c.content, chunk), c.complete);
        EXPECT_EQ(LinesRead(), c.lines);
        EXPECT_EQ(jwwReadResult, c.complete ? jrComplete : jrIncomplete);
      }
    }
  }
  jwwUseSecondThread = true;
}

TEST(LineEnds, LoneCrDoesNotBecomeTheTrailByte) {
  // The CR is gone before splitting, so the lead byte pairs with the "A".
  for (size_t chunk : {size_t{1} << 20, size_t{1}}) {
    ReadThroughFake("ch 1 2 3 4 \"\x82\rA\r\n", chunk);
    ASSERT_EQ(jwwTexts.Count(), 1);
    EXPECT_EQ(jwwTexts[0].text.View(),
              "\x82"
              "A");
  }
}

TEST(LineEnds, LinesLongerThanABlock) {
  std::string content;
  for (int i = 0; i < 120000; ++i) content += std::to_string(i) + " 1 2 3\r\n";
  content += "ch 0 0 1 0 \"" + std::string(3 << 20, 'x') + "\r\n9 9 9 9";
  ASSERT_TRUE(ReadThroughFake(content));
  ASSERT_EQ(jwwLines.Count(), 120001);
  for (int i = 0; i < 120000; ++i) ASSERT_EQ(jwwLines[i].x1, i);
  EXPECT_EQ(jwwTexts[0].text.View(), std::string(255, 'x'));
  EXPECT_EQ(jwwLines[120000].x1, 9);
}

TEST(ReadResult, MissingFileAndRealFile) {
  std::filesystem::path dir = std::filesystem::temp_directory_path() / "jww_reader_test";
  std::filesystem::create_directories(dir);
  std::string path = (dir / "JWC_TEMP.TXT").string();
  std::filesystem::remove(path);

  JwwInit();
  EXPECT_FALSE(JwwReadFile(path));
  EXPECT_EQ(jwwReadResult, jrNoFile);

  std::ofstream(path, std::ios::binary) << "lg1\r\nci 0 0 5\r\n";
  JwwInit();
  EXPECT_TRUE(JwwReadFile(path));
  EXPECT_EQ(jwwReadResult, jrComplete);
  EXPECT_EQ(KindCounts(), "circle:1");
  EXPECT_EQ(jwwCircles[0].head.layerGroup, 1);

  // A folder exists but is no file: it is not opened.
  JwwInit();
  EXPECT_FALSE(JwwReadFile(dir.string()));
  EXPECT_EQ(jwwReadResult, jrNotOpened);
  std::filesystem::remove_all(dir);
}

TEST(ReadResult, FileThatCannotBeOpened) {
  fakeFile = TFakeFile{"1 2 3 4\n"};
  fakeFile.opens = false;
  jwwFileOps = FakeFileOps();
  JwwInit();
  EXPECT_FALSE(JwwReadFile("JWC_TEMP.TXT"));
  EXPECT_EQ(jwwReadResult, jrNotOpened);
  EXPECT_EQ(entityOrder.Count(), 0);
  // Held by another program: told apart from any other failure to open.
  jwwFileOps.openRead = [](const std::string&) -> TJwwFile { throw TJwwFileInUse(); };
  EXPECT_FALSE(JwwReadFile("JWC_TEMP.TXT"));
  EXPECT_EQ(jwwReadResult, jrInUse);
  jwwFileOps = JwwStandardFileOps();
}

TEST(ReadResult, ReadErrorKeepsTheLinesBeforeIt) {
  // Pieces of 8 bytes, the third read fails: two whole lines were read.
  EXPECT_FALSE(ReadThroughFake("1 2 3 4\n5 6 7 8\n9 9 9 9\n", 8, 2));
  EXPECT_EQ(jwwReadResult, jrIncomplete);
  EXPECT_EQ(LinesRead(), "1,2,3,4;5,6,7,8;");
  EXPECT_TRUE(fakeFile.closed);
}

TEST(ReadResult, AFileChangedWhileReadIsIncompleteOnOneThreadAndOnTwo) {
  // Over two full pieces, so that the reader on two threads hands pieces over.
  std::string lines;
  for (int i = 0; lines.size() < 300'000; ++i) lines += std::to_string(i) + " 1 2 3\r\n";
  const int32_t allLines = static_cast<int32_t>(std::count(lines.begin(), lines.end(), '\n'));
  using TChange = void (*)(TFakeFile&);
  const TChange cutToAThird = [](TFakeFile& f) { WriteFake(f, f.content.substr(0, f.content.size() / 3)); };
  const TChange cutToHalf = [](TFakeFile& f) { WriteFake(f, f.content.substr(0, f.content.size() / 2)); };
  const struct {
    const char* name;
    std::string content;
    int readsBeforeChange;  // -1: nothing changes it
    TChange change;
    bool complete;
  } cases[] = {
      // The host writes header lines before any entity: no byte at all is a
      // file cut short, header lines alone are a selection of nothing.
      {"empty file", "", -1, nullptr, false},
      {"header lines only", "hk 1\r\nhzs 420 297\r\n", -1, nullptr, true},
      {"the whole file", lines, -1, nullptr, true},
      // Another process changes the file while it is read.
      {"cut to a third after one read", lines, 1, cutToAThird, false},
      {"cut to nothing after one read", lines, 1, [](TFakeFile& f) { WriteFake(f, ""); }, false},
      {"only the last line end cut", lines, 1,
       [](TFakeFile& f) { WriteFake(f, f.content.substr(0, f.content.size() - 2)); }, false},
      {"cut before the first read", lines, 0, cutToHalf, false},
      {"cut to half and regrown with zeros", lines, 1,
       [](TFakeFile& f) {
         const size_t size = f.content.size();
         WriteFake(f, f.content.substr(0, size / 2));
         WriteFake(f, f.content + std::string(size - f.content.size(), '\0'));
       },
       false},
      {"cut to half and regrown with its own bytes", lines, 1,
       [](TFakeFile& f) {
         const std::string whole = f.content;
         WriteFake(f, whole.substr(0, whole.size() / 2));
         WriteFake(f, whole);
       },
       false},
      {"appended to", lines, 1, [](TFakeFile& f) { WriteFake(f, f.content + "9 9 9 9\r\n"); },
       false},
      {"rewritten in place, its write time set back", lines, 1,
       [](TFakeFile& f) {
         std::string bytes = f.content;
         bytes[0] = '9';
         WriteFake(f, bytes);
         --f.writeTime;
       },
       false},
      {"another file renamed over it", lines, 1, [](TFakeFile& f) { f.pathNames = 2; }, false},
      {"deleted", lines, 1, [](TFakeFile& f) { f.pathNames = 0; }, false},
      // What no system tells apart: the same size, and stamps that did not
      // move on (a clock tick of the file system not yet passed).
      {"rewritten in place within one tick of the stamps", lines, 1,
       [](TFakeFile& f) { f.content[0] = '9'; }, true},
  };
  for (bool twoThreads : {false, true}) {
    jwwUseSecondThread = twoThreads;
    for (const auto& c : cases) {
      for (size_t chunk : {size_t{65536}, size_t{4093}}) {
        SCOPED_TRACE(std::string(c.name) + (twoThreads ? " / two threads / " : " / one thread / ") +
                     std::to_string(chunk));
        fakeFile = TFakeFile{c.content, chunk};
        fakeFile.readsBeforeChange = c.readsBeforeChange;
        fakeFile.change = c.change;
        jwwFileOps = FakeFileOps();
        JwwInit();
        EXPECT_EQ(JwwReadFile("JWC_TEMP.TXT"), c.complete);
        jwwFileOps = JwwStandardFileOps();
        EXPECT_EQ(jwwReadResult, c.complete ? jrComplete : jrIncomplete);
        EXPECT_TRUE(fakeFile.closed);
        // What was read is a start of the file, every line of it whole.
        if (c.content == lines) {
          if (c.complete) {
            EXPECT_EQ(jwwLines.Count(), allLines);
          }
          for (int32_t i = 0; i < std::min(jwwLines.Count(), allLines); ++i) {
            ASSERT_EQ(jwwLines[i].x1, i);
          }
        }
      }
    }
  }
  jwwUseSecondThread = true;
}

// What another process does to the real file after the reader's first read.
namespace real_change {
constexpr const char* kContent = "lg1\r\nci 0 0 5\r\n";
std::string path;
void (*change)() = nullptr;

long long ReadThenChange(TJwwFile file, char* buffer, size_t size) {
  const long long got = JwwStandardFileOps().read(file, buffer, size);
  if (change) std::exchange(change, nullptr)();
  return got;
}
}  // namespace real_change

TEST(ReadResult, ARealFileChangedWhileReadIsCaughtThroughTheStandardOperations) {
  // Each change keeps the size, so only the system's state of the open file
  // (its write time) or of the path (the file it names) tells it.
  namespace fs = std::filesystem;
  const struct {
    const char* name;
    void (*change)();
    bool complete;
  } cases[] = {
      {"left alone", nullptr, true},
      {"its write time set back",
       [] {
         fs::last_write_time(real_change::path,
                             fs::last_write_time(real_change::path) - std::chrono::hours(1));
       },
       false},
      {"a file of the same bytes renamed over it",
       [] {
         std::ofstream(real_change::path + ".new", std::ios::binary) << real_change::kContent;
         fs::rename(real_change::path + ".new", real_change::path);
       },
       false},
  };
  TTempFolder folder;
  real_change::path = folder.Path("JWC_TEMP.TXT");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::ofstream(real_change::path, std::ios::binary) << real_change::kContent;
    real_change::change = c.change;
    jwwFileOps.read = real_change::ReadThenChange;
    JwwInit();
    EXPECT_EQ(JwwReadFile(real_change::path), c.complete);
    jwwFileOps = JwwStandardFileOps();
    EXPECT_EQ(KindCounts(), "circle:1");
  }
}

TEST(ReadResult, MemoryRunningOutKeepsAConsistentStore) {
  // 1 circle and 1000 texts: the next text needs a new block of texts but
  // not of the entity order, so only the record's append fails.
  std::string content = "ci 0 0 1\n";
  for (int i = 0; i < 1001; ++i) content += "ch 0 0 1 0 \"t\n";
  jwwBlockAllocFails = [] { return jwwTexts.Count() == 1000; };
  bool ok = ReadThroughFake(content);
  jwwBlockAllocFails = nullptr;
  EXPECT_FALSE(ok);
  EXPECT_EQ(jwwReadResult, jrIncomplete);
  EXPECT_EQ(jwwTexts.Count(), 1000);
  EXPECT_EQ(entityOrder.Count(), 1001);  // no entry names the missing record
  EXPECT_EQ(entityOrder[1000].kind, jekText);
  EXPECT_EQ(entityOrder[1000].index, 999);
  EXPECT_TRUE(fakeFile.closed);
}

TEST(ReadResult, BlockNameIsTakenBackWhenItsRecordFails) {
  std::string content;
  for (int i = 0; i < 1001; ++i) content += "BL 0 0 b" + std::to_string(i) + "\n";
  jwwBlockAllocFails = [] { return jwwBlks.Count() == 1000; };
  bool ok = ReadThroughFake(content);
  jwwBlockAllocFails = nullptr;
  EXPECT_FALSE(ok);
  EXPECT_EQ(jwwBlks.Count(), 1000);
  EXPECT_EQ(blockNames.size(), 1000u);
  EXPECT_EQ(entityOrder.Count(), 1000);
}

}  // namespace
