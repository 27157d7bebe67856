// The status texts of the run flow, in UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr std::string_view kStatusBeforeShow = "\xE3\x80\x80";  // one full-width space
inline constexpr std::string_view kStatusWritingFile = "ファイル生成中です";

// "文字：" and the number of text records.
std::string TextCountStatus(int32_t textCount);

// "文字データ処理中(" i "／" n ")": text i of n is about to be flipped.
std::string FlipProgressStatus(int32_t i, int32_t n);
