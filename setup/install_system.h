// The operating-system operations of the setup and removal programs besides
// the registry, the message boxes and the window look-up (which are platform
// services of their own): files and their age, the shell's file copy,
// starting a program and waiting for its end, and the environment.
//
// The programs take it as an interface so that tests run every path of both
// flows against a fake; the Linux implementation is MakePosixInstallSystem.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qm::install {

class InstallSystem {
 public:
  virtual ~InstallSystem() = default;

  virtual bool FileExists(const std::string& path) = 0;
  // The file's last-modification time (any monotonic unit); nullopt when it
  // cannot be read.
  virtual std::optional<std::int64_t> FileTime(const std::string& path) = 0;
  // True when the file was deleted.
  virtual bool DeleteFile(const std::string& path) = 0;
  // Copies one file to one path as the shell's copy does: without asking,
  // over an existing file, keeping the modification time, creating the
  // target's folder when it is missing. True on success.
  virtual bool CopyFile(const std::string& from, const std::string& to) = 0;
  // Starts a command line (a program name, then blank-separated arguments,
  // double quotes around an argument that holds blanks) as a new process
  // and waits for its end without a time limit. False when it could not be
  // started; its exit status is not reported.
  virtual bool StartAndWait(const std::string& commandLine) = 0;
  // The value of an environment variable; nullopt when it is not set.
  virtual std::optional<std::string> Environment(const std::string& name) = 0;
};

// Splits a command line into its program and arguments: blanks separate,
// double quotes group (and are dropped).
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

// The Linux implementation. A program named without a folder is looked for
// in `programFolder` first (the folder the product is shipped in), then on
// the PATH.
std::unique_ptr<InstallSystem> MakePosixInstallSystem(std::string programFolder);

// The folder of the running program's own file, ending with "/"; empty when
// it cannot be found out.
std::string OwnProgramFolder();

}  // namespace qm::install
