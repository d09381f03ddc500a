// quillmark-settings: opens the current user's registry store, lets the
// editor write its first-start settings when they are missing, optionally
// imports a .reg export first, then reads the settings exactly as the add-in
// does at the start of a conversion and prints them as plain text.
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "addin/common/globals.h"
#include "addin/common/vba_error.h"
#include "addin/convert/converter.h"
#include "addin/host/editor_settings_key.h"
#include "addin/job/settings.h"
#include "addin/job/vb_code.h"
#include "editor/editor_defaults.h"
#include "platform/codepage.h"
#include "platform/posix/reg_store.h"
#include "platform/registry.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: quillmark-settings [--registry PATH] [--settings FILE.reg] [--codepage N]\n"
    "\n"
    "Shows the editor settings Quillmark uses for the current user: tab width,\n"
    "font, procedure separators, the eight colours and the ANSI code page.\n"
    "When the editor's settings key is missing, the editor's defaults are\n"
    "written first, as the editor does on its first start.\n"
    "\n"
    "  --registry PATH      use this registry store instead of the user's\n"
    "                       (default: $QUILLMARK_REGISTRY, else\n"
    "                       $XDG_CONFIG_HOME/quillmark/registry.reg, else\n"
    "                       ~/.config/quillmark/registry.reg)\n"
    "  --settings FILE.reg  import a .reg export (REGEDIT4 or version 5.00)\n"
    "                       into the store first\n"
    "  --codepage N         use code page N as the system's ANSI code page\n"
    "                       (default: the locale's)\n"
    "  --help               show this text\n";

struct Options {
  std::string registryPath;
  std::string importPath;
  int codePage = 0;
};

// Parses the arguments; returns an exit code when the program should stop.
std::optional<int> ParseArguments(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return 0;
    }
    const bool takesValue = arg == "--registry" || arg == "--settings" || arg == "--codepage";
    if (!takesValue || i + 1 >= argc) {
      std::cerr << "quillmark-settings: " << (takesValue ? "missing value for " : "unknown option ") << arg
                << "\n\n" << kUsage;
      return 2;
    }
    const std::string value = argv[++i];
    if (arg == "--registry") options.registryPath = value;
    if (arg == "--settings") options.importPath = value;
    if (arg == "--codepage") {
      options.codePage = std::atoi(value.c_str());
      if (options.codePage <= 0 || !qm::platform::CodePageSupported(options.codePage)) {
        std::cerr << "quillmark-settings: code page " << value << " is not supported\n";
        return 2;
      }
    }
  }
  return std::nullopt;
}

const char* OnOff(bool on) { return on ? "on" : "off"; }

void PrintSettings(const std::string& storePath, const qm::clsVBCode& job, const qm::clsSettings& settings) {
  std::cout << "Registry store:        " << storePath << "\n"
            << "Editor settings key:   HKEY_CURRENT_USER\\" << qm::kEditorSettingsKey << "\n"
            << "Tab width:             " << job.TabWidth() << "\n"
            << "Font:                  " << job.FontFace() << ", " << settings.FontSize() << " pt\n"
            << "Procedure separators:  " << OnOff(settings.EndProcLine()) << "\n"
            << "Colours (foreground / background):\n"
            << "  normal text          " << job.NormalForeColor() << " / " << job.NormalBackColor() << "\n"
            << "  keyword text         " << job.KeywordForeColor() << " / " << job.KeywordBackColor() << "\n"
            << "  comment text         " << job.CommentForeColor() << " / " << job.CommentBackColor() << "\n"
            << "  identifier text      " << job.IdentifierForeColor() << " / " << job.IdentifierBackColor() << "\n"
            << "Standard colour scheme: " << (settings.DefaultColors() ? "yes" : "no") << "\n"
            << "ANSI code page:        " << qm::platform::AnsiCodePage() << " (charset "
            << qm::clsConverter::CharsetName() << ")\n";
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (const auto exitCode = ParseArguments(argc, argv, options)) return *exitCode;
  if (options.codePage != 0) qm::platform::SetAnsiCodePage(options.codePage);

  qm::platform::RegStore store(options.registryPath.empty() ? qm::platform::RegStore::DefaultPath()
                                                            : options.registryPath);
  if (!store.Loaded()) {
    std::cerr << "quillmark-settings: " << store.LoadError() << "\n";
    return 1;
  }
  if (!options.importPath.empty()) {
    if (!store.Import(options.importPath)) {
      std::cerr << "quillmark-settings: " << store.LastError() << "\n";
      return 1;
    }
    std::cout << "Imported " << options.importPath << "\n";
  }
  if (!qm::WriteEditorDefaults(store)) {
    std::cerr << "quillmark-settings: " << store.LastError() << "\n";
    return 1;
  }
  qm::platform::ScopedCurrentRegistry current(store);
  qm::clsVBCode job;
  try {
    qm::PrepareRememberedSettings(qm::ReadEditorSettings(job));
  } catch (const qm::VbaError& e) {
    std::cerr << "quillmark-settings: error " << e.Number() << ": " << e.Description() << "\n";
    return 1;
  }
  PrintSettings(store.Path(), job, *qm::RememberedSettings);
  return 0;
}
