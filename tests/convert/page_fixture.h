// Test fixture for the converter's page tests: a fresh CurrentJob with the
// standard colour scheme, a fixed font and a fixed ANSI code page, and the
// four output modes as one value.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "addin/common/globals.h"
#include "addin/convert/converter.h"
#include "addin/job/vb_code.h"
#include "platform/codepage.h"
#include "platform/fake/string_writer.h"
#include "tests/support/named_component.h"

namespace qm::test {

enum class Mode { Head, File, Inline, Font };

inline const char* ModeName(Mode mode) {
  switch (mode) {
    case Mode::Head: return "head";
    case Mode::File: return "file";
    case Mode::Inline: return "inline";
    case Mode::Font: return "font";
  }
  return "?";
}

inline void ApplyMode(clsVBCode& job, Mode mode) {
  job.UseStyleSheet(mode != Mode::Font);
  job.CssOption(mode == Mode::Inline ? 1 : mode == Mode::File ? 2 : 0);
}

// Installs a job with the standard colours (keywords #000080, comments
// #008000, all on #ffffff), font "Courier New" 10 pt, tab width 4, head
// style, code page 1252; removes it afterwards.
class PageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetAnsiCodePage(1252);
    CurrentJob = std::make_shared<clsVBCode>();
    job().SetForeColors("#000000", "#000080", "#008000", "#000000");
    job().SetBackColors("#ffffff", "#ffffff", "#ffffff", "#ffffff");
    job().FontFace("Courier New");
    job().FontSize(10);
    job().TabWidth(4);
    ApplyMode(job(), Mode::Head);
  }
  void TearDown() override {
    CurrentJob.reset();
    platform::SetAnsiCodePage(0);
  }

  clsVBCode& job() { return *CurrentJob; }

  // Lines joined with CR LF after each, as a writer stores them.
  static std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
  }
};

}  // namespace qm::test
