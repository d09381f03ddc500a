// A recent-documents record for tests, with the entry names of the Windows
// recent-documents folder: a pick of C:\out\page.htm (or /out/page.htm)
// leaves "page.htm.lnk" and "out.lnk". Entries are a set the test fills;
// listing can be made to fail, and every removal is recorded.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/recent_documents.h"

namespace qm::platform {

class FakeRecentDocuments : public RecentDocuments {
 public:
  std::optional<std::vector<std::string>> Names() override {
    if (unreadable_) return std::nullopt;
    return std::vector<std::string>(entries_.begin(), entries_.end());
  }
  std::vector<std::string> TraceNames(const std::string& path) override {
    const size_t last = path.find_last_of("\\/");
    if (last == std::string::npos) return {path + ".lnk", path + ".lnk"};
    const std::string folder = path.substr(0, last);
    const size_t parent = folder.find_last_of("\\/");
    const std::string folderName = parent == std::string::npos ? folder : folder.substr(parent + 1);
    return {path.substr(last + 1) + ".lnk", folderName + ".lnk"};
  }
  bool Remove(const std::string& name) override {
    removeCalls_.push_back(name);
    return entries_.erase(name) > 0;
  }

  void Add(const std::string& name) { entries_.insert(name); }
  void MakeUnreadable(bool unreadable) { unreadable_ = unreadable; }
  const std::set<std::string>& Entries() const { return entries_; }
  // Every name Remove was asked for, in order.
  const std::vector<std::string>& RemoveCalls() const { return removeCalls_; }

 private:
  std::set<std::string> entries_;
  std::vector<std::string> removeCalls_;
  bool unreadable_ = false;  // Names() fails
};

}  // namespace qm::platform
