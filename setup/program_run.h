// The command line shared by Quillset and Quillsweep: the options, the
// mutex that keeps a second setup or removal run from starting, the
// terminal message box and the Linux services a run works on.
#pragma once

#include <string_view>

#include "setup/install_common.h"

namespace qm::install {

struct ProgramInfo {
  std::string_view caption;  // of every message box of the program
  std::string_view usage;    // the --help text
  bool offersNo;             // the program takes --no
  Outcome (*run)(InstallContext&);
};

// Parses the options, takes the mutex (ending silently when another run
// holds it), installs the terminal message box and runs the program. The
// exit status: 0 when the run did its work, 1 when it ended otherwise
// (a stop, a cancellation, another run active), 2 for a wrong command line.
int RunProgram(int argc, char** argv, const ProgramInfo& info);

}  // namespace qm::install
