// The working folder the substitute host hands to the tool, laid out as the
// host's external transformation leaves it with #cd: the batch file's folder,
// holding the batch file, the tool's executable beside it, the transfer file
// JWC_TEMP.TXT, and the tool's settings file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

struct WorkFolder {
  std::filesystem::path dir;
  std::filesystem::path exe;           // the copy of the tool
  std::filesystem::path batchFile;     // the copy of the batch file; empty when none
  std::filesystem::path transferFile;  // JWC_TEMP.TXT
  std::filesystem::path settingsFile;  // <exe name>.dat
};

// The transfer file as the host writes it: `drawing` with the line "hq" put
// in front unless its first line already is "hq".
std::string TransferFileBytes(const std::string& drawing);

// Creates `dir` (and its parents), copies `exe` and, unless it is empty,
// `batchFile` into it under their own names, writes the transfer file from
// `drawing` and, when `flipType` is given, the settings file "0", "0",
// flipType (CR LF each), replacing what was there. False with `error` set
// when a step fails.
bool LayOutWorkFolder(const std::filesystem::path& dir, const std::filesystem::path& exe,
                      const std::filesystem::path& batchFile, const std::string& drawing,
                      std::optional<int> flipType, WorkFolder& folder, std::string& error);

enum class ToolAnswer {
  kUnchanged,  // first line "hq": the host leaves the drawing as it was
  kReplace,    // first line "hd": the selection is replaced by the file's entities
  kNone,       // no file left, or one that begins with neither
};

// How the tool answered in `transferFile`.
ToolAnswer ReadToolAnswer(const std::filesystem::path& transferFile);

// The flip type the tool saved in its settings file (third line), if the
// file exists and its third line is a whole integer.
std::optional<int> ReadSavedFlipType(const std::filesystem::path& settingsFile);

// The whole file as bytes; nothing when it cannot be read.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);

// Writes `bytes` to `path`, replacing it. False when that fails.
bool WriteFileBytes(const std::filesystem::path& path, const std::string& bytes);
