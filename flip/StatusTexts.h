// The texts of the window's status line through a run, in UTF-8: all of them
// in one place, built from the numbers the run reports.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr std::string_view kStatusWritingFile = "ファイル生成中です";

// "文字：" and the number of text records: the window has just been shown.
std::string TextCountStatus(int32_t textCount);

// "文字データ処理中(" i "／" n ")": text i of n is about to be flipped.
std::string FlipProgressStatus(int32_t i, int32_t n);

// "処理中(ESC:中断)：" entry "／" total: the output pass is about to write
// entity `entry` of `total`.
std::string PassProgressStatus(int32_t entry, int32_t total);
