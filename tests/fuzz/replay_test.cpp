// Replays saved fuzz inputs through the fuzz targets' own entry points:
// every file of fuzz/regressions/<target>/ (inputs that once crashed, hung,
// leaked or broke an invariant, kept after the fix) and of the seed corpus
// fuzz/corpus/<target>/. Under the sanitizer build of `make test` this is the
// same check the fuzzer made; here a broken invariant fails the test with
// the input's name instead of aborting.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fuzz/entries/fuzz_targets.h"

namespace qm::fuzz {
namespace {

namespace fs = std::filesystem;

fs::path FuzzDir() {
  if (const char* root = std::getenv("QUILLMARK_SOURCE_DIR"); root != nullptr && *root != '\0') {
    return fs::path(root) / "fuzz";
  }
  return fs::path(__FILE__).parent_path().parent_path().parent_path() / "fuzz";
}

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The files of one folder, sorted; none when the folder is missing.
std::vector<fs::path> FilesOf(const fs::path& folder) {
  std::vector<fs::path> files;
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator(folder, ignored)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// Runs every file of `kind` (corpus or regressions) through its target;
// returns how many were run.
size_t Replay(std::string_view kind) {
  size_t count = 0;
  for (const FuzzTarget& target : kFuzzTargets) {
    for (const fs::path& file : FilesOf(FuzzDir() / kind / target.name)) {
      SCOPED_TRACE(file.string());
      const std::string bytes = ReadBytes(file);
      try {
        target.entry(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
      } catch (const std::exception& error) {
        ADD_FAILURE() << target.name << ": " << error.what();
      }
      ++count;
    }
  }
  return count;
}

TEST(FuzzReplayTest, RegressionInputsStayFixed) { Replay("regressions"); }

TEST(FuzzReplayTest, SeedCorpusPasses) {
  EXPECT_GT(Replay("corpus"), 0u) << "no seed corpus under " << FuzzDir();
}

}  // namespace
}  // namespace qm::fuzz
