#include "HostDirectives.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// The kind that #htN or #htN0 (N = 1..4) names, in the order the references
// list them: blocks, curves, dimension figures, solids. `written` tells
// which: #htN keeps the kind from being erased but still writes it out,
// #htN0 neither erases nor writes it.
bool ExemptKind(const std::string& name, EntityClass& kind, bool& written) {
  static const EntityClass kKinds[] = {EntityClass::kBlock, EntityClass::kCurveLine,
                                       EntityClass::kDimensionFigure, EntityClass::kSolid};
  const bool tens = name.size() == 4 && name[3] == '0';
  if ((name.size() != 3 && !tens) || name.compare(0, 2, "ht") != 0 || name[2] < '1' ||
      name[2] > '4') {
    return false;
  }
  kind = kKinds[name[2] - '1'];
  written = !tens;
  return true;
}

bool IsRange(const std::string& name) {
  return name.size() == 2 && name[0] == 'h' && name[1] >= '0' && name[1] <= '4';
}

std::string Where(const BatchDirective& d) {
  return "#" + d.name + " (line " + std::to_string(d.line) + ")";
}

// True when `command` is "start /w TOOL" with or without arguments; the
// arguments, split at blanks, go to `arguments`.
bool StartsTheTool(const std::string& command, const std::string& exeName,
                   std::vector<std::string>& arguments) {
  const std::string wanted = "start /w " + Lower(exeName);
  const std::string lower = Lower(command);
  if (lower.compare(0, wanted.size(), wanted) != 0) return false;
  if (lower.size() > wanted.size() && lower[wanted.size()] != ' ') return false;
  arguments.clear();
  std::istringstream rest(command.substr(wanted.size()));
  for (std::string argument; rest >> argument;) arguments.push_back(argument);
  return true;
}

// Applies one directive to `play`; false when it is not one the
// substitute knows.
bool Apply(const BatchDirective& d, HostPlay& play) {
  HandOverRules& r = play.rules;
  EntityClass kind;
  bool written = false;
  if (d.name == "h0") {
    r.range = RangeSelection::kNothing;
  } else if (d.name == "h1" || d.name == "h2") {
    r.range = RangeSelection::kEverything;
  } else if (d.name == "h3") {
    r.range = RangeSelection::kTextsOnly;
  } else if (d.name == "g0" || d.name == "g1") {
    r.allLayerGroups = d.name == "g1";
  } else if (ExemptKind(d.name, kind, written)) {
    (written ? r.notErased : r.keptOut).push_back(kind);
  } else if (d.name == "zc") {
    r.basePoints = true;
  } else if (d.name == "zz") {
    r.zFlags = true;
  } else if (d.name == "zw") {
    r.lineWidths = true;
  } else {
    return d.name == "jww" || d.name == "cd" || d.name == "hc" || d.name == "hp" || d.name == "e";
  }
  return true;
}

}  // namespace

bool PlayFromBatch(const BatchFile& batch, const std::string& exeName, HostPlay& play,
                   std::string& error) {
  play = HostPlay{};
  HandOverRules& r = play.rules;
  // What the host does when no directive asks for more.
  r.range = RangeSelection::kNothing;
  r.allLayerGroups = false;
  r.basePoints = r.zFlags = r.lineWidths = false;

  auto has = [&](const char* name) {
    return std::any_of(batch.directives.begin(), batch.directives.end(),
                       [&](const BatchDirective& d) { return d.name == name; });
  };
  for (const char* needed : {"jww", "cd", "e"}) {
    if (!has(needed)) {
      error = std::string("the batch file has no #") + needed;
      return false;
    }
  }
  const auto& ds = batch.directives;
  const auto ranges = std::count_if(ds.begin(), ds.end(), [](auto& d) { return IsRange(d.name); });
  if (ranges > 1 || has("h4")) {
    error = ranges > 1 ? "the batch file has more than one of #h0..#h4"
                       : "#h4 (every entity written, none selected) is not played";
    return false;
  }
  if (ranges == 0) play.notes.push_back("no #h0..#h4: the host selects no entity");
  for (size_t i = 0; i < ds.size(); ++i) {
    if (!Apply(ds[i], play)) play.notes.push_back(Where(ds[i]) + " is not played (ignored)");
    if (ds[i].name != "hc") continue;
    // The host takes the prompt only on the line right after the range.
    if (i > 0 && IsRange(ds[i - 1].name) && ds[i - 1].name != "h0" &&
        ds[i - 1].line + 1 == ds[i].line) {
      play.prompt = ds[i].argument;
    } else {
      play.notes.push_back(Where(ds[i]) + " is not right after #h1..#h3: no prompt is shown");
    }
  }
  // The command processor runs the commands; only the tool's start line is
  // read here, for the arguments it gives the tool.
  const bool started = std::any_of(
      batch.commands.begin(), batch.commands.end(),
      [&](const std::string& c) { return StartsTheTool(c, exeName, play.toolArguments); });
  if (!started) {
    play.notes.push_back("no \"start /w " + exeName +
                         "\" line: the tool may not run, or the host may read the file back "
                         "before the tool has answered");
  }
  return true;
}

int FlipTypeOfArguments(const std::vector<std::string>& arguments) {
  for (const std::string& a : arguments) {
    const std::string lower = Lower(a);
    if (lower.size() == 7 && (lower[0] == '/' || lower[0] == '-') &&
        lower.compare(1, 5, "flip:") == 0 && lower[6] >= '0' && lower[6] <= '2') {
      return lower[6] - '0';
    }
  }
  return -1;
}
