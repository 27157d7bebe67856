// The synthetic drawing: statements are drawn from a seeded generator and
// written through one large buffer. Coordinates are fixed-point numbers with
// ten decimals over a drawing of +-50000 units, so that a coordinate has at
// most fifteen significant digits, as the host writes them.
#include "bench/SyntheticDrawing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <string>
#include <string_view>

#include "transfer/JwwGaibu.h"

namespace {

constexpr int64_t kUnit = 10000000000;  // 1.0 in fixed point: ten decimals
constexpr size_t kFlushBytes = 1 << 20;
constexpr double kPi = 3.14159265358979323846;

// Japanese words of a drawing, in Shift-JIS; several carry the trail byte
// 0x5C, which a byte-wise reader must not take for a separator.
constexpr std::string_view kJapaneseWords[] = {
    "\x95\xbd\x96\xca\x90\x7d",                                          // plan
    "\x97\xa7\x96\xca\x90\x7d",                                          // elevation
    "\x92\x66\x96\xca\x90\x7d",                                          // section
    "\x8f\xda\x8d\xd7\x90\x7d",                                          // detail
    "\x90\xa1\x96\x40",                                                  // dimension
    "\x95\x5c\x8e\xa6",                                                  // display
    "\x8b\x40\x94\x5c",                                                  // function
    "\x83\x5c\x83\x74\x83\x40",                                          // sofa
    "\x89\xef\x8b\x63\x8e\xba",                                          // meeting room
    "\x8e\x96\x96\xb1\x8f\x8a",                                          // office
    "\x98\x4c\x89\xba",                                                  // corridor
    "\x8a\x4b\x92\x69",                                                  // stairs
    "\x95\xd6\x8f\x8a",                                                  // toilet
    "\x91\x71\x8c\xc9",                                                  // store room
    "\x8c\xba\x8a\xd6",                                                  // entrance
    "\x93\x53\x8b\xd8\x83\x52\x83\x93\x83\x4e\x83\x8a\x81\x5b\x83\x67",  // concrete
    "\x93\x56\x88\xe4\x8d\x82",                                          // ceiling height
    "\x8e\x64\x8f\xe3",                                                  // finish
    "\x8f\x6b\x8e\xda",                                                  // scale
    "\x82\x50\x81\x46\x82\x50\x82\x4f\x82\x4f",                          // 1:100, full width
    "\x90\xdd\x94\xf5",                                                  // services
    "\x8b\x8b\x94\x72\x90\x85",                                          // plumbing
};

constexpr std::string_view kAsciiLabels[] = {"A-101",   "W=900", "FL+150", "GL",    "X1",
                                             "Y3",      "2F",    "PH",     "1:100", "S=1/50",
                                             "CH=2400", "D-12",  "t=9.5",  "@450",  "SUS304"};

constexpr std::string_view kFontLines[] = {
    "cn\"$<\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e>",  // MS Gothic
    "cn\"$<\x82\x6c\x82\x72 \x96\xbe\x92\xa9>",                  // MS Mincho
};

// splitmix64: small, fast and the same on every platform.
class TRandom {
 public:
  explicit TRandom(uint64_t seed) : state_(seed) {}
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform in [0, n), n > 0.
  int64_t Below(int64_t n) { return static_cast<int64_t>(Next() % static_cast<uint64_t>(n)); }
  int64_t Between(int64_t lo, int64_t hi) { return lo + Below(hi - lo + 1); }
  bool Percent(int64_t p) { return Below(100) < p; }

 private:
  uint64_t state_;
};

enum TPrecision { kWhole, kTwoDecimals, kFull };

class TDrawingWriter {
 public:
  TDrawingWriter(std::FILE* file, uint64_t seed) : file_(file), random_(seed) {
    buffer_.reserve(kFlushBytes + 4096);
  }

  bool Generate(int32_t entities, TSyntheticCounts& counts);

 private:
  // --- output ---
  void EndLine() {
    buffer_ += "\r\n";
    if (buffer_.size() >= kFlushBytes) Flush();
  }
  void Line(std::string_view text) {
    buffer_ += text;
    EndLine();
  }
  void Flush() {
    if (!buffer_.empty() && std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size())
      failed_ = true;
    bytes_ += static_cast<int64_t>(buffer_.size());
    buffer_.clear();
  }
  void Int(int64_t v) { buffer_ += std::to_string(v); }
  void Blank() { buffer_ += ' '; }
  // A fixed-point value, trailing zeros of the fraction dropped.
  void Fixed(int64_t m) {
    if (m < 0) {
      buffer_ += '-';
      m = -m;
    }
    Int(m / kUnit);
    int64_t fraction = m % kUnit;
    if (fraction == 0) return;
    char digits[11];
    std::snprintf(digits, sizeof digits, "%010lld", static_cast<long long>(fraction));
    int end = 10;
    while (digits[end - 1] == '0') --end;
    buffer_ += '.';
    buffer_.append(digits, end);
  }
  // A real as the host would write it: at most fifteen significant digits,
  // and the cosine of a right angle as 0.
  void Real(double v) {
    if (std::fabs(v) < 1e-12) v = 0;
    char text[40];
    std::snprintf(text, sizeof text, "%.15g", v);
    buffer_ += text;
  }
  void Point(int64_t x, int64_t y) {
    Blank();
    Fixed(x);
    Blank();
    Fixed(y);
  }

