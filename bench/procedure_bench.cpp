// Procedure queries of the in-memory editor on a module of about 50,000
// lines: the one-pass analysis of a fresh text, and the per-line queries the
// converter makes (ProcOfLine on every line, ProcStartLine per procedure)
// once the analysis is cached. Reported as lines per second.
#include <benchmark/benchmark.h>

#include <string>

#include "editor/memory_code_module.h"

namespace qm::editor {
namespace {

constexpr int kBlocks = 5000;  // 10 lines each

std::string LargeModule() {
  std::string text = "Option Explicit\r\nPrivate Declare PtrSafe Sub Sleep Lib \"kernel32\" (ByVal ms As Long)\r\n";
  for (int i = 0; i < kBlocks; ++i) {
    const std::string n = std::to_string(i);
    text += "\r\n' Item " + n + ": End Sub in a comment\r\n";
    text += "Public Property Get Item" + n + "(ByVal index As Long, _\r\n    ByVal fallback As Long) As Long\r\n";
    text += "    Item" + n + " = index: Debug.Print \"End Property\"\r\n";
    text += "    SubTotal = SubTotal + 1\r\n";
    text += "    If index < 0 Then Exit Property\r\n";
    text += "10  Item" + n + " = fallback\r\n";
    text += "End Property\r\n";
  }
  return text;
}

void BM_AnalyseModule(benchmark::State& state) {
  const std::string text = LargeModule();
  auto module = MemoryCodeModule::Create(text);
  for (auto _ : state) {
    module->SetText(text);
    benchmark::DoNotOptimize(module->CountOfDeclarationLines());
  }
  state.SetItemsProcessed(state.iterations() * module->CountOfLines());
}
BENCHMARK(BM_AnalyseModule)->Unit(benchmark::kMillisecond);

void BM_QueryEveryLine(benchmark::State& state) {
  auto module = MemoryCodeModule::Create(LargeModule());
  const int lines = module->CountOfLines();
  for (auto _ : state) {
    int kind = 0;
    for (int line = 1; line <= lines; ++line) {
      const std::string name = module->ProcOfLine(line, kind);
      if (!name.empty() && line % 10 == 0) benchmark::DoNotOptimize(module->ProcStartLine(name, kind));
    }
  }
  state.SetItemsProcessed(state.iterations() * lines);
}
BENCHMARK(BM_QueryEveryLine)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qm::editor

BENCHMARK_MAIN();
