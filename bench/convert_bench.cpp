// Conversion throughput: one large module (over 5 MB of varied VBA, made by
// repeating a sample with numbered procedure names) converted into one page
// in each output mode, as the runner does it: BeginModule, WriteLine for
// every logical line, WriteFooter. Pages go to a writer that only counts
// bytes, so the figures are the converter's own. Reported as source bytes
// per second.
#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "addin/common/globals.h"
#include "addin/convert/converter.h"
#include "addin/job/vb_code.h"
#include "platform/codepage.h"
#include "platform/text_writer.h"

namespace qm {
namespace {

constexpr size_t kTargetBytes = 5u * 1024 * 1024 + 1;

constexpr std::string_view kDeclarations =
    "Option Explicit\r\n"
    "' 設定値と共有の型\r\n"
    "Private Const MAX_ITEMS As Long = 1000\r\n"
    "Public Type Item\r\n"
    "\tName As String\r\n"
    "\tPrice As Currency\r\n"
    "End Type\r\n"
    "Public Enum Mode\r\n"
    "    ModeA = 1\r\n"
    "    ModeB = &H10\r\n"
    "End Enum\r\n"
    "Private items() As Item, count_ As Long\r\n";

// One block of procedures (36 lines); "@" stands for the block number.
constexpr std::string_view kBlock =
    "\r\n"
    "' Adds an item; returns its position (\"-1\" when the list is full).\r\n"
    "Public Function AddItem@(ByVal name As String, Optional ByVal price As Currency = 0) As Long\r\n"
    "    If count_ >= MAX_ITEMS Then AddItem@ = -1: Exit Function\r\n"
    "    ReDim Preserve items(count_)\r\n"
    "    items(count_).Name = Trim$(name) ' 名前の前後の空白を除く\r\n"
    "    items(count_).Price = CCur(price) * 1.08\r\n"
    "    AddItem@ = count_: count_ = count_ + 1\r\n"
    "End Function\r\n"
    "\r\n"
    "Private Sub Report@(ByRef target As Range, _\r\n"
    "                   Optional ByVal header As String = \"<Report & \"\"Summary\"\">\")\r\n"
    "\tDim i As Long, total As Double\r\n"
    "\tFor i = 0 To count_ - 1\r\n"
    "\t\tSelect Case items(i).Price\r\n"
    "\t\t\tCase Is > 100: target.Cells(i + 1, 1).Value = UCase(items(i).Name)\r\n"
    "\t\t\tCase Else: target.Cells(i + 1, 1).Value = items(i).Name & \" (安価)\"\r\n"
    "\t\tEnd Select\r\n"
    "\t\ttotal = total + items(i).Price\r\n"
    "\tNext i\r\n"
    "\tIf total > 0 Then\r\n"
    "\t\tDebug.Print \"Total: \"; Format(total, \"#,##0.00\"), Now()\r\n"
    "\tElseIf total = 0 Then\r\n"
    "\t\tMsgBox \"Nothing\", vbInformation + vbOKOnly, \"Report\"\r\n"
    "\tEnd If\r\n"
    "End Sub\r\n"
    "\r\n"
    "Property Get Count@() As Long\r\n"
    "    Count@ = count_ ' Then is only a word here\r\n"
    "End Property\r\n"
    "Property Let Count@(ByVal value As Long)\r\n"
    "    On Error GoTo Failed\r\n"
    "    count_ = value: Exit Property\r\n"
    "Failed:\r\n"
    "    Err.Raise 5, \"Count\", \"Invalid\"\r\n"
    "End Property\r\n";

// A code module with a fixed text and the procedure table its generator knew:
// per block, AddItem from its first line, Report from line 10, Count's
// Property Get from line 27 and its Property Let from line 31.
class BenchModule : public CodeModule {
 public:
  BenchModule() {
    text_ = kDeclarations;
    lines_ = kDeclarationLines;
    std::string block;
    for (int n = 1; text_.size() < kTargetBytes; ++n) {
      block = kBlock;
      const std::string number = std::to_string(n);
      for (size_t at = block.find('@'); at != std::string::npos; at = block.find('@', at)) {
        block.replace(at, 1, number);
        at += number.size();
      }
      const int first = lines_ + 1;
      names_.push_back({"AddItem" + number, "Report" + number, "Count" + number});
      starts_[names_.back()[0] + "/0"] = first;
      starts_[names_.back()[1] + "/0"] = first + 9;
      starts_[names_.back()[2] + "/3"] = first + 26;
      starts_[names_.back()[2] + "/1"] = first + 30;
      text_ += block;
      lines_ += kBlockLines;
    }
    text_.erase(text_.size() - 2);  // no line break after the last line
  }
  size_t Bytes() const { return text_.size(); }

