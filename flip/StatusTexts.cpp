#include "flip/StatusTexts.h"

#include "common/MyFunc.h"

namespace {

void AppendInt(std::string& out, int32_t value) {
  char number[kJwwNumberMax];
  out.append(number, FormatInt(number, value));
}

// `prefix` i "／" n `suffix`, the numbers in the integer form.
std::string CountOf(std::string_view prefix, int32_t i, int32_t n, std::string_view suffix) {
  std::string text(prefix);
  AppendInt(text, i);
  text += "／";
  AppendInt(text, n);
  text += suffix;
  return text;
}

}  // namespace

std::string TextCountStatus(int32_t textCount) {
  std::string text = "文字：";
  AppendInt(text, textCount);
  return text;
}

std::string FlipProgressStatus(int32_t i, int32_t n) {
  return CountOf("文字データ処理中(", i, n, ")");
}

std::string PassProgressStatus(int32_t entry, int32_t total) {
  return CountOf("処理中(ESC:中断)：", entry, total, "");
}
