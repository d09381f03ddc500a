// The preparing steps of the conversion command that work on the project as
// a whole (convert_prepare.cpp): listing the components with code, putting
// them into the job in conversion order, proposing the output folder and
// base name, and naming the default output files. Only the command and its
// tests use them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "addin/host/vbe.h"

namespace qm {

class clsVBCode;

// The components with at least one code line, in the project's own order.
struct ComponentScan {
  int32_t sizeEstimate = 0;       // room the conversion may need on the work drive
  std::vector<std::string> keys;  // ComponentSortKey of each
};

// Scans the project's components, leaving out those without a code module;
// raises what the editor raises (a module whose lines cannot be read).
ComponentScan ScanComponents(const VBProject& project, int32_t tabWidth);

// Sorts the keys and appends the component each names to the job.
void AddComponentsInOrder(clsVBCode& job, const VBProject& project, std::vector<std::string> keys);

// Where the output goes by default and what the files are named after.
struct OutputPlace {
  std::string folder;    // the project file's folder, or the documents folder
  std::string baseName;  // the project file's name without extension, or the document's name
};

// The project file's folder and name without extension; the documents
// folder and `documentName` when the project has no file.
OutputPlace ProposeOutputPlace(const VBProject& project, const std::string& documentName);

// Stores the default file names of the four targets in the job: stem & ".htm"
// (stem = base name & "_" & component), the procedure's when it has a name,
// the lines' when first > 0, and the project's index page in a folder named
// after the base name.
void StoreDefaultFileNames(clsVBCode& job, const std::string& componentName, const std::string& procName,
                           int32_t first, int32_t last);

}  // namespace qm
