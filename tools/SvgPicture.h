// The before/after picture: two drawings side by side in one SVG, y axis up,
// both panels at the same scale so that a text that kept its place sits at
// the same spot in each.
#pragma once

#include <string>

#include "Drawing.h"

// Returns the SVG document (UTF-8). Texts are shown as their strings inside a
// thin box, with the anchor as a dot and the base point code beside it;
// lines, circles, arcs, points and solids are drawn plainly, and a block
// insertion as a marker with its name. Titles are UTF-8.
// An empty drawing gives an empty panel. Never fails.
std::string RenderBeforeAfterSvg(const Drawing& before, const std::string& beforeTitle,
                                 const Drawing& after, const std::string& afterTitle);

// Escapes `utf8` for use in XML text or a quoted attribute, dropping the
// characters that XML 1.0 does not allow (control characters other than tab,
// line feed and carriage return).
std::string XmlEscape(const std::string& utf8);
