// Quillset: installs the add-in from the folder it is shipped in.
#include "setup/program_run.h"
#include "setup/setup_flow.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: Quillset [--yes]\n"
    "Installs the add-in shipped beside this program (Quillmark.dl_ and Quillmark.chm)\n"
    "into the installation folder, registers it with regsvr32 and enters it as an\n"
    "add-in of the editor for the current user; when it is registered already, only\n"
    "enters it for the current user. Every step is reported in a message box.\n"
    "\n"
    "  --yes, -y   answer the confirmation with OK (without it, the confirmation is\n"
    "              asked on the terminal, and cancelled when there is no terminal)\n"
    "  --help, -h  show this text\n"
    "\n"
    "Environment: QUILLMARK_SYSTEM_DIR (the installation folder), QUILLMARK_REGISTRY\n"
    "(the registry store), OS (\"Windows_NT\", or unset: per-user registration).\n"
    "Exit status: 0 when the add-in was installed or entered, 1 otherwise.\n";

}  // namespace

int main(int argc, char** argv) {
  const qm::install::ProgramInfo info{qm::install::kSetupCaption, kUsage, false, &qm::install::RunSetup};
  return qm::install::RunProgram(argc, argv, info);
}