  // --- values ---
  TPrecision RandomPrecision() {
    int64_t r = random_.Below(100);
    return r < 25 ? kWhole : r < 50 ? kTwoDecimals : kFull;
  }
  static int64_t Snap(int64_t m, TPrecision p) {
    int64_t step = p == kWhole ? kUnit : p == kTwoDecimals ? kUnit / 100 : 1;
    return static_cast<int64_t>(std::llround(static_cast<double>(m) / step)) * step;
  }
  int64_t Coordinate(TPrecision p) {
    return Snap(random_.Between(-50000 * kUnit, 50000 * kUnit), p);
  }
  int64_t Length(TPrecision p, int64_t lo, int64_t hi) {
    return Snap(random_.Between(lo * kUnit, hi * kUnit), p);
  }

  // --- statements ---
  void Header();
  void AttributeChange();
  void ZLines();
  void PlainLine(int64_t& x, int64_t& y, TPrecision p);
  void PolylineRun(int32_t lines);
  void CircleOrArc();
  void Text();
  void PointStatement();
  void Solid();

  std::FILE* file_;
  TRandom random_;
  std::string buffer_;
  int64_t bytes_ = 0;
  bool failed_ = false;
  int32_t texts_ = 0;
};

void TDrawingWriter::Header() {
  Line("hq");
  Line("file=C:\\JWW\\SAMPLE PLAN 01.jww");
  Line("hk 1");
  Line("hs 100 100 100 100 50 50 50 50 20 20 20 20 1 1 1 1");
  Line("hzs 841 594");
  Line("hcw 2 2.5 3 3.5 4 5 6 7 8 10");
  Line("hch 2 2.5 3 3.5 4 5 6 7 8 10");
  Line("hcd 0 0 0.5 0.5 0.5 1 1 1 1 1");
  Line("hcc 1 1 2 2 2 3 3 4 5 6");
  Line("hn 0 0 0 0");
  Line("lg0");
  Line("ly0");
  Line("lc1");
  Line("lt1");
  Line("lw1");
  Line("cn1");
  Line("cc0");
  Line(kFontLines[0]);
}

// One or two attribute lines of the kinds a drawing switches between.
void TDrawingWriter::AttributeChange() {
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (int64_t k = random_.Between(1, 2); k > 0; --k) {
    switch (random_.Below(9)) {
      case 0:
        buffer_ += "lg";
        buffer_ += kHex[random_.Below(16)];
        EndLine();
        [[fallthrough]];
      case 1:
        buffer_ += "ly";
        buffer_ += kHex[random_.Below(16)];
        EndLine();
        break;
      case 2:
        buffer_ += "lc";
        Int(random_.Between(1, 9));
        EndLine();
        break;
      case 3:
        buffer_ += "lt";
        Int(random_.Between(1, 6));
        EndLine();
        break;
      case 4:
        buffer_ += "lw";
        Int(random_.Between(0, 5));
        EndLine();
        break;
      case 5:
        if (random_.Percent(60)) {
          buffer_ += "cn";
          Int(random_.Between(1, 10));
        } else {
          buffer_ += "cn0 ";
          Fixed(Length(kTwoDecimals, 1, 10));
          Blank();
          Fixed(Length(kTwoDecimals, 1, 10));
          buffer_ += random_.Percent(50) ? " 0 " : " 0.5 ";
          Int(random_.Between(1, 9));
        }
        EndLine();
        break;
      case 6:
        buffer_ += "cc";
        Int(random_.Between(0, 8));
        EndLine();
        break;
      case 7:
        Line(kFontLines[random_.Below(2)]);
        break;
      default:
        buffer_ += "pn";
        Int(random_.Between(1, 9));
        EndLine();
        break;
    }
  }
}

void TDrawingWriter::ZLines() {
  if (!random_.Percent(1)) return;
  buffer_ += 'z';
  Int(random_.Between(1, 5));
  EndLine();
}

// A line from (x, y), mostly horizontal or vertical; (x, y) becomes its end.
void TDrawingWriter::PlainLine(int64_t& x, int64_t& y, TPrecision p) {
  int64_t length = Length(p, 10, 5000);
  int64_t x2 = x, y2 = y;
  switch (random_.Below(5)) {
    case 0:
      x2 += length;
      break;
    case 1:
      x2 -= length;
      break;
    case 2:
      y2 += length;
      break;
    case 3:
      y2 -= length;
      break;
    default: {
      double angle = static_cast<double>(random_.Below(3600)) * kPi / 1800.0;
      x2 = Snap(x + std::llround(static_cast<double>(length) * std::cos(angle)), p);
      y2 = Snap(y + std::llround(static_cast<double>(length) * std::sin(angle)), p);
      if (x2 == x && y2 == y) x2 += length;
    }
  }
  Fixed(x);
  Blank();
  Fixed(y);
  Point(x2, y2);
  EndLine();
  x = x2;
  y = y2;
}

void TDrawingWriter::PolylineRun(int32_t lines) {
  Line("pl");
  TPrecision p = RandomPrecision();
  int64_t x = Coordinate(p), y = Coordinate(p);
  for (int32_t i = 0; i < lines; ++i) PlainLine(x, y, p);
  Line("#");
}

void TDrawingWriter::CircleOrArc() {
  TPrecision p = RandomPrecision();
  buffer_ += "ci";
  Point(Coordinate(p), Coordinate(p));
  Blank();
  Fixed(Length(p, 1, 2000));
  if (random_.Percent(50)) {
    double start = static_cast<double>(random_.Below(360)) * kPi / 180.0;
    double sweep = static_cast<double>(random_.Between(10, 350)) * kPi / 180.0;
    Blank();
    Real(start);
    Blank();
    Real(start + sweep);
    buffer_ += random_.Percent(90) ? " 1 0" : " 0.5 0.3";
  }
  EndLine();
}

void TDrawingWriter::Text() {
  TPrecision p = RandomPrecision();
  buffer_ += random_.Percent(90) ? kJwwTextKeywords[0]
                                 : kJwwTextKeywords[random_.Below(kJwwTextKindCount)];
  Point(Coordinate(p), Coordinate(p));
  if (random_.Percent(75)) {
    buffer_ += " 1 0";
  } else {
    static constexpr int kAngles[] = {90, 270, 45, 30, 180};
    int64_t pick = random_.Below(6);
    double degrees = pick < 5 ? kAngles[pick] : static_cast<double>(random_.Below(3600)) / 10.0;
    Blank();
    Real(std::cos(degrees * kPi / 180.0));
    Blank();
    Real(std::sin(degrees * kPi / 180.0));
  }
  buffer_ += " \"";
  if (random_.Percent(50)) {
    for (int64_t w = random_.Between(1, 3); w > 0; --w)
      buffer_ += kJapaneseWords[random_.Below(std::size(kJapaneseWords))];
    if (random_.Percent(30)) Int(random_.Between(1, 12));
  } else {
    buffer_ += kAsciiLabels[random_.Below(std::size(kAsciiLabels))];
  }
  EndLine();
  ++texts_;
}

void TDrawingWriter::PointStatement() {
  if (random_.Percent(20)) {
    buffer_ += "pn";
    Int(random_.Between(1, 9));
    EndLine();
  }
  TPrecision p = RandomPrecision();
  buffer_ += "pt";
  Point(Coordinate(p), Coordinate(p));
  EndLine();
}

// Rectangles, triangles and bands: corners always well apart.
void TDrawingWriter::Solid() {
  if (random_.Percent(30)) {
    buffer_ += "lc10 ";
    Int(random_.Below(0x1000000));
    EndLine();
  }
  TPrecision p = RandomPrecision();
  int64_t x = Coordinate(p), y = Coordinate(p);
  int64_t w = Length(p, 1, 3000), h = Length(p, 1, 3000);
  buffer_ += "sl";
  Point(x, y);
  Point(x + w, y);
  int64_t shape = random_.Below(10);
  if (shape < 7) {
    Point(x + w, y + h);
    Point(x, y + h);
  } else if (shape < 9) {
    Point(x, y + h);
  }
  EndLine();
}

bool TDrawingWriter::Generate(int32_t entities, TSyntheticCounts& counts) {
  Header();
  int32_t written = 0;
  int64_t untilChange = 0;
  while (written < entities) {
    if (--untilChange <= 0) {
      AttributeChange();
      untilChange = random_.Between(3, 8);
    }
    ZLines();
    // Picks per mille. A tenth of the line picks start a polyline run of
    // 3..12 lines, so a line pick yields 1.65 entities on average and lines
    // make 55% of the entities, circles and arcs 10%, texts 20%, points 5%
    // and solids 10%.
    int64_t pick = random_.Below(1000);
    if (pick < 426) {
      if (random_.Percent(10)) {
        int32_t run =
            static_cast<int32_t>(std::min<int64_t>(random_.Between(3, 12), entities - written));
        PolylineRun(run);
        written += run;
        continue;
      }
      TPrecision p = RandomPrecision();
      int64_t x = Coordinate(p), y = Coordinate(p);
      PlainLine(x, y, p);
    } else if (pick < 554) {
      CircleOrArc();
    } else if (pick < 809) {
      Text();
    } else if (pick < 873) {
      PointStatement();
    } else {
      Solid();
    }
    ++written;
  }
  Flush();
  counts.entities = written;
  counts.texts = texts_;
  counts.bytes = bytes_;
  return !failed_;
}

}  // namespace

bool WriteSyntheticDrawing(const std::string& path, int32_t entities, uint64_t seed,
                           TSyntheticCounts& counts) {
  counts = {};
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool ok = TDrawingWriter(file, seed).Generate(entities, counts);
  return std::fclose(file) == 0 && ok;
}
