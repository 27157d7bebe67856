#include "ShiftJisDisplay.h"

#include <cstdint>

#include "common/MyFunc.h"

namespace {

// Two-byte characters as UTF-16 code units, row by lead byte, column by trail
// byte; generated at build time from iconv.
constexpr uint16_t kTwoByteTable[] = {
#include "sjis_table.inc"
};
constexpr int kTrailColumns = 188;
static_assert(sizeof(kTwoByteTable) / sizeof(kTwoByteTable[0]) == 60 * kTrailColumns);

constexpr char32_t kReplacement = 0xFFFD;

// Row of a lead byte in the table, or -1 for a lead byte with no characters.
int LeadRow(unsigned char lead) {
  if (lead >= 0x81 && lead <= 0x9F) return lead - 0x81;
  if (lead >= 0xE0 && lead <= 0xFC) return lead - 0xE0 + 31;
  return -1;
}

// Column of a trail byte, or -1 for a byte that cannot follow a lead byte.
int TrailColumn(unsigned char trail) {
  if (trail >= 0x40 && trail <= 0x7E) return trail - 0x40;
  if (trail >= 0x80 && trail <= 0xFC) return trail - 0x80 + 63;
  return -1;
}

char32_t TwoByteCharacter(unsigned char lead, unsigned char trail) {
  int row = LeadRow(lead);
  int column = TrailColumn(trail);
  if (row < 0 || column < 0) return kReplacement;
  uint16_t unit = kTwoByteTable[row * kTrailColumns + column];
  return unit == 0 ? kReplacement : unit;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::string SjisToUtf8(std::string_view sjis) {
  std::string out;
  out.reserve(sjis.size() * 3 / 2);
  for (size_t i = 0; i < sjis.size();) {
    auto b = static_cast<unsigned char>(sjis[i]);
    if (IsLeadByte(b)) {
      if (i + 1 >= sjis.size()) {
        AppendUtf8(out, kReplacement);
        break;
      }
      AppendUtf8(out, TwoByteCharacter(b, static_cast<unsigned char>(sjis[i + 1])));
      i += 2;
    } else {
      if (b < 0x80) {
        AppendUtf8(out, b);
      } else if (b >= 0xA1 && b <= 0xDF) {
        AppendUtf8(out, 0xFF61 + (b - 0xA1));
      } else {
        AppendUtf8(out, kReplacement);
      }
      i += 1;
    }
  }
  return out;
}
