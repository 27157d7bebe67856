// The substitute host's command line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HostOptions.h"

namespace {

TEST(HostOptions, ReadsAFullCommandLine) {
  HostOptions o;
  std::string error;
  ASSERT_TRUE(ParseHostOptions(
      {"--exe", "t.exe", "--drawing", "d.txt", "--flip", "2", "--workdir", "w", "--svg", "a.svg",
       "--png", "a.png", "--press", "cancel", "--timeout", "60", "--xvfb-display", ":92"},
      o, error))
      << error;
  EXPECT_EQ(o.exe, "t.exe");
  EXPECT_EQ(o.flipType, 2);
  EXPECT_EQ(o.workDir, "w");
  EXPECT_EQ(o.press, PressChoice::kCancel);
  EXPECT_EQ(o.timeoutSeconds, 60);
  EXPECT_EQ(o.xvfbDisplay, ":92");
}

TEST(HostOptions, RefusesBadCommandLines) {
  const std::vector<std::vector<std::string>> bad = {
      {},
      {"--exe", "t.exe"},
      {"--drawing", "d.txt"},
      {"--exe", "t.exe", "--drawing"},
      {"--exe", "t.exe", "--drawing", "d", "--flip", "3"},
      {"--exe", "t.exe", "--drawing", "d", "--flip", "-1"},
      {"--exe", "t.exe", "--drawing", "d", "--flip", "1x"},
      {"--exe", "t.exe", "--drawing", "d", "--press", "yes"},
      {"--exe", "t.exe", "--drawing", "d", "--timeout", "0"},
      {"--exe", "t.exe", "--drawing", "d", "--colour", "red"},
      {"stray"},
  };
  for (const auto& args : bad) {
    HostOptions o;
    std::string error;
    EXPECT_FALSE(ParseHostOptions(args, o, error)) << testing::PrintToString(args);
    EXPECT_FALSE(error.empty());
  }
}

TEST(HostOptions, AResultStandsInForTheTool) {
  HostOptions o;
  std::string error;
  EXPECT_TRUE(
      ParseHostOptions({"--drawing", "d", "--result", "r", "--bat", kNoBatchFile}, o, error))
      << error;
  EXPECT_EQ(o.result, "r");
  EXPECT_EQ(o.bat, kNoBatchFile);
  EXPECT_FALSE(o.flipType.has_value());
}

}  // namespace
