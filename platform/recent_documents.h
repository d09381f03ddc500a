// The user's record of recently used documents, which a platform file dialog
// adds to on its own when the user picks a file. The save-file dialog of the
// add-in takes a list of the entries before it shows the platform dialog and
// afterwards removes the entries that the pick left behind — only those that
// were not there before.
//
// An entry is named by text whose form belongs to the platform:
//   Windows  the file names of the shortcuts in the recent-documents folder;
//            a pick of C:\out\page.htm leaves "page.htm.lnk" and "out.lnk"
//   Linux    the local paths of the bookmarks of the XDG recently-used list
//            (~/.local/share/recently-used.xbel, or under $XDG_DATA_HOME);
//            a pick of /out/page.htm leaves "/out/page.htm" and "/out"
// Names compare exactly (case-sensitive).
//
// Services follow the pattern of platform/message_box.h:
// CurrentRecentDocuments(), SetRecentDocuments(nullptr) for the default (the
// XDG list), ScopedRecentDocuments for a scope.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qm::platform {

class RecentDocuments {
 public:
  virtual ~RecentDocuments() = default;
  // The names of every entry now; an empty list when there is no record yet,
  // nullopt when the record exists but cannot be read.
  virtual std::optional<std::vector<std::string>> Names() = 0;
  // The names of the entries a file dialog leaves when the user picks `path`
  // (the file's entry first, then its folder's).
  virtual std::vector<std::string> TraceNames(const std::string& path) = 0;
  // Removes the entry of that name; false when there is none or it could not
  // be removed. Every other entry stays as it was.
  virtual bool Remove(const std::string& name) = 0;
  // Waits briefly so that entries the platform adds after the dialog closed
  // have been written.
  virtual void Settle() {}
};

RecentDocuments& CurrentRecentDocuments();
void SetRecentDocuments(RecentDocuments* service);

class ScopedRecentDocuments {
 public:
  explicit ScopedRecentDocuments(RecentDocuments& service) { SetRecentDocuments(&service); }
  ~ScopedRecentDocuments() { SetRecentDocuments(nullptr); }
  ScopedRecentDocuments(const ScopedRecentDocuments&) = delete;
  ScopedRecentDocuments& operator=(const ScopedRecentDocuments&) = delete;
};

}  // namespace qm::platform
