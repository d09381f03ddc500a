// Fixture for the tests of classification, marking and rendering: a fresh
// CurrentJob with the standard colours (keywords #000080, comments #008000,
// all on #ffffff; identifiers in the normal colour), head style, and a
// converter whose statements are dumped as they are rendered.
//
// Source lines in the tests are written as the editor shows them, with "~"
// standing for a line continuation (" _" and the break after it); Stored()
// turns them into the stored form: continuation marks, Then marks, no
// trailing spaces.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "addin/common/globals.h"
#include "addin/convert/converter.h"
#include "addin/job/vb_code.h"
#include "tests/support/word_dump.h"

namespace qm::test {

// The stored form of a source line written with "~" for continuations.
inline std::string Stored(std::string_view source) {
  std::string out;
  for (size_t i = 0; i < source.size(); ++i) {
    if (source[i] == '~') {
      out += kContinuationMark;
    } else if (source.substr(i, 4) == "Then") {
      out += kThenMark;
      i += 3;
    } else {
      out += source[i];
    }
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

class ConverterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CurrentJob = std::make_shared<clsVBCode>();
    job().SetForeColors("#000000", "#000080", "#008000", "#000000");
    job().SetBackColors("#ffffff", "#ffffff", "#ffffff", "#ffffff");
    job().UseStyleSheet(true);
    job().CssOption(0);
    conv = std::make_unique<clsConverter>();
    conv->ObserveStatements([this](const clsVBWord& words) { statements.push_back(DumpWords(words)); });
  }
  void TearDown() override {
    conv.reset();
    CurrentJob.reset();
  }

  clsVBCode& job() { return *CurrentJob; }

  // Stores `source` as the job's only logical line and marks it; the dumps of
  // its statements are left in `statements`.
  std::string MarkSource(std::string_view source) {
    job().ClearLogicalLines();
    job().AddLogicalLine(Stored(source), 1);
    statements.clear();
    return conv->MarkLine(1);
  }

  // The statements of `source` as a dump, " | " between statements.
  std::string Dump(std::string_view source) {
    MarkSource(source);
    return JoinStatements(statements);
  }

  std::unique_ptr<clsConverter> conv;
  std::vector<std::string> statements;  // dumps of the statements rendered so far
};

}  // namespace qm::test
