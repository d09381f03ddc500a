// Fuzz entries of the converter: one logical line through marking and
// rendering, and a whole module page as the runner makes it. The first bytes
// of an input choose every option of the job (style mode, <pre>, body only,
// separators, charset, module name, script, normal colour, tab width, the
// eight colours, font, code page, target range); the rest is the source.
// Whatever the source, every converter operation must succeed on a writer
// that never fails, and no written line may hold one of the three internal
// characters (continuation mark, Then mark, hard space) or, for UTF-8
// source, invalid UTF-8.
#include <cstdint>
#include <memory>
#include <string>

#include "addin/common/globals.h"
#include "addin/convert/converter.h"
#include "addin/job/palette.h"
#include "addin/job/vb_code.h"
#include "editor/fake_editor.h"
#include "fuzz/entries/fuzz_targets.h"
#include "platform/codepage.h"
#include "platform/text_writer.h"

namespace qm::fuzz {

namespace {

constexpr int kCodePages[] = {platform::kCodePageUtf8, 1252, 932, 1251};
constexpr const char* kFontFaces[] = {"Courier New", "ＭＳ ゴシック", "A&B <\"mono\">", ""};

// A writer that keeps nothing but checks every line written.
class CheckingWriter : public platform::TextWriter {
 public:
  explicit CheckingWriter(bool utf8Source) : utf8Source_(utf8Source) {}
  bool WriteLine(std::string_view line) override {
    Require(line.find_first_of("\x1A\x0B\t") == std::string_view::npos,
            "an internal character was written out: " + std::string(line));
    Require(!utf8Source_ || platform::IsValidUtf8(line), "invalid UTF-8 written for UTF-8 source");
    bytes_ += line.size() + 2;
    return true;
  }

 private:
  bool utf8Source_;   // the source was valid UTF-8, so the output must be too
  size_t bytes_ = 0;  // bytes written so far
};

// Installs a job whose options come from the reader's next bytes; the code
// page is set as the system's ANSI code page.
clsVBCode& MakeJob(ByteReader& in) {
  CurrentJob = std::make_shared<clsVBCode>();
  clsVBCode& job = *CurrentJob;
  const uint8_t flags = in.Byte();
  job.UseStyleSheet(in.Bit(flags, 0));
  job.UsePreTag(in.Bit(flags, 1));
  job.BodyOnly(in.Bit(flags, 2));
  job.EndProcLine(in.Bit(flags, 3));
  job.IgnoreCharSet(in.Bit(flags, 4));
  job.ShowModuleName(in.Bit(flags, 5));
  job.UseJavaScript(in.Bit(flags, 6));
  job.UseNormalColor(in.Bit(flags, 7));
  const uint8_t mode = in.Byte();
  job.CssOption(mode % 4 - 1);
  platform::SetAnsiCodePage(kCodePages[(mode >> 2) % 4]);
  job.FontFace(kFontFaces[(mode >> 4) % 4]);
  job.TabWidth(1 + in.Byte() % 32);
  job.FontSize(in.Byte() % 40);
  std::string colours[8];
  for (auto& colour : colours) colour = kPalette[in.Byte() % kPalette.size()];
  job.SetForeColors(colours[0], colours[1], colours[2], colours[3]);
  job.SetBackColors(colours[4], colours[5], colours[6], colours[7]);
  job.ProjectBaseName("Book1");
  job.ProjectTitle("Book1.xlsm");
  return job;
}

// Clears the globals the entries set.
struct JobScope {
  ~JobScope() {
    CurrentJob.reset();
    platform::SetAnsiCodePage(0);
  }
};

// The logical line as BeginModule stores it: no line breaks, tabs expanded,
// "Then" marked, trailing spaces dropped.
std::string StoredLine(std::string_view text, int tabWidth, int32_t& span) {
  std::string piece;
  span = 1;
  for (char c : text) {
    if (c == '\r' || c == '\n') continue;
    if (c == kContinuationMark) ++span;
    piece += c;
  }
  std::string line = clsConverter::ExpandTabs(piece, tabWidth);
  line.erase(line.find_last_not_of(' ') + 1);
  return line;
}

}  // namespace

int FuzzLine(const uint8_t* data, size_t size) {
  const JobScope scope;
  ByteReader in(data, size);
  clsVBCode& job = MakeJob(in);
  const std::string_view source = in.Rest();
  if (!platform::IsValidUtf8(source)) return 0;
  int32_t span = 1;
  const std::string stored = StoredLine(source, job.TabWidth(), span);  // sets span: before it is read
  job.AddLogicalLine(stored, span);
  clsConverter converter;
  converter.PrepareOpeners();
  CheckingWriter page(true);
  int32_t counter = 1;
  Require(converter.WriteLine(page, counter, 1), "WriteLine failed");
  Require(counter == 1 + span, "the line counter did not advance by the line's span");
  return 0;
}

int FuzzPage(const uint8_t* data, size_t size) {
  const JobScope scope;
  ByteReader in(data, size);
  clsVBCode& job = MakeJob(in);
  const uint8_t target = in.Byte(), first = in.Byte(), count = in.Byte();
  const std::string_view source = in.Rest();
  auto vbe = editor::FakeEditor().project("VBAProject", "/w/Book1.xlsm").module("Module1", kStdModule, source)
                 .selected().build();
  const auto component = vbe->SelectedVBComponent();
  const int lines = component->CodeModule()->CountOfLines();
  const bool multiple = (target & 1) != 0;
  job.AddComponent(component);
  job.SelectedComponent(component);
  job.Operation(target / 2 % 3);
  job.TargetMode(multiple ? 3 : (target & 2));
  job.StartLine(multiple || lines == 0 ? 1 : 1 + first % lines);
  job.LineCount(multiple ? lines : lines == 0 ? 0 : 1 + count % (lines - job.StartLine() + 1));
  job.SetDefaultFileName(job.TargetMode(), "Book1_Module1.htm");
  job.FileName((target & 0x40) != 0 ? "/out/Book1_Module1.htm" : "/out/listing & <1>.htm");

  CheckingWriter page(platform::IsValidUtf8(source));
  clsConverter converter;
  if (multiple) {
    Require(converter.WriteIndexPage(page), "WriteIndexPage failed");
    Require(converter.WriteMenuPage(page), "WriteMenuPage failed");
  }
  Require(converter.WriteStyleRules(page), "WriteStyleRules failed");
  Require(converter.BeginModule(page, multiple, 1), "BeginModule failed");
  int32_t counter = job.StartLine();
  for (int j = 1; j <= job.CountOfLogicalLines(); ++j) Require(converter.WriteLine(page, counter, j), "WriteLine failed");
  Require(converter.WriteFooter(page), "WriteFooter failed");
  return 0;
}

}  // namespace qm::fuzz
