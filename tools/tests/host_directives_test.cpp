// Reading a batch file as the host does, and the host's part that its
// directives set.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "BatchFile.h"
#include "HostDirectives.h"
#include "WorkFolder.h"

namespace {

const char* kGood =
    "REM Flips base points\r\n@echo off\r\nREM #jww\r\nrem #cd\r\nREM #h3\r\n"
    "REM #hc\x94\xCD\x88\xCD\r\nREM #g1\r\nREM #zc\r\nREM #zz\r\nREM #zw\r\n"
    "REM #ht10\r\nREM #ht20\r\nREM #ht30\r\nREM #ht40\r\nREM #e\r\nREM #zs after the end\r\nstart "
    "/w JwwTextFlip.exe\r\n";

TEST(BatchFile, ReadsDirectivesAsTheHostDoes) {
  const BatchFile batch = ParseBatchFile(
      "REM Title\nREM #jww\nREM       #cd\nREM no directive #e\nREM #hc prompt text\r\n"
      "REM #e\nREM #zc\n@echo off\n");
  EXPECT_EQ(batch.description, "Title");
  ASSERT_EQ(batch.directives.size(), 3u);  // "#" beyond the 10th byte, or after #e, is none
  EXPECT_EQ(batch.directives[0].name, "jww");
  EXPECT_EQ(batch.directives[1].name, "hc");
  EXPECT_EQ(batch.directives[1].argument, "prompt text");
  EXPECT_EQ(batch.directives[1].line, 5);
  EXPECT_TRUE(batch.ended);
  EXPECT_EQ(batch.commands, std::vector<std::string>{"@echo off"});
}

TEST(HostDirectives, AGoodBatchFileSelectsTextsOnlyWithoutNotes) {
  HostPlay play;
  std::string error;
  ASSERT_TRUE(PlayFromBatch(ParseBatchFile(kGood), "JwwTextFlip.exe", play, error)) << error;
  EXPECT_EQ(play.rules.range, RangeSelection::kTextsOnly);
  EXPECT_TRUE(play.rules.allLayerGroups);
  EXPECT_EQ(play.rules.keptOut,
            (std::vector<EntityClass>{EntityClass::kBlock, EntityClass::kCurveLine,
                                      EntityClass::kDimensionFigure, EntityClass::kSolid}));
  EXPECT_TRUE(play.rules.notErased.empty());
  EXPECT_TRUE(play.rules.basePoints && play.rules.zFlags && play.rules.lineWidths);
  EXPECT_EQ(play.prompt, "\x94\xCD\x88\xCD");
  EXPECT_TRUE(play.notes.empty()) << play.notes.front();
}

// `kGood` with `from` replaced by `to`.
std::string Edited(const std::string& from, const std::string& to) {
  std::string s = kGood;
  s.replace(s.find(from), from.size(), to);
  return s;
}

TEST(HostDirectives, ABatchFileTheHostWouldNotRunThroughIsRefused) {
  const struct {
    std::string bytes;
    const char* words;
  } cases[] = {
      {Edited("REM #jww\r\n", ""), "no #jww"},
      {Edited("rem #cd\r\n", ""), "no #cd"},
      {Edited("REM #e\r\n", ""), "no #e"},
      {Edited("REM #h3", "REM #h4"), "#h4"},
      {Edited("REM #g1", "REM #h1"), "more than one"},
  };
  for (const auto& c : cases) {
    HostPlay play;
    std::string error;
    EXPECT_FALSE(PlayFromBatch(ParseBatchFile(c.bytes), "JwwTextFlip.exe", play, error)) << c.words;
    EXPECT_NE(error.find(c.words), std::string::npos) << error;
  }
}

TEST(HostDirectives, WhatTheHostDoesWithoutADirective) {
  const struct {
    std::string bytes;
    const char* note;  // "" for none
    void (*expect)(const HostPlay&);
  } cases[] = {
      {Edited("REM #h3\r\n", ""), "selects no entity",
       [](const HostPlay& p) {
         EXPECT_EQ(p.rules.range, RangeSelection::kNothing);
         EXPECT_TRUE(p.prompt.empty());
       }},
      {Edited("REM #hc", "REM #g0\r\nREM #hc"), "not right after",
       [](const HostPlay& p) {
         EXPECT_TRUE(p.rules.allLayerGroups);  // the later #g1 wins
         EXPECT_TRUE(p.prompt.empty());
       }},
      {Edited("REM #g1\r\n", ""), "",
       [](const HostPlay& p) { EXPECT_FALSE(p.rules.allLayerGroups); }},
      {Edited("REM #zc\r\nREM #zz\r\nREM #zw\r\n", ""), "",
       [](const HostPlay& p) {
         EXPECT_FALSE(p.rules.basePoints || p.rules.zFlags || p.rules.lineWidths);
       }},
      {Edited("REM #ht30", "REM #ht3"), "",  // written out, but not erased
       [](const HostPlay& p) {
         EXPECT_EQ(p.rules.keptOut.size(), 3u);
         EXPECT_EQ(p.rules.notErased, std::vector<EntityClass>{EntityClass::kDimensionFigure});
       }},
      {Edited("REM #ht30", "REM #ht50"), "#ht50 (line 13) is not played",
       [](const HostPlay& p) { EXPECT_EQ(p.rules.keptOut.size(), 3u); }},
      {Edited("start /w ", "start "), "no \"start /w JwwTextFlip.exe\" line",
       [](const HostPlay& p) { EXPECT_TRUE(p.toolArguments.empty()); }},
      {Edited("JwwTextFlip.exe", "JwwTextFlip.exe2"), "no \"start /w JwwTextFlip.exe\" line",
       [](const HostPlay&) {}},
  };
  for (const auto& c : cases) {
    HostPlay play;
    std::string error;
    ASSERT_TRUE(PlayFromBatch(ParseBatchFile(c.bytes), "JwwTextFlip.exe", play, error)) << error;
    std::string notes;
    for (const auto& n : play.notes) notes += n + "\n";
    if (*c.note == '\0') {
      EXPECT_TRUE(notes.empty()) << notes;
    } else {
      EXPECT_NE(notes.find(c.note), std::string::npos) << notes;
    }
    c.expect(play);
  }
}

TEST(HostDirectives, TheToolsArgumentsComeFromItsStartLine) {
  const struct {
    const char* start;
    std::vector<std::string> arguments;
    int flipType;
  } cases[] = {
      {"start /w JwwTextFlip.exe", {}, -1},
      {"start /w JwwTextFlip.exe /flip:1", {"/flip:1"}, 1},
      {"START /W jwwtextflip.exe  -FLIP:2 ", {"-FLIP:2"}, 2},
      {"start /w JwwTextFlip.exe /flip:3", {"/flip:3"}, -1},
      {"start /w JwwTextFlip.exe x /flip:0", {"x", "/flip:0"}, 0},
  };
  for (const auto& c : cases) {
    HostPlay play;
    std::string error;
    ASSERT_TRUE(PlayFromBatch(ParseBatchFile(Edited("start /w JwwTextFlip.exe", c.start)),
                              "JwwTextFlip.exe", play, error))
        << c.start << ": " << error;
    EXPECT_EQ(play.toolArguments, c.arguments) << c.start;
    EXPECT_EQ(FlipTypeOfArguments(play.toolArguments), c.flipType) << c.start;
  }
}

TEST(HostDirectives, TheRepositorysBatchFileIsPlayed) {
  const char* path = std::getenv("JWHOST_BAT");
  if (path == nullptr) GTEST_SKIP() << "JWHOST_BAT not set";
  HostPlay play;
  std::string error;
  const BatchFile batch = ParseBatchFile(ReadFileBytes(path).value_or(""));
  ASSERT_TRUE(PlayFromBatch(batch, "JwwTextFlip.exe", play, error)) << error;
  EXPECT_EQ(play.rules.range, RangeSelection::kTextsOnly);
  EXPECT_FALSE(play.prompt.empty());
  EXPECT_TRUE(play.notes.empty()) << play.notes.front();
}

}  // namespace
