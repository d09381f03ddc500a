// Fixtures for the loader tests: a scratch folder per test and small VBA
// projects written with our own writer into each kind of container.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "editor/load/load_project.h"
#include "editor/load/vba_writer.h"

namespace qm::editor::test {

// A test with its own empty folder, removed afterwards.
class ScratchTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The path of a file in the scratch folder.
  std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }
  // Writes bytes to a file in the scratch folder and returns its path.
  std::string Write(const std::string& name, std::string_view bytes) const;

  std::filesystem::path folder_;
};

// A project with one module of each kind: ThisWorkbook (document), Module1
// (standard, with a procedure attribute), Class1 (class), UserForm1 (form).
VbaProjectContent FourKindProject();

// The same project as loaded: name, kind and shown text of each module.
std::string Describe(const LoadedProject& project);

// The message of the LoadError that loading path raises; "" when none.
std::string LoadFailure(const std::string& path);

// The repository's source folder (samples live there).
std::filesystem::path SourceDir();

}  // namespace qm::editor::test
