#include "app/FormFont.h"

#include <string_view>

namespace {

constexpr int kFontHeight = -13;  // character height in pixels, not scaled with DPI

// First choice, then the same face under its English name, then gothic faces
// found where it is missing (IPA fonts on Wine and Linux desktops).
constexpr const wchar_t* kFaceNames[] = {L"ＭＳ ゴシック", L"MS Gothic", L"IPAゴシック",
                                         L"IPAGothic",     L"Meiryo",    L"Yu Gothic"};

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

// The screen's device context for the length of one query.
class TScreenDC {
 public:
  TScreenDC() : dc_(GetDC(nullptr)) {}
  TScreenDC(const TScreenDC&) = delete;
  TScreenDC& operator=(const TScreenDC&) = delete;
  ~TScreenDC() {
    if (dc_) ReleaseDC(nullptr, dc_);
  }
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// Whether the system has `face` with Shift-JIS glyphs.
bool HasJapaneseFace(std::wstring_view face) {
  LOGFONTW query{};
  query.lfCharSet = SHIFTJIS_CHARSET;
  face.copy(query.lfFaceName, LF_FACESIZE - 1);
  bool found = false;
  const TScreenDC screen;
  if (screen.Get()) {
    EnumFontFamiliesExW(screen.Get(), &query, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
  }
  return found;
}

}  // namespace

TFontHandle CreateFormFont() {
  const wchar_t* face = L"";  // none found: the font mapper picks a Shift-JIS gothic
  for (const wchar_t* candidate : kFaceNames) {
    if (HasJapaneseFace(candidate)) {
      face = candidate;
      break;
    }
  }
  return TFontHandle(CreateFontW(kFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                 SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, face));
}
