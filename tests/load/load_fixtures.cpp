// Scratch folders and the standard fixture project of the loader tests.
#include "tests/load/load_fixtures.h"

#include <cstdlib>
#include <fstream>

namespace qm::editor::test {

void ScratchTest::SetUp() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  folder_ = std::filesystem::path(::testing::TempDir()) /
            ("qm_load_" + std::string(info->test_suite_name()) + "_" + info->name());
  std::filesystem::remove_all(folder_);
  std::filesystem::create_directories(folder_);
}

void ScratchTest::TearDown() { std::filesystem::remove_all(folder_); }

std::string ScratchTest::Write(const std::string& name, std::string_view bytes) const {
  const std::string path = PathOf(name);
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  WriteFileBytes(path, bytes);
  return path;
}

VbaProjectContent FourKindProject() {
  VbaProjectContent content;
  content.modules = {
      {"ThisWorkbook", 100,
       "Attribute VB_Name = \"ThisWorkbook\"\r\nAttribute VB_Base = \"0{00020819-0000-0000-C000-000000000046}\"\r\n"
       "Attribute VB_PredeclaredId = True\r\nAttribute VB_Exposed = True\r\nAttribute VB_Creatable = False\r\n"
       "Private Sub Workbook_Open()\r\nEnd Sub\r\n"},
      {"Module1", 1,
       "Attribute VB_Name = \"Module1\"\r\nOption Explicit\r\n\r\nFunction Twice(x)\r\n"
       "Attribute Twice.VB_Description = \"Doubles\"\r\n    Twice = 2 * x\r\nEnd Function\r\n"},
      {"Class1", 2,
       "Attribute VB_Name = \"Class1\"\r\nAttribute VB_Base = \"0{FCFB3D2A-A0FA-1068-A738-08002B3371B5}\"\r\n"
       "Attribute VB_PredeclaredId = False\r\nPublic Value As Long\r\n"},
      {"UserForm1", 3,
       "Attribute VB_Name = \"UserForm1\"\r\n"
       "Attribute VB_Base = \"0{5A3C1E2B-9D47-4F8A-B6C1-0E2D3F4A5B6C}{7C8D9E0F-1A2B-4C3D-8E9F-0A1B2C3D4E5F}\"\r\n"
       "Attribute VB_PredeclaredId = True\r\nPrivate Sub UserForm_Click()\r\nEnd Sub\r\n"},
  };
  return content;
}

std::string Describe(const LoadedProject& project) {
  std::string out;
  for (const auto& module : project.modules) {
    out += module.name + " " + std::to_string(module.kind) + "\n" + module.text + "\n--\n";
  }
  return out;
}

std::string LoadFailure(const std::string& path) {
  try {
    LoadProject({path});
  } catch (const LoadError& error) {
    return error.Description();
  }
  return "";
}

std::filesystem::path SourceDir() {
  const char* dir = std::getenv("QUILLMARK_SOURCE_DIR");
  return dir != nullptr ? std::filesystem::path(dir) : std::filesystem::current_path();
}

}  // namespace qm::editor::test
