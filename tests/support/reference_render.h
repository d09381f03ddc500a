// The marker-based rendering the converter was first written with, kept as a
// reference for differential tests of the single-pass renderer: a statement
// is rendered with "<keyword>" and "<discern>" markers around keyword and
// identifier entries, neighbouring markers are merged by whole-text
// replacements, and a marked line is wrapped for its output mode by further
// replacement passes. Slow and simple on purpose; the product never links it.
#pragma once

#include <string>

#include "addin/convert/vb_word.h"
#include "addin/job/vb_code.h"

namespace qm::test {

// The openers of the inline-style and font modes (empty in head and file style).
struct ReferenceOpeners {
  std::string keyword;
  std::string comment;
  std::string identifier;
};

// The HTML text of one statement, Then marks left in place.
std::string ReferenceRenderStatement(const clsVBWord& statement, const clsVBCode& job);

// The text written for a logical line whose statements rendered to
// `statements` after `indent` leading spaces; `emptyLine` for the empty form.
// In <pre> mode `pendingPrefix` goes in front and is emptied.
std::string ReferenceWriteLine(int indent, const std::string& statements, bool emptyLine, const clsVBCode& job,
                               const ReferenceOpeners& openers, std::string& pendingPrefix);

}  // namespace qm::test
