// A clipboard for tests: keeps the bytes placed last; can be made to fail as
// a clipboard that cannot be opened does.
#pragma once

#include <optional>
#include <string>

#include "platform/clipboard.h"

namespace qm::platform {

class FakeClipboard : public Clipboard {
 public:
  bool SetText(std::string_view ansiBytes) override {
    ++calls_;
    if (fail_) return false;
    content_ = std::string(ansiBytes);
    return true;
  }

  void Fail(bool fail) { fail_ = fail; }
  // The bytes placed last; nullopt when nothing was placed.
  const std::optional<std::string>& Content() const { return content_; }
  int Calls() const { return calls_; }

 private:
  std::optional<std::string> content_;
  bool fail_ = false;
  int calls_ = 0;
};

}  // namespace qm::platform
