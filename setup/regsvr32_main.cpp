// regsvr32: registers or unregisters a library that registers itself. It
// loads the library named on the command line and calls its
// DllRegisterServer, or DllUnregisterServer with /u; /s keeps it silent.
// The command line is the system program's: switches with "/" (or "-") in
// any case, then the library's path. The exit status tells what failed
// (the setup and removal programs do not read it; they test the registry):
//   0 done, 1 wrong command line, 3 library not loaded, 4 entry point
//   missing, 5 the entry point reported a failure.
#include <dlfcn.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

// The self-registration entry points return an HRESULT: 0 or more is success.
using EntryPoint = std::int32_t (*)();

constexpr int kExitUsage = 1;
constexpr int kExitLoad = 3;
constexpr int kExitEntryPoint = 4;
constexpr int kExitFailed = 5;

constexpr const char* kUsage =
    "Usage: regsvr32 [/u] [/s] LIBRARY\n"
    "  /u  unregister (calls DllUnregisterServer) instead of register (DllRegisterServer)\n"
    "  /s  silent: report nothing\n";

struct Command {
  bool unregister = false;
  bool silent = false;
  std::string library;
  bool valid = true;
};

Command Parse(int argc, char** argv) {
  Command command;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool isSwitch = arg.size() == 2 && (arg[0] == '/' || arg[0] == '-');
    if (isSwitch && (arg[1] == 'u' || arg[1] == 'U')) {
      command.unregister = true;
    } else if (isSwitch && (arg[1] == 's' || arg[1] == 'S')) {
      command.silent = true;
    } else if (command.library.empty() && !arg.empty() && !isSwitch) {
      command.library = arg;  // a Linux path may begin with "/": only two-letter words are switches
    } else {
      command.valid = false;
    }
  }
  command.valid = command.valid && !command.library.empty();
  return command;
}

// Reports one outcome unless silent; returns the exit status.
int Report(const Command& command, int status, const std::string& text) {
  if (!command.silent) std::fprintf(status == 0 ? stdout : stderr, "regsvr32: %s\n", text.c_str());
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const Command command = Parse(argc, argv);
  if (!command.valid) {
    if (!command.silent) std::fputs(kUsage, stderr);
    return kExitUsage;
  }
  const char* entryName = command.unregister ? "DllUnregisterServer" : "DllRegisterServer";
  void* library = ::dlopen(command.library.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    const char* why = ::dlerror();
    return Report(command, kExitLoad, "cannot load " + command.library + ": " + (why ? why : "unknown error"));
  }
  auto entry = reinterpret_cast<EntryPoint>(::dlsym(library, entryName));
  if (entry == nullptr) {
    ::dlclose(library);
    return Report(command, kExitEntryPoint, std::string(entryName) + " not found in " + command.library);
  }
  const std::int32_t result = entry();
  ::dlclose(library);
  char code[16];
  std::snprintf(code, sizeof code, "0x%08x", static_cast<unsigned>(result));
  if (result < 0) {
    return Report(command, kExitFailed, std::string(entryName) + " in " + command.library + " failed: " + code);
  }
  return Report(command, 0, std::string(entryName) + " in " + command.library + " succeeded.");
}
