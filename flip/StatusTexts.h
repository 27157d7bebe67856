// The texts of the window's status line through a run, in UTF-8: all of them
// in one place, built from the numbers the run reports. Each fits on the one
// line of the 475-pixel label, in its 13-pixel font: a full-width character
// takes 13 pixels in ＭＳ ゴシック and about 14 in the IPA gothic that stands
// in for it under Wine (as measured on the window's screenshot), a half-width
// one at most 7; tests/flip/status_texts_test.cpp checks every text at its
// widest numbers against 14 and 7.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr std::string_view kStatusWritingFile = "ファイル生成中です";

// In place of the count of texts when the window opens without a transfer
// file: started outside the host, not a selection without texts.
inline constexpr std::string_view kStatusNoTransferFile =
    "JWC_TEMP.TXTがありません。Jw_cadの外部変形から起動してください";

// In place of the count of texts when the transfer file was not read to its
// end: OK will answer "hq", so the drawing will not change.
inline constexpr std::string_view kStatusNotReadToEnd =
    "JWC_TEMP.TXTを最後まで読み込めませんでした。図面は変更されません";

// In place of the count of texts when nothing could be read, because another
// program holds the transfer file, or because it could not be opened (not a
// file, no access): the run can only answer "hq", so the user is asked to
// close and start again.
inline constexpr std::string_view kStatusInUse =
    "JWC_TEMP.TXTは使用中です。キャンセルで閉じ、やり直してください";
inline constexpr std::string_view kStatusNotOpened =
    "JWC_TEMP.TXTを読めません。キャンセルで閉じ、やり直してください";

// "文字：" and the number of text records: the window has just been shown.
std::string TextCountStatus(int32_t textCount);

// "文字データ処理中(" i "／" n ")": text i of n is about to be flipped.
std::string FlipProgressStatus(int32_t i, int32_t n);

// "処理中(ESC:中断)：" entry "／" total: the output pass is about to write
// entity `entry` of `total`.
std::string PassProgressStatus(int32_t entry, int32_t total);
