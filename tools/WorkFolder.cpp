#include "WorkFolder.h"

#include <fstream>
#include <sstream>

#include "common/MyFunc.h"

namespace fs = std::filesystem;

namespace {

// The first line of `bytes` without its line end.
std::string FirstLine(const std::string& bytes) {
  std::string line = bytes.substr(0, bytes.find('\n'));
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

// Copies `file` into `dir` under its own name, unless it is there already;
// the copy's path in `copy`. False with `error` set when that fails.
bool CopyInto(const fs::path& file, const fs::path& dir, fs::path& copy, std::string& error) {
  std::error_code ec;
  copy = dir / file.filename();
  if (fs::absolute(file, ec) == copy) return true;
  fs::copy_file(file, copy, fs::copy_options::overwrite_existing, ec);
  if (ec) error = "cannot copy " + file.string() + ": " + ec.message();
  return !ec;
}

}  // namespace

std::optional<std::string> ReadFileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return bytes.str();
}

bool WriteFileBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return !out.fail();
}

std::string TransferFileBytes(const std::string& drawing) {
  if (FirstLine(drawing) == "hq") return drawing;
  return "hq\r\n" + drawing;
}

bool LayOutWorkFolder(const fs::path& dir, const fs::path& exe, const fs::path& batchFile,
                      const std::string& drawing, std::optional<int> flipType, WorkFolder& folder,
                      std::string& error) {
  std::error_code ec;
  folder = WorkFolder{};
  folder.dir = fs::absolute(dir, ec);
  if (ec) folder.dir = dir;
  folder.exe = folder.dir / exe.filename();
  folder.transferFile = folder.dir / "JWC_TEMP.TXT";
  folder.settingsFile = folder.exe;
  folder.settingsFile.replace_extension(".dat");

  fs::create_directories(folder.dir, ec);
  if (ec) {
    error = "cannot create " + folder.dir.string() + ": " + ec.message();
    return false;
  }
  if (!CopyInto(exe, folder.dir, folder.exe, error) ||
      (!batchFile.empty() && !CopyInto(batchFile, folder.dir, folder.batchFile, error))) {
    return false;
  }
  if (!WriteFileBytes(folder.transferFile, TransferFileBytes(drawing))) {
    error = "cannot write " + folder.transferFile.string();
    return false;
  }
  if (flipType &&
      !WriteFileBytes(folder.settingsFile, "0\r\n0\r\n" + std::to_string(*flipType) + "\r\n")) {
    error = "cannot write " + folder.settingsFile.string();
    return false;
  }
  return true;
}

ToolAnswer ReadToolAnswer(const fs::path& transferFile) {
  std::optional<std::string> bytes = ReadFileBytes(transferFile);
  if (!bytes) return ToolAnswer::kNone;
  const std::string first = FirstLine(*bytes);
  if (first == "hq") return ToolAnswer::kUnchanged;
  if (first == "hd") return ToolAnswer::kReplace;
  return ToolAnswer::kNone;
}

std::optional<int> ReadSavedFlipType(const fs::path& settingsFile) {
  std::optional<std::string> bytes = ReadFileBytes(settingsFile);
  if (!bytes) return std::nullopt;
  std::istringstream lines(*bytes);
  std::string line;
  for (int i = 0; i < 3; ++i) {
    if (!std::getline(lines, line)) return std::nullopt;
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  // The tool writes a plain decimal integer; anything else is no answer.
  const size_t digits = line.find_first_not_of('-');
  if (line.empty() || digits > 1 || digits == line.size() ||
      line.find_first_not_of("0123456789", digits) != std::string::npos || line.size() > 10) {
    return std::nullopt;
  }
  return TextToInt(line);
}
