// What the add-in knows of the host application: which Office application
// hosts the editor (from the caption of the host's command-bar control 106)
// and the name of the document a project belongs to.
#pragma once

#include <string>

#include "addin/host/vbe.h"

namespace qm {

// Host kinds (HostApplicationKind).
enum HostKind : int {
  kHostExcel = 0,
  kHostWord = 1,
  kHostPowerPoint = 2,
  kHostAccess = 3,
  kHostPublisher = 4,
  kHostOutlook = 5,
  kHostFrontPage = 6,
  kHostVisio = 7,
  kHostOther = 8,
};

// The host's kind from the caption of control 106 (found on the editor's
// command bars, else copied onto a temporary bar): upper-cased, without
// "MICROSOFT " and "OFFICE ", compared exactly with the host names. Never
// raises: kHostOther when the caption cannot be read or names another host.
int HostApplicationKind();

// The name of the project's host document: the "Name" of the first document
// component that answers "FullName", else the file part of the project's
// file, else (for the editor's active project only) the document named in the
// editor's main window title. True with that name; false with the project's
// name when none was found.
bool HostDocumentName(const VBProjectPtr& project, std::string& name);

}  // namespace qm
