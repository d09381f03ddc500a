// A shell for tests: special folders, environment variables, the current
// folder and file associations from tables; every "open" is recorded and
// answered with a set result.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace qm::platform {

class FakeShell : public ShellService {
 public:
  std::string SpecialFolderPath(int folderId) override { return Lookup(folders_, folderId); }
  std::string Environment(const std::string& name) override { return Lookup(environment_, name); }
  std::string CurrentDirectory() override { return currentDirectory_; }
  Association FindExecutable(const std::string& file, const std::string& folder) override {
    queries_.push_back(folder + "|" + file);
    return association_;
  }
  int Open(const std::string& target) override {
    opened_.push_back(target);
    return openResult_;
  }

  void SetFolder(int folderId, std::string path) { folders_[folderId] = std::move(path); }
  void SetEnvironment(const std::string& name, std::string value) { environment_[name] = std::move(value); }
  void SetCurrentDirectory(std::string path) { currentDirectory_ = std::move(path); }
  void SetAssociation(Association association) { association_ = std::move(association); }
  void SetOpenResult(int result) { openResult_ = result; }
  // Every FindExecutable call as "folder|file", and every target opened.
  const std::vector<std::string>& Queries() const { return queries_; }
  const std::vector<std::string>& Opened() const { return opened_; }

 private:
  template <typename Map, typename Key>
  static std::string Lookup(const Map& map, const Key& key) {
    const auto it = map.find(key);
    return it == map.end() ? std::string() : it->second;
  }

  std::map<int, std::string> folders_;              // special folder paths
  std::map<std::string, std::string> environment_;  // environment variables
  std::string currentDirectory_;
  Association association_;                         // the answer of every query
  int openResult_ = kShellSuccess;                  // the answer of every open
  std::vector<std::string> queries_;
  std::vector<std::string> opened_;
};

}  // namespace qm::platform
