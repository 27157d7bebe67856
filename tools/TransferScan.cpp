#include "TransferScan.h"

#include <algorithm>

namespace {

bool IsLeadByte(unsigned char b) {
  return (b >= 0x80 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFD);
}

// The first word of a line and how many words it has, split as the host's
// lines are: blanks and tabs separate words until a double quote (dropped)
// or "=" (kept) joins the rest of the line into one word; a two-byte
// character never splits; other control bytes do not count. Blanks at the
// end start one more, empty, word.
struct Words {
  std::string first;
  int count = 1;
};

Words SplitWords(std::string_view line) {
  Words words;
  bool splitting = true, currentEmpty = true;
  auto take = [&](std::string_view bytes) {
    if (words.count == 1) words.first += bytes;
    currentEmpty = false;
  };
  for (size_t i = 0; i < line.size(); ++i) {
    const auto b = static_cast<unsigned char>(line[i]);
    if (IsLeadByte(b)) {
      if (i + 1 == line.size()) break;
      take(line.substr(i++, 2));
    } else if (splitting && b == '"') {
      splitting = false;
    } else if (splitting && b == '=') {
      take(line.substr(i, 1));
      splitting = false;
    } else if (splitting && (b == ' ' || b == '\t')) {
      if (!currentEmpty) ++words.count, currentEmpty = true;
    } else if (b >= 0x20 && b <= 0xFD) {
      take(line.substr(i, 1));
    }
  }
  return words;
}

enum class Role {
  kNeutral,      // header, layer names, "#" aside, ignored lines
  kAttribute,    // changes a running attribute and ends a curve
  kPrefix,       // belongs to the next entity: z lines, "hhp"
  kCurveStart,   // "pl"
  kFigureStart,  // "msg"
  kEnd,          // "#": ends a curve and a pending dimension figure
  kPlainLine,    // four words that no keyword took
  kEntity,
};

struct Statement {
  Role role = Role::kNeutral;
  EntityClass kind = EntityClass::kLine;
  OptionalAttribute optional = OptionalAttribute::kNone;
  bool isCs = false;  // the text keyword of a dimension figure's value
};

bool Starts(std::string_view word, std::string_view keyword) {
  return word.substr(0, keyword.size()) == keyword;
}

bool OneOf(std::string_view word, std::initializer_list<std::string_view> keywords) {
  return std::find(keywords.begin(), keywords.end(), word) != keywords.end();
}

Statement Entity(EntityClass kind, bool isCs = false) {
  return {Role::kEntity, kind, OptionalAttribute::kNone, isCs};
}

// What a line is, by its first word `k` and its word count `n`, tried in the
// order in which the host's statements take precedence over each other. The
// keywords are spelled out here on purpose, not taken from the core's table
// of kinds: this scan is an independent check of the reader, and a keyword
// wrong in that table must not be wrong here too.
Statement Classify(std::string_view k, int n) {
  if (k.find("file=") != std::string_view::npos) return {};
  if ((k == "hk" && n >= 2) || (k == "hs" && n >= 17) || (k == "hzs" && n >= 3) ||
      (OneOf(k, {"hcw", "hch", "hcd", "hcc"}) && n >= 11) || k == "bz" || (k == "hn" && n >= 5)) {
    return {};
  }
  if (Starts(k, "lgn") || Starts(k, "lyn")) return {};
  if (Starts(k, "lw")) return {Role::kAttribute, {}, OptionalAttribute::kLineWidth};
  if (Starts(k, "cc")) return {Role::kAttribute, {}, OptionalAttribute::kBasePoint};
  if (Starts(k, "lg") || Starts(k, "ly") || Starts(k, "lc") || Starts(k, "lt") || Starts(k, "cn")) {
    return {Role::kAttribute};
  }
  if (OneOf(k, {"z1", "z2", "z3", "z4", "z5"})) {
    return {Role::kPrefix, {}, OptionalAttribute::kZFlags};
  }
  if (Starts(k, "pn")) return {Role::kAttribute};
  if (k == "pl") return {Role::kCurveStart};
  if (k == "msg") return {Role::kFigureStart};
  if (k == "#") return {Role::kEnd};
  if (Starts(k, "hp") && n >= 3) return {};
  if (Starts(k, "hhp")) return {Role::kPrefix};
  if (k == "ci" && (n == 4 || n >= 8)) return Entity(EntityClass::kCircle);
  if (OneOf(k, {"ch", "cv", "cs", "cr", "co", "cp", "ct", "ck", "cz", "c2"}) && n >= 6) {
    return Entity(EntityClass::kText, k == "cs");
  }
  if (k == "pt" && (n == 3 || n >= 6)) return Entity(EntityClass::kPoint);
  if (k == "BL" && n >= 4) return Entity(EntityClass::kBlock);
  if (k == "sl" && (n == 5 || n == 7 || n >= 9)) return Entity(EntityClass::kSolid);
  if (OneOf(k, {"sc", "se", "so", "sg"}) && n >= 9) return Entity(EntityClass::kSolid);
  if (n == 4) return {Role::kPlainLine};
  return {};
}

// The layer group of an "lg" word: its third byte as one hexadecimal digit.
int GroupDigit(std::string_view word) {
  if (word.size() < 3) return 0;
  const char c = word[2];
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return 0;
}

std::string_view WithoutLineEnd(std::string_view line) {
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

}  // namespace

TransferScan ScanTransfer(std::string_view bytes) {
  TransferScan scan;
  for (size_t start = 0; start < bytes.size();) {
    const size_t end = std::min(bytes.find('\n', start), bytes.size() - 1) + 1;
    scan.lines.push_back({bytes.substr(start, end - start)});
    start = end;
  }
  std::vector<size_t> waiting;  // lines that belong to the next entity
  bool inCurve = false, figurePending = false, groupSeen = false;
  int group = 0;
  auto addEntity = [&](EntityClass kind, size_t line) {
    const int index = static_cast<int>(scan.entities.size());
    scan.entities.push_back({kind, group});
    waiting.push_back(line);
    for (size_t w : waiting) scan.lines[w].entity = index;
    waiting.clear();
  };
  for (size_t i = 0; i < scan.lines.size(); ++i) {
    const Words words = SplitWords(WithoutLineEnd(scan.lines[i].bytes));
    const Statement s = Classify(words.first, words.count);
    scan.lines[i].optional = s.optional;
    switch (s.role) {
      case Role::kNeutral:
        break;
      case Role::kAttribute:
        inCurve = false;
        if (Starts(words.first, "lg")) {
          group = GroupDigit(words.first);
          if (!groupSeen) scan.firstLayerGroup = group, groupSeen = true;
        }
        break;
      case Role::kPrefix:
        waiting.push_back(i);
        break;
      case Role::kCurveStart:
        inCurve = true, figurePending = false;
        waiting.push_back(i);
        break;
      case Role::kFigureStart:
        figurePending = true, inCurve = false;
        waiting.push_back(i);
        break;
      case Role::kEnd:
        inCurve = false, figurePending = false;
        break;
      case Role::kPlainLine:
        // A dimension figure's line waits for its value; a plain line
        // leaves a curve or a pending figure as it was.
        if (figurePending) {
          waiting.push_back(i);
        } else {
          addEntity(inCurve ? EntityClass::kCurveLine : EntityClass::kLine, i);
        }
        break;
      case Role::kEntity:
        addEntity(s.kind == EntityClass::kText && figurePending && s.isCs
                      ? EntityClass::kDimensionFigure
                      : s.kind,
                  i);
        inCurve = false, figurePending = false;
        break;
    }
  }
  return scan;
}

EntityCounts CountEntities(const TransferScan& scan) {
  EntityCounts counts;
  for (const auto& e : scan.entities) counts.Add(e.kind);
  return counts;
}
