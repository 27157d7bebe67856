// The whole pipeline: read, flip, write, save, and reading back what was
// written.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>

#include "common/MyFunc.h"
#include "flip/ConfirmedRun.h"
#include "tests/writer/writer_support.h"

namespace {

namespace fs = std::filesystem;

class PipelineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("jww_pipeline_" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    path_ = (folder_ / "JWC_TEMP.TXT").string();
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string Saved() {
    std::ifstream in(path_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  // What the confirm handler does after the store is loaded, with no flip
  // type chosen, and the closing when the window closes.
  void WriteAndSave() {
    TJwwSilentProgress progress;
    RunConfirmedFlip(-1, progress);
    ASSERT_TRUE(SaveOutputFile(path_));
  }

  fs::path folder_;
  std::string path_;
};

TEST_F(PipelineTest, TheRoadOfOneText) {
  std::ofstream(path_, std::ios::binary) << "lg0\r\nly1\r\ncc0\r\nch 100 50 1 0 \"ABC\r\n";
  TJwwSilentProgress progress;
  ASSERT_TRUE(FlipTransferFile(path_, ftLeftRight, progress));
  EXPECT_EQ(Saved(), "hd\r\nlg0\r\nly1\r\ncn1\r\ncc2\r\ncn\"$" + kDefaultFont +
                         "\r\nch 104.5 50 1 0 \"ABC\r\n");
}

// --- Round trip -------------------------------------------------------------------

// What of an entity the output carries back, by kind: only the fields that
// its writer writes.
struct Observed {
  int32_t kind = 0;
  std::vector<int64_t> ints;
  std::vector<double> reals;
  std::string font, text;
};

void AddHead(Observed& o, const TJwwEntHead& h, bool lineType, bool lineWidth) {
  o.ints.insert(o.ints.end(), {h.indicatedPointNo, h.layerGroup, h.layer, h.colour, h.zFlags});
  if (lineType) o.ints.push_back(h.lineType);
  if (lineWidth) o.ints.push_back(h.lineWidth);
}

void AddTextLook(Observed& o, const TJwwEntText& t) {
  o.ints.insert(o.ints.end(), {t.basePoint, t.textType, t.head.colour});
  o.reals.insert(o.reals.end(), {t.width, t.height, t.spacing, t.x, t.y, t.dx, t.dy});
  o.font = std::string(t.fontName.View());
  o.text = std::string(t.text.View());
}

template <class T>
void AddSolidColour(Observed& o, const T& s) {
  if (s.head.colour == 10) o.ints.push_back(s.solidColour);
}

Observed Observe(const TJwwEntRef& ref) {
  Observed o;
  o.kind = ref.kind;
  const int32_t i = ref.index;
  switch (ref.kind) {
    case jekLine: {
      const TJwwEntLine& e = jwwLines[i];
      AddHead(o, e.head, true, true);
      o.ints.push_back(e.polylineNo);
      o.reals = {e.x1, e.y1, e.x2, e.y2};
      break;
    }
    case jekCircle: {
      const TJwwEntCircle& e = jwwCircles[i];
      AddHead(o, e.head, true, true);
      o.reals = {e.cx, e.cy, e.radius};
      break;
    }
    case jekArc: {
      const TJwwEntArc& e = jwwArcs[i];
      AddHead(o, e.head, true, true);
      o.reals = {e.cx, e.cy, e.radius, e.startAngle, e.endAngle, e.flatness, e.tilt};
      break;
    }
    case jekText: {
      const TJwwEntText& e = jwwTexts[i];
      AddHead(o, e.head, false, false);
      o.ints.push_back(e.textKind);
      AddTextLook(o, e);
      break;
    }
    case jekPoint: {
      const TJwwEntPoint& e = jwwPoints[i];
      AddHead(o, e.head, false, true);
      o.reals = {e.x, e.y};
      break;
    }
    case jekPointEx: {
      const TJwwEntPointEx& e = jwwPointExs[i];
      AddHead(o, e.head, false, true);
      o.ints.push_back(e.pointCode);
      o.reals = {e.x, e.y, e.value1, e.value2};
      break;
    }
    case jekLineText: {
      // The reader stamps the z flags written before "msg" onto the line
      // that follows it; either place counts as the unit's.
      const TJwwEntLineText& e = jwwLineTexts[i];
      o.ints = {e.head.layerGroup,  e.head.layer,         e.head.zFlags | e.line.head.zFlags,
                e.line.head.colour, e.line.head.lineType, e.line.head.lineWidth};
      AddTextLook(o, e.text);
      o.reals.insert(o.reals.end(), {e.line.x1, e.line.y1, e.line.x2, e.line.y2});
      break;
    }
    case jekSolid2: {
      const TJwwEntSolid2& e = jwwSolid2s[i];
      AddHead(o, e.head, false, true);
      AddSolidColour(o, e);
      o.reals = {e.x1, e.y1, e.x2, e.y2};
      break;
    }
    case jekSolid3: {
      const TJwwEntSolid3& e = jwwSolid3s[i];
      AddHead(o, e.head, false, false);
      AddSolidColour(o, e);
      o.reals = {e.x1, e.y1, e.x2, e.y2, e.x3, e.y3};
      break;
    }
    case jekSolid4: {
      const TJwwEntSolid4& e = jwwSolid4s[i];
      AddHead(o, e.head, false, false);
      AddSolidColour(o, e);
      o.reals = {e.x1, e.y1, e.x2, e.y2, e.x3, e.y3, e.x4, e.y4};
      break;
    }
    case jekSolidSc:
    case jekSolidSe: {
      const TJwwEntSolidSc& e = ref.kind == jekSolidSc ? jwwSolidScs[i] : jwwSolidSes[i];
      AddHead(o, e.head, false, ref.kind == jekSolidSe);
      AddSolidColour(o, e);
      o.ints.push_back(e.code);
      o.reals.assign(e.values, e.values + 7);
      break;
    }
    case jekSolidSo:
    case jekSolidSg: {
      const TJwwEntSolidSo& e = ref.kind == jekSolidSo ? jwwSolidSos[i] : jwwSolidSgs[i];
      AddHead(o, e.head, false, false);
      AddSolidColour(o, e);
      o.reals.assign(e.values, e.values + 8);
      break;
    }
    default:
      break;
  }
  return o;
}

// Equal to the 15 significant digits that the real form keeps.
bool SameTo15Digits(double a, double b) {
  return a == b || std::fabs(a - b) <= 1e-14 * std::max(std::fabs(a), std::fabs(b));
}

// --- Generated stores ------------------------------------------------------------

class Generator {
 public:
  explicit Generator(uint32_t seed) : random_(seed) {}

  int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }

  // Reals of every magnitude from 1e-3 to 1e12, either sign, sometimes whole.
  double Real() {
    double mantissa = std::uniform_real_distribution<double>(1, 10)(random_);
    int exponent = Int(-3, 12);
    double value = mantissa * std::pow(10.0, exponent);
    if (exponent > 0 && Chance(0.2)) value = std::round(value);
    return Chance(0.5) ? -value : value;
  }
  double Positive() { return std::fabs(Real()) + 1e-3; }

  // z flags as the reader can make them: z4 and z5 never together.
  int32_t ZFlags() {
    const int32_t high[] = {0, 8, 16};
    return Int(0, 7) | high[Int(0, 2)];
  }
  TJwwEntHead RandomHead() {
    return Head(Int(0, 15), Int(0, 15), Int(0, 20), Int(1, 9), Int(0, 30000), ZFlags());
  }

  // A non-blank Shift-JIS text of whole characters, quotes and blanks
  // included.
  std::string Text() {
    static const char* const pieces[] = {
        "A",
        "z",
        "7",
        "\"",
        " ",
        "=",
        "\x81\x40" /* full-width blank */,
        "\x82\xA0" /* あ */,
        "\x8A\xBF" /* 漢 */,
        "\x83\x41" /* ア */,
        "\xB1" /* half-width ｱ */,
        "\x83\x40" /* ァ: trail byte 0x40 */,
        "\x88\x9F",
        "\x9F\x40",
        "\xE0\x40",
        "\xFC\x4B",
        "~",
        "\\",
    };
    std::string text;
    int count = Int(1, 60);
    for (int i = 0; i < count; ++i) text += pieces[Int(0, std::size(pieces) - 1)];
    text += "\x95\xB6";  // 文: never blank
    return text.substr(0, CharBoundaryLength(text, kJwwShortStrMax));
  }

  std::string FontName() {
    static const std::string names[] = {
        std::string(kJwwDefaultFontName),
        "<\x82\x6C\x82\x72 \x96\xBE\x92\xA9>",  // <ＭＳ 明朝>
        "Arial",
        "<A>\"",  // a name that ends in a quote
    };
    return names[Int(0, 3)];
  }

  TJwwEntText RandomText(const TJwwEntHead& head) {
    TJwwEntText t = MakeText(head, Int(0, 9), Text(), Real(), Real(), Real(), Real());
    t.basePoint = Int(0, 8);
    t.textType = Int(0, 10);
    if (t.textType == 0) {
      t.width = Positive();
      t.height = Positive();
      t.spacing = Real();
      t.head.colour = Int(0, 9);
    } else {
      const TJwwTextType& type = jwwHeader.textTypes[t.textType - 1];
      t.width = type.width;
      t.height = type.height;
      t.spacing = type.spacing;
      t.head.colour = type.colour;
    }
    t.fontName = JwwStoreShortStr(FontName());
    return t;
  }

  void SolidColour(TJwwEntHead& head, int32_t& solidColour) {
    if (Chance(0.3)) head.colour = 10;
    solidColour = Int(0, 0xFFFFFF);
  }

  // Adds one random entity (now and then a degenerate one, left out by the
  // writer) and returns what reading the output back should give.
  std::optional<Observed> AddEntity() {
    TJwwEntHead h = RandomHead();
    const int kind = Int(1, 15);
    // Points have no degenerate form: they are always written.
    const bool degenerate = kind != jekPoint && kind != jekPointEx && Chance(0.1);
    int32_t i = 0;
    switch (kind) {
      case jekLine: {
        double x = Real(), y = Real();
        i = AddRecord(
            jwwLines, jekLine,
            degenerate ? TJwwEntLine{h, 0, x, y, x, y} : TJwwEntLine{h, 0, x, y, Real(), Real()});
        break;
      }
      case jekCircle:
        i = AddRecord(jwwCircles, jekCircle,
                      TJwwEntCircle{h, Real(), Real(), degenerate ? 0 : Positive()});
        break;
      case jekArc:
        i = AddRecord(jwwArcs, jekArc,
                      TJwwEntArc{h, Real(), Real(), Positive(), Real(), Real(),
                                 degenerate ? 0 : Real(), Real()});
        break;
      case jekText: {
        TJwwEntText t = RandomText(h);
        if (degenerate) t.text = JwwStoreShortStr(" \x81\x40 ");
        i = AddRecord(jwwTexts, jekText, t);
        break;
      }
      case jekPoint:
        i = AddRecord(jwwPoints, jekPoint, TJwwEntPoint{h, Real(), Real()});
        break;
      case jekPointEx:
        i = AddRecord(jwwPointExs, jekPointEx,
                      TJwwEntPointEx{h, Real(), Real(), Real(), Real(), Int(-7, 11)});
        break;
      case jekLineText: {
        TJwwEntLineText u{};
        u.head = h;
        u.line.head = RandomHead();
        u.line.head.layerGroup = h.layerGroup;
        u.line.head.layer = h.layer;
        u.line.head.zFlags = 0;
        u.line.x1 = Real();
        u.line.y1 = Real();
        u.line.x2 = degenerate ? u.line.x1 : Real();
        u.line.y2 = degenerate ? u.line.y1 : Real();
        u.text = RandomText(h);
        u.text.textKind = 2;
        i = AddRecord(jwwLineTexts, jekLineText, u);
        break;
      }
      case jekBlk:
        AddRecord(jwwBlks, jekBlk, TJwwEntBlk{h, Real(), Real(), 0});
        return std::nullopt;
      case jekSolid2: {
        TJwwEntSolid2 s{h, 0, Real(), Real(), Real(), Real()};
        SolidColour(s.head, s.solidColour);
        if (degenerate) s.x2 = s.x1, s.y2 = s.y1;
        i = AddRecord(jwwSolid2s, jekSolid2, s);
        break;
      }
      case jekSolid3: {
        TJwwEntSolid3 s{h, 0, Real(), Real(), Real(), Real(), Real(), Real()};
        SolidColour(s.head, s.solidColour);
        if (degenerate) s.x3 = s.x1, s.y3 = s.y1;
        i = AddRecord(jwwSolid3s, jekSolid3, s);
        break;
      }
      case jekSolid4: {
        TJwwEntSolid4 s{h, 0, Real(), Real(), Real(), Real(), Real(), Real(), Real(), Real()};
        SolidColour(s.head, s.solidColour);
        i = AddRecord(jwwSolid4s, jekSolid4, s);
        if (degenerate) {
          // Third and fourth corners together: written as the three-point
          // solid of the first three.
          s.x4 = s.x3;
          s.y4 = s.y3;
          jwwSolid4s[i] = s;
          Observed three = Observe({jekSolid4, i});
          three.kind = jekSolid3;
          three.reals.resize(6);
          return three;
        }
        break;
      }
      case jekSolidSc:
      case jekSolidSe: {
        TJwwEntSolidSc s{h, 0, {Real(), Real(), Positive(), Real(), Real(), Real(), Real()}, 0};
        SolidColour(s.head, s.solidColour);
        const int32_t scCodes[] = {-1, 0, 5, 100};
        s.code = kind == jekSolidSc ? scCodes[Int(0, 3)] : (Chance(0.5) ? 0 : 100);
        if (degenerate) s.code = kind == jekSolidSc ? 1 : 5;
        i = AddRecord(kind == jekSolidSc ? jwwSolidScs : jwwSolidSes, kind, s);
        break;
      }
      case jekSolidSo:
      case jekSolidSg: {
        double v3 = Positive();
        TJwwEntSolidSo s{h, 0, {Real(), Real(), v3, Real(), Real(), Real(), Real(), v3 / 2}};
        SolidColour(s.head, s.solidColour);
        if (degenerate) s.values[7] = v3;
        i = AddRecord(kind == jekSolidSo ? jwwSolidSos : jwwSolidSgs, kind, s);
        break;
      }
    }
    if (degenerate) return std::nullopt;
    return Observe({kind, i});
  }

 private:
  std::mt19937 random_;
};

void ExpectSame(const Observed& want, const Observed& got, int position) {
  ASSERT_EQ(got.kind, want.kind) << "entity " << position;
  EXPECT_EQ(got.ints, want.ints) << "entity " << position << " kind " << want.kind;
  EXPECT_EQ(got.font, want.font) << "entity " << position;
  EXPECT_EQ(got.text, want.text) << "entity " << position;
  ASSERT_EQ(got.reals.size(), want.reals.size()) << "entity " << position;
  for (size_t k = 0; k < want.reals.size(); ++k) {
    EXPECT_TRUE(SameTo15Digits(want.reals[k], got.reals[k]))
        << "entity " << position << " kind " << want.kind << " value " << k << ": " << want.reals[k]
        << " read back as " << got.reals[k];
  }
}

TEST_F(PipelineTest, WhatIsWrittenReadsBackAsTheSameEntities) {
  for (uint32_t seed : {1u, 2u, 3u}) {
    JwwInit();
    jwwHeader.lineWidthSeen = true;
    Generator generate(seed);
    initialAttributes.initialGroup = generate.Int(0, 15);
    initialAttributes.initialLayer = generate.Int(0, 15);
    std::vector<Observed> expected;
    for (int n = 0; n < 3000; ++n) {
      if (std::optional<Observed> o = generate.AddEntity()) expected.push_back(*o);
    }
    ResetWriterState();
    WriteAndSave();

    JwwInit();
    ASSERT_TRUE(JwwReadFile(path_));
    ASSERT_EQ(entityOrder.Count(), static_cast<int32_t>(expected.size())) << "seed " << seed;
    for (int32_t k = 0; k < entityOrder.Count(); ++k) {
      ExpectSame(expected[k], Observe(entityOrder[k]), k);
      if (HasFatalFailure() || HasNonfatalFailure()) {
        ADD_FAILURE() << "seed " << seed;
        return;
      }
    }
  }
}

}  // namespace