  int CountOfLines() const override { return lines_; }
  std::string Lines(int, int) const override { return text_; }
  std::string ProcOfLine(int line, int& kind) const override {
    kind = kProcProc;
    if (line <= kDeclarationLines) return "";
    const int block = (line - kDeclarationLines - 1) / kBlockLines;
    const int offset = (line - kDeclarationLines - 1) % kBlockLines;
    if (offset >= 26) kind = offset < 30 ? kProcGet : kProcLet;
    return names_[block][offset < 9 ? 0 : offset < 26 ? 1 : 2];
  }
  int ProcStartLine(const std::string& name, int kind) const override {
    const auto found = starts_.find(name + "/" + std::to_string(kind));
    if (found == starts_.end()) throw VbaError(35, "none");
    return found->second;
  }
  int ProcCountLines(const std::string&, int) const override { return 0; }
  int CountOfDeclarationLines() const override { return kDeclarationLines; }
  CodePanePtr CodePane() const override { return nullptr; }

 private:
  static constexpr int kDeclarationLines = 12;
  static constexpr int kBlockLines = 36;
  std::string text_;
  int lines_ = 0;
  std::vector<std::array<std::string, 3>> names_;       // per block: AddItem, Report, Count
  std::unordered_map<std::string, int> starts_;         // "name/kind" → start line
};

class BenchComponent : public VBComponent {
 public:
  explicit BenchComponent(std::shared_ptr<BenchModule> module) : module_(std::move(module)) {}
  std::string Name() const override { return "Module1"; }
  int Type() const override { return kStdModule; }
  CodeModulePtr CodeModule() const override { return module_; }
  std::string Property(const std::string&) const override { return ""; }

 private:
  std::shared_ptr<BenchModule> module_;
};

// Counts what would be written; stores nothing.
class CountingWriter : public platform::TextWriter {
 public:
  bool WriteLine(std::string_view utf8) override {
    bytes_ += utf8.size() + 2;
    return true;
  }
  size_t Bytes() const { return bytes_; }

 private:
  size_t bytes_ = 0;
};

const std::shared_ptr<BenchModule>& Module() {
  static const auto module = std::make_shared<BenchModule>();
  return module;
}

enum Mode { kHead, kFile, kInline, kFont, kHeadPre, kFontPre };

void SetUpJob(Mode mode, bool separators) {
  platform::SetAnsiCodePage(932);
  CurrentJob = std::make_shared<clsVBCode>();
  clsVBCode& job = *CurrentJob;
  job.SetForeColors("#000000", "#000080", "#008000", "#000000");
  job.SetBackColors("#ffffff", "#ffffff", "#ffffff", "#ffffff");
  job.FontFace("ＭＳ ゴシック");
  job.FontSize(10);
  job.TabWidth(4);
  job.ProjectBaseName("Book1");
  job.UseStyleSheet(mode != kFont && mode != kFontPre);
  job.CssOption(mode == kInline ? 1 : mode == kFile ? 2 : 0);
  job.UsePreTag(mode == kHeadPre || mode == kFontPre);
  job.EndProcLine(separators);
  job.ShowModuleName(true);
  auto component = std::make_shared<BenchComponent>(Module());
  job.AddComponent(component);
  job.SelectedComponent(component);
}

void BM_ConvertModule(benchmark::State& state) {
  SetUpJob(static_cast<Mode>(state.range(0)), state.range(1) != 0);
  size_t pageBytes = 0;
  for (auto _ : state) {
    CountingWriter page;
    clsConverter converter;
    bool ok = converter.BeginModule(page, true, 1);
    int32_t counter = 1;
    const int lines = CurrentJob->CountOfLogicalLines();
    for (int j = 1; ok && j <= lines; ++j) ok = converter.WriteLine(page, counter, j);
    ok = ok && converter.WriteFooter(page);
    CurrentJob->ClearLogicalLines();
    if (!ok) state.SkipWithError("conversion failed");
    pageBytes = page.Bytes();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Module()->Bytes()));
  state.counters["source_MB"] = static_cast<double>(Module()->Bytes()) / (1024.0 * 1024.0);
  state.counters["page_MB"] = static_cast<double>(pageBytes) / (1024.0 * 1024.0);
  CurrentJob.reset();
}

// BeginModule alone: reading, joining, tab expansion, procedure starts, head.
void BM_ReadModule(benchmark::State& state) {
  SetUpJob(kHead, state.range(0) != 0);
  for (auto _ : state) {
    CountingWriter page;
    clsConverter converter;
    if (!converter.BeginModule(page, true, 1)) state.SkipWithError("BeginModule failed");
    CurrentJob->ClearLogicalLines();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Module()->Bytes()));
  CurrentJob.reset();
}

BENCHMARK(BM_ReadModule)->ArgNames({"separators"})->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_ConvertModule)
    ->ArgNames({"mode", "separators"})
    ->Args({kHead, 1})
    ->Args({kHead, 0})
    ->Args({kFile, 1})
    ->Args({kInline, 1})
    ->Args({kFont, 1})
    ->Args({kHeadPre, 1})
    ->Args({kFontPre, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qm

BENCHMARK_MAIN();
