// The shared main of the two installation programs. The options only choose
// how questions are answered (--yes, --no) or show the usage; everything
// else comes from the environment: the registry store (QUILLMARK_REGISTRY),
// the installation folder (QUILLMARK_SYSTEM_DIR) and the folder of the
// program's own file, where the shipped files and regsvr32 are.
#include "setup/program_run.h"

#include <cstdio>
#include <iostream>
#include <string>

#include "platform/named_mutex.h"
#include "platform/posix/reg_store.h"
#include "platform/posix/terminal_message_box.h"
#include "platform/system_dir.h"
#include "setup/install_data.h"

namespace qm::install {

namespace {

struct Options {
  platform::posix::PresetAnswer preset = platform::posix::PresetAnswer::None;
  bool help = false;
  std::string wrong;  // the first option not understood
};

Options ParseOptions(int argc, char** argv, bool offersNo) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--yes" || arg == "-y") {
      options.preset = platform::posix::PresetAnswer::Yes;
    } else if (offersNo && (arg == "--no" || arg == "-n")) {
      options.preset = platform::posix::PresetAnswer::No;
    } else if (options.wrong.empty()) {
      options.wrong = arg;
    }
  }
  return options;
}

// The reason the run cannot start on this machine; empty when it can.
std::string Unusable(const std::string& systemDirectory) {
  if (systemDirectory.empty()) {
    return "no installation folder: set QUILLMARK_SYSTEM_DIR, XDG_DATA_HOME or HOME";
  }
  const platform::RegStore& store = platform::PersistentRegistry();
  if (&platform::CurrentRegistry() == &store && !store.Loaded()) {
    return "the registry store cannot be read: " + store.LoadError();
  }
  return {};
}

}  // namespace

int RunProgram(int argc, char** argv, const ProgramInfo& info) {
  const Options options = ParseOptions(argc, argv, info.offersNo);
  if (options.help) {
    std::cout << info.usage;
    return 0;
  }
  if (!options.wrong.empty()) {
    std::cerr << "unknown option: " << options.wrong << "\n\n" << info.usage;
    return 2;
  }
  const platform::NamedMutex mutex{std::string(kMutexName)};
  if (mutex.HeldElsewhere()) return 1;
  const std::string systemDirectory = platform::SystemDirectory();
  if (const std::string reason = Unusable(systemDirectory); !reason.empty()) {
    std::cerr << (argc > 0 ? argv[0] : "") << ": " << reason << '\n';
    return 1;
  }
  auto messages = platform::posix::TerminalMessageBox::ForStandardStreams(options.preset);
  const std::string programFolder = OwnProgramFolder();
  const std::unique_ptr<InstallSystem> system = MakePosixInstallSystem(programFolder);
  InstallContext context{platform::CurrentRegistry(), messages,       platform::CurrentTopLevelWindows(),
                         *system,                     programFolder,  systemDirectory,
                         std::string(info.caption)};
  return info.run(context) == Outcome::Done ? 0 : 1;
}

}  // namespace qm::install
