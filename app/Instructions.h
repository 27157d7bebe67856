// The forty instruction lines of the memo.
#pragma once

inline constexpr int kInstructionLineCount = 40;
extern const wchar_t* const kInstructionLines[kInstructionLineCount];
