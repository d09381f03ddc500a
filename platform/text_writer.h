// An output text file as the converter writes it: one call per line, each line
// ended by CR LF. Text comes in as UTF-8; a writer stores it in its code page
// (a page's bytes are in the system's ANSI code page). A line may itself hold
// CR LF (a continued source line). WriteLine returns false when the write
// failed (disk full, file gone); the caller turns that into its own error.
#pragma once

#include <string_view>

namespace qm::platform {

class TextWriter {
 public:
  virtual ~TextWriter() = default;
  virtual bool WriteLine(std::string_view utf8) = 0;
};

}  // namespace qm::platform
