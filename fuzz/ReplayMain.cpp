// Runs a fuzz target over files, for builds without libFuzzer: every argument
// is a file, or a folder whose files are all run. A broken invariant aborts;
// a file that cannot be read fails the run.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "fuzz/FuzzEntry.h"
#include "transfer/seams/JwwPieceRunner.h"

namespace {

bool RunFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", path.string().c_str());
    return false;
  }
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::filesystem::path> files;
  for (int i = 1; i < argc; ++i) {
    std::error_code ec;
    if (std::filesystem::is_directory(argv[i], ec)) {
      for (const auto& entry : std::filesystem::directory_iterator(argv[i], ec))
        if (entry.is_regular_file()) files.push_back(entry.path());
    } else {
      files.emplace_back(argv[i]);
    }
  }
  if (files.empty()) {
    std::fprintf(stderr, "usage: %s FILE_OR_FOLDER...\n", argv[0]);
    return 2;
  }
  int failed = 0;
  for (const auto& path : files) failed += !RunFile(path);
  std::printf("%zu inputs run, %d unreadable; the helper thread prepared %lld pieces\n",
              files.size(), failed, static_cast<long long>(jwwPiecesPreparedByHelper.load()));
  return failed == 0 ? 0 : 1;
}
