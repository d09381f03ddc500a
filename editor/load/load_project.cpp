// The loaders' one entry point: tells an Office document, a folder and a set
// of exported module files apart and builds one LoadedProject. A folder's
// .bas/.cls/.frm files (other files, such as .frx, are ignored) make a
// project named after the folder, modules in file-name order; loose exported
// files make a project "VBAProject". Module names must be unique without case.
#include "editor/load/load_project.h"

#include <algorithm>
#include <filesystem>
#include <set>

#include "editor/load/exported_module.h"
#include "editor/load/office_document.h"

namespace qm::editor {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kExportedExtensions[] = {".bas", ".cls", ".frm"};
constexpr const char* kLooseProjectName = "VBAProject";

std::string Lower(std::string text) {
  for (char& c : text) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  return text;
}

// Builds a project from exported files, read in the order given.
LoadedProject FromExportedFiles(const std::vector<std::string>& files, const LoadOptions& options) {
  LoadedProject project;
  std::set<std::string> seen;
  for (const auto& file : files) {
    ExportedModule exported = ReadExportedModule(file, options.codePage);
    if (!seen.insert(Lower(exported.module.name)).second) {
      throw LoadError(file, "another file already holds a module named \"" + exported.module.name + "\"");
    }
    if (project.codePage == 0 || project.codePage == 65001) project.codePage = exported.codePage;
    project.modules.push_back(std::move(exported.module));
  }
  return project;
}

LoadedProject FromFolder(const std::string& folder, const LoadOptions& options) {
  std::vector<std::string> files;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (entry.is_regular_file(error) && IsExportedModuleFile(entry.path().string())) files.push_back(entry.path().string());
  }
  if (error) throw LoadError(folder, "the folder cannot be read (" + error.message() + ")");
  if (files.empty()) throw LoadError(folder, "the folder holds no exported module file (.bas, .cls, .frm)");
  std::sort(files.begin(), files.end());
  LoadedProject project = FromExportedFiles(files, options);
  fs::path path = fs::absolute(folder, error).lexically_normal();  // "Book1/", "." and ".." name their folder
  if (path.filename().empty()) path = path.parent_path();
  project.name = path.filename().empty() ? kLooseProjectName : path.filename().string();
  return project;
}

}  // namespace

LoadError::LoadError(std::string_view file, std::string_view problem, long number)
    : VbaError(number, std::string(file) + ": " + std::string(problem)), file_(file) {}

bool IsExportedModuleFile(std::string_view path) {
  const std::string ext = Lower(fs::path(path).extension().string());
  return std::find(std::begin(kExportedExtensions), std::end(kExportedExtensions), ext) != std::end(kExportedExtensions);
}

LoadedProject LoadProject(const std::vector<std::string>& sources, const LoadOptions& options) {
  if (sources.empty()) throw LoadError("(no source)", "give an Office document, exported module files or a folder");
  std::error_code error;
  for (const auto& source : sources) {
    if (!fs::exists(source, error)) throw LoadError(source, "no such file or folder", kErrFileNotFound);
  }
  const std::string& first = sources.front();
  if (fs::is_directory(first, error)) {
    if (sources.size() > 1) throw LoadError(first, "a folder must be the only source");
    return FromFolder(first, options);
  }
  if (!IsExportedModuleFile(first)) {
    if (sources.size() > 1) throw LoadError(first, "an Office document must be the only source");
    return LoadOfficeDocument(first);
  }
  for (const auto& source : sources) {
    if (!IsExportedModuleFile(source)) throw LoadError(source, "not an exported module file (.bas, .cls, .frm)");
  }
  LoadedProject project = FromExportedFiles(sources, options);
  project.name = kLooseProjectName;
  return project;
}

}  // namespace qm::editor
