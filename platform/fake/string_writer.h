// A TextWriter that collects the lines in memory, as UTF-8 with CR LF after
// each, and can be told to fail from a given write on (fault injection).
#pragma once

#include <string>

#include "platform/text_writer.h"

namespace qm::platform {

class StringWriter : public TextWriter {
 public:
  bool WriteLine(std::string_view utf8) override {
    ++writes_;
    if (failFrom_ > 0 && writes_ >= failFrom_) return false;
    text_.append(utf8);
    text_.append("\r\n");
    return true;
  }

  const std::string& Text() const { return text_; }
  void Clear() { text_.clear(); writes_ = 0; }
  // The n-th write (1-based) and every later one fail; 0 never fails.
  void FailFromWrite(int n) { failFrom_ = n; }
  int Writes() const { return writes_; }

 private:
  std::string text_;  // everything written so far
  int writes_ = 0;    // WriteLine calls so far, failed ones included
  int failFrom_ = 0;  // first failing write, 0 for none
};

}  // namespace qm::platform
