#include "app/StatusTexts.h"

#include "transfer/JwwNumberForms.h"

namespace {

void AppendInt(std::string& out, int32_t value) {
  char number[kJwwNumberMax];
  out.append(number, FormatInt(number, value));
}

}  // namespace

std::string TextCountStatus(int32_t textCount) {
  std::string text = "文字：";
  AppendInt(text, textCount);
  return text;
}

std::string FlipProgressStatus(int32_t i, int32_t n) {
  std::string text = "文字データ処理中(";
  AppendInt(text, i);
  text += "／";
  AppendInt(text, n);
  text += ")";
  return text;
}
