// The editor selection as the conversion command sees it: the check that a
// module with code is selected, the widening of the selection over continued
// lines, the test that the lines hold anything worth converting, and the
// procedure around the selection — a property's Get, Let and Set share one
// name, so the procedure is told apart by the start lines of its kinds.
#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "addin/common/globals.h"
#include "addin/host/convert_command.h"
#include "addin/host/host_support.h"
#include "platform/message_box.h"

namespace qm {

namespace {

constexpr const char* kStopSuffix = "\r\n処理を中止します。";
constexpr const char* kNoProject = "プロジェクトが選択されていません。";
constexpr const char* kNoModule = "モジュールが選択されていません。";
constexpr const char* kNoCodeModule = "選択されたコンポーネントにはモジュールがありません。";
constexpr const char* kNoCode = "モジュールにコードがありません。";

// What a usable selection may not consist of only, removed in this order.
constexpr std::array<const char*, 5> kBlankPieces = {" _", " ", "\u3000", "\r", "\n"};

// The reason the selection cannot be converted; empty when it can.
std::string SelectionProblem(const VBComponentPtr& component) {
  if (!Require(VBEInstance).ActiveVBProject()) return kNoProject;
  if (!component) return kNoModule;
  const CodeModulePtr module = component->CodeModule();
  if (!module) return kNoCodeModule;
  try {
    if (module->CountOfLines() <= 0) return kNoCode;
  } catch (const VbaError&) {
    return kNoModule;
  }
  return {};
}

bool EndsWithContinuation(const CodeModule& module, int32_t line) {
  const std::string text = module.Lines(line, 1);
  return text.size() >= 2 && text.compare(text.size() - 2, 2, " _") == 0;
}

void RemoveAll(std::string& text, std::string_view piece) {
  for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at)) text.erase(at, piece.size());
}

}  // namespace

std::string CheckSelection() {
  const VBComponentPtr component = Require(VBEInstance).SelectedVBComponent();
  const std::string problem = SelectionProblem(component);
  if (!problem.empty()) {
    platform::CurrentMessageBox().Show(problem + kStopSuffix, platform::kMessageCaption, platform::MsgButtons::OK,
                                       platform::MsgIcon::Error);
    return {};
  }
  try {
    return component->Name();
  } catch (const VbaError&) {
    return {};
  }
}

void WidenSelection(const CodeModule& module, int32_t& first, int32_t /*firstColumn*/, int32_t& last,
                    int32_t lastColumn) {
  if (last > 1 && lastColumn == 1) --last;
  if (last < first) last = first;
  while (first != 1 && EndsWithContinuation(module, first - 1)) --first;
  const int32_t lineCount = module.CountOfLines();
  while (last != lineCount && EndsWithContinuation(module, last)) ++last;
}

bool IsUsableSelection(const CodeModule& module, int32_t first, int32_t last) {
  std::string text = module.Lines(first, last - first + 1);
  for (const char* piece : kBlankPieces) RemoveAll(text, piece);
  return !text.empty();
}

std::string ProcKindSuffix(int32_t kind) {
  switch (kind) {
    case kProcLet: return "(PropertyLet)";
    case kProcSet: return "(PropertySet)";
    case kProcGet: return "(PropertyGet)";
    default: return {};
  }
}

int32_t ResolveProcedure(int32_t first, int32_t last, std::string& name) {
  const CodeModule& module = Require(Require(Require(VBEInstance).ActiveCodePane()).CodeModule());
  name.clear();
  int kind = 0;
  const std::string procedure = module.ProcOfLine(last, kind);
  if (procedure.empty()) {
    name = kDeclarationsName;
    return kProcDeclarations;
  }
  if (module.ProcOfLine(first, kind) != procedure) return kProcNone;

  // (start line, kind) of every kind of procedure that bears the name.
  std::vector<std::pair<int32_t, int32_t>> starts;
  for (int32_t k = kProcProc; k <= kProcGet; ++k) {
    try {
      starts.emplace_back(module.ProcStartLine(procedure, k), k);
    } catch (const VbaError&) {
    }
  }
  if (starts.empty()) return kProcNone;
  std::stable_sort(starts.begin(), starts.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  // The last kind starting at or before each end of the selection (at least the first).
  const auto holder = [&](int32_t line) {
    size_t at = 0;
    for (size_t i = 0; i < starts.size(); ++i) {
      if (starts[i].first <= line) at = i;
    }
    return at;
  };
  const size_t i = holder(first);
  if (i != holder(last)) return kProcNone;
  name = procedure + ProcKindSuffix(starts[i].second);
  return starts[i].second;
}

void ProcedureRange(const CodeModule& module, int32_t kind, int32_t first, int32_t& start, int32_t& count) {
  start = 0;
  count = 0;
  if (kind == kProcDeclarations) {
    start = 1;
    count = module.CountOfDeclarationLines();
  } else if (kind >= kProcProc && kind <= kProcGet) {
    int procKind = 0;
    const std::string procedure = module.ProcOfLine(first, procKind);
    start = module.ProcStartLine(procedure, procKind);
    count = module.ProcCountLines(procedure, procKind);
  }
}

}  // namespace qm
