// Turning the SVG picture into a PNG with an installed converter.
#pragma once

#include <filesystem>
#include <string>

// Converts `svg` into `png` with rsvg-convert, or else ImageMagick's convert.
// False with `error` set when neither is installed or the conversion fails.
bool ConvertSvgToPng(const std::filesystem::path& svg, const std::filesystem::path& png,
                     std::string& error);
