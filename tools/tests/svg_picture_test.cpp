// The before/after picture: well-formed XML whatever the texts hold, y axis
// up, both panels drawn.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SvgPicture.h"

namespace {

// A small well-formedness check: one root element, tags nested and closed,
// attributes quoted, "&" only in the five predefined entity references or
// numeric ones, no "<" in character data, valid UTF-8 without control
// characters. Returns "" or what is wrong.
std::string XmlProblem(const std::string& xml) {
  std::vector<std::string> open;
  bool rootSeen = false;
  for (size_t i = 0; i < xml.size();) {
    const unsigned char c = xml[i];
    if (c < 0x20 && c != '\n' && c != '\r' && c != '\t') return "control character";
    if (c >= 0x80) {
      const size_t n = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 0;
      if (n == 0 || i + n > xml.size()) return "bad UTF-8";
      for (size_t k = 1; k < n; ++k) {
        if ((static_cast<unsigned char>(xml[i + k]) & 0xC0) != 0x80) return "bad UTF-8";
      }
      i += n;
      continue;
    }
    if (c == '&') {
      const size_t end = xml.find(';', i);
      if (end == std::string::npos) return "unterminated entity";
      const std::string name = xml.substr(i + 1, end - i - 1);
      if (name != "amp" && name != "lt" && name != "gt" && name != "quot" && name != "apos" &&
          (name.empty() || name[0] != '#')) {
        return "unknown entity " + name;
      }
      i = end + 1;
      continue;
    }
    if (c == '>') return "stray >";
    if (c != '<') {
      if (open.empty() && rootSeen && c > ' ') return "text after the root element";
      ++i;
      continue;
    }
    const size_t end = xml.find('>', i);
    if (end == std::string::npos) return "unterminated tag";
    std::string tag = xml.substr(i + 1, end - i - 1);
    i = end + 1;
    if (tag.starts_with("?")) continue;
    // Quotes in attributes must pair up, and no "<" may stand inside a tag.
    if (tag.find('<') != std::string::npos) return "< inside a tag";
    size_t quotes = 0;
    for (char q : tag) quotes += q == '"';
    if (quotes % 2) return "unbalanced quotes in <" + tag + ">";
    if (tag.starts_with("/")) {
      if (open.empty() || open.back() != tag.substr(1)) return "mismatched </" + tag + ">";
      open.pop_back();
      continue;
    }
    const bool selfClosing = tag.ends_with("/");
    const std::string name = tag.substr(0, tag.find_first_of(" /\n"));
    if (open.empty()) {
      if (rootSeen) return "second root element";
      rootSeen = true;
    }
    if (!selfClosing) open.push_back(name);
  }
  if (!rootSeen) return "no root element";
  if (!open.empty()) return "unclosed <" + open.back() + ">";
  return "";
}

DrawnText Text(const std::string& s, double x, double y) {
  DrawnText t;
  t.text = s;
  t.x = x;
  t.y = y;
  t.width = t.height = 3;
  return t;
}

Drawing TrickyDrawing() {
  Drawing d;
  d.texts.push_back(Text("a<b & \"c\" >d", 0, 0));
  d.texts.push_back(Text("\x82\xA0\x01\x1F\x7F\xFF\x82", 10, 40));  // control bytes, lone lead
  d.texts.push_back(Text("", 5, 5));
  d.segments.push_back({0, 0, 100, 50, 1});
  d.circles.push_back({50, 25, 10, false, 0, 360, 1, 0, 1});
  d.circles.push_back({50, 25, 20, true, 30, 120, 0.5, 15, 1});
  d.points.push_back({1, 2});
  d.solids.push_back({{{0, 0}, {10, 0}, {10, 10}}, false, {}});
  d.solids.push_back({{{0, 0}, {10, 10}}, false, {}});
  d.solids.push_back({{}, true, {20, 20, 5, 0, 360, 1, 0, 0}});
  d.blocks.push_back({30, 30, "x<&\x82\xA0"});
  return d;
}

TEST(SvgPicture, IsWellFormedWhateverTheTextsHold) {
  const std::string svg = RenderBeforeAfterSvg(TrickyDrawing(), "before", Drawing{}, "after <&>");
  EXPECT_EQ(XmlProblem(svg), "") << svg;
  EXPECT_NE(svg.find("a&lt;b &amp; &quot;c&quot; &gt;d"), std::string::npos);
  EXPECT_NE(svg.find("あ"), std::string::npos);
}

TEST(SvgPicture, EmptyDrawingsGiveAWellFormedPicture) {
  EXPECT_EQ(XmlProblem(RenderBeforeAfterSvg({}, "", {}, "")), "");
}

TEST(SvgPicture, TheCheckerItselfRejectsBrokenXml) {
  const char* broken[] = {"<a><b></a></b>", "<a x=\"1></a>", "<a>&nope;</a>",  "<a>\x01</a>",
                          "<a></a><b/>",    "<a>",           "<a>\xE3\x81</a>"};
  for (const char* xml : broken) EXPECT_NE(XmlProblem(xml), "") << xml;
}

// The pixel y of the anchor dot drawn for the first text of a panel.
double AnchorY(const std::string& svg, size_t from) {
  const size_t dot = svg.find("class=\"anchor\"", from);
  const size_t cy = svg.rfind("cy=\"", dot);
  return std::stod(svg.substr(cy + 4));
}

TEST(SvgPicture, YAxisPointsUpAndBothPanelsShareTheScale) {
  Drawing low, high;
  low.texts.push_back(Text("L", 0, 0));
  low.texts.push_back(Text("H", 0, 100));
  high.texts.push_back(Text("H", 0, 100));
  const std::string svg = RenderBeforeAfterSvg(low, "before", high, "after");
  const size_t first = svg.find("class=\"anchor\"");
  const size_t second = svg.find("class=\"anchor\"", first + 1);
  const size_t third = svg.find("class=\"anchor\"", second + 1);
  EXPECT_GT(AnchorY(svg, first), AnchorY(svg, second));  // y 0 is drawn below y 100
  EXPECT_DOUBLE_EQ(AnchorY(svg, second), AnchorY(svg, third));
}

}  // namespace
