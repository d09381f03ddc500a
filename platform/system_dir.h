// The system directory: the folder the setup program installs the add-in's
// library and help file into, and where the add-in looks for its help file.
//
// On Linux it is the product's installation folder: the environment variable
// QUILLMARK_SYSTEM_DIR when it is set and not empty, else
// $XDG_DATA_HOME/quillmark, else ~/.local/share/quillmark.
#pragma once

#include <string>

namespace qm::platform {

// The system directory as a path without a trailing separator; empty when
// none can be determined (no variable set and no home directory).
std::string SystemDirectory();

}  // namespace qm::platform
