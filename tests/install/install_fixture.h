// The fixture of the setup and removal flow tests: an in-memory registry, a
// scripted message box, fake windows and a fake system whose files live in a
// map and whose "regsvr32" acts on the registry as the add-in library's
// self-registration does (each test can change what it does).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/fake/fake_window_classes.h"
#include "platform/fake/memory_registry.h"
#include "platform/fake/scripted_message_box.h"
#include "setup/install_common.h"
#include "setup/install_data.h"

namespace qm::install::testing {

inline constexpr const char* kTypeLibId = qm::kAddinTypeLibId;
inline constexpr const char* kOtherClsid = "{0D6C58A2-6E1B-4F0A-8C53-2B9E4A7F1D60}";

class FakeInstallSystem : public InstallSystem {
 public:
  std::map<std::string, std::int64_t> files;        // path → modification time
  std::optional<std::string> os;                    // the "OS" variable; unset by default
  bool startFails = false;                          // no program can be started
  std::set<std::string> failingCopyTargets;         // copies to these paths fail
  std::vector<std::string> started;                 // command lines started, in order
  std::function<void(const std::string&)> program;  // what a started command line does

  bool FileExists(const std::string& path) override { return files.count(path) != 0; }
  std::optional<std::int64_t> FileTime(const std::string& path) override {
    const auto it = files.find(path);
    return it == files.end() ? std::nullopt : std::optional<std::int64_t>(it->second);
  }
  bool DeleteFile(const std::string& path) override { return files.erase(path) != 0; }
  bool CopyFile(const std::string& from, const std::string& to) override {
    if (!files.count(from) || failingCopyTargets.count(to)) return false;
    files[to] = files[from];
    return true;
  }
  bool StartAndWait(const std::string& commandLine) override {
    if (startFails) return false;
    started.push_back(commandLine);
    if (program) program(commandLine);
    return true;
  }
  std::optional<std::string> Environment(const std::string& name) override {
    return name == "OS" ? os : std::nullopt;
  }
};

// The entries the add-in library's registration writes.
inline void RegisterClass(platform::Registry& registry, std::string_view clsid = kAddinClsid) {
  registry.SetValue(platform::Hive::ClassesRoot, kClassKeyPath, "", platform::RegValue::Text(std::string(clsid)));
  registry.SetValue(platform::Hive::ClassesRoot, kTypeLibLinkPath, "", platform::RegValue::Text(kTypeLibId));
  registry.CreateKey(platform::Hive::ClassesRoot, std::string("TypeLib\\") + kTypeLibId + "\\1.0");
}

inline void UnregisterClass(platform::Registry& registry) {
  registry.DeleteKey(platform::Hive::ClassesRoot, "Quillmark.dsrAddin");
  registry.DeleteKey(platform::Hive::ClassesRoot, std::string("CLSID\\") + std::string(kAddinClsid));
  registry.DeleteKey(platform::Hive::ClassesRoot, std::string("TypeLib\\") + kTypeLibId);
}

inline void WriteAddinKeyByHand(platform::Registry& registry, uint32_t loadBehavior = 1) {
  registry.SetValue(kAddinHive, kAddinKeyPath, kLoadBehaviorName, platform::RegValue::Dword(loadBehavior));
}

class InstallFixture : public ::testing::Test {
 public:
  static constexpr const char* kProgramFolder = "/pkg/";
  static constexpr const char* kSystemDir = "/sys";
  const std::string sourceHelp = "/pkg/Quillmark.chm";
  const std::string sourceLibrary = "/pkg/Quillmark.dl_";
  const std::string installedHelp = "/sys/Quillmark.chm";
  const std::string installedLibrary = "/sys/Quillmark.dll";

  InstallFixture() {
    // By default "regsvr32" behaves as the library does: registration writes
    // the class entries and the add-in key, unregistration removes them.
    system.program = [this](const std::string& commandLine) {
      if (commandLine.find(" /u ") != std::string::npos) {
        UnregisterClass(registry);
        registry.DeleteKey(kAddinHive, kAddinKeyPath);
      } else {
        RegisterClass(registry);
        WriteAddinKeyByHand(registry);
      }
    };
  }

  // Puts the shipped files beside the program.
  void Ship(std::int64_t libraryTime = 100) {
    system.files[sourceHelp] = 1;
    system.files[sourceLibrary] = libraryTime;
  }
  // Puts installed files into the installation folder.
  void Installed(std::int64_t libraryTime = 50) {
    system.files[installedHelp] = 1;
    system.files[installedLibrary] = libraryTime;
  }

  InstallContext Context(std::string caption) {
    return InstallContext{registry, messages, windows, system, kProgramFolder, kSystemDir, std::move(caption)};
  }

  // The texts of every box shown, in order.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& box : messages.ShownBoxes()) texts.push_back(box.text);
    return texts;
  }
  const platform::ScriptedMessageBox::Shown& LastBox() const { return messages.ShownBoxes().back(); }

  bool ClassRegistered() const { return ClassKeyPresent(registry); }
  bool AddinKey() const { return AddinKeyExists(registry); }

  platform::MemoryRegistry registry;
  platform::ScriptedMessageBox messages;
  platform::FakeTopLevelWindows windows;
  FakeInstallSystem system;
};

}  // namespace qm::install::testing
