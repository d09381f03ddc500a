// Quillsweep: removes the add-in, for every user or only for the current one.
#include "remove/removal_flow.h"
#include "setup/program_run.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: Quillsweep [--yes | --no]\n"
    "Unregisters the add-in with regsvr32 and deletes the installed library and help\n"
    "file from the installation folder, or removes only the current user's add-in\n"
    "entry. Every step is reported in a message box.\n"
    "\n"
    "  --yes, -y   answer the question with OK or Yes: the full removal\n"
    "  --no, -n    answer \"No\" where the question offers it (only the current user's\n"
    "              entry is removed), otherwise Cancel\n"
    "  --help, -h  show this text\n"
    "Without --yes or --no the question is asked on the terminal, and cancelled when\n"
    "there is no terminal.\n"
    "\n"
    "Environment: QUILLMARK_SYSTEM_DIR (the installation folder), QUILLMARK_REGISTRY\n"
    "(the registry store), OS (\"Windows_NT\", or unset: per-user registration).\n"
    "Exit status: 0 when something was removed, 1 otherwise.\n";

}  // namespace

int main(int argc, char** argv) {
  const qm::install::ProgramInfo info{qm::install::kRemovalCaption, kUsage, true, &qm::install::RunRemoval};
  return qm::install::RunProgram(argc, argv, info);
}
