// The in-memory code module: lines kept as a vector, read back joined by
// CR LF, and procedure queries answered from a ProcedureMap that is analysed
// lazily once per text and dropped whenever the text changes.
#include "editor/memory_code_module.h"

namespace qm::editor {
namespace {

// What the editor raises when a method of the module fails.
constexpr long kErrMethodFailed = -2147467259;

[[noreturn]] void RaiseMethodFailed(const std::string& method) {
  throw VbaError(kErrMethodFailed, "メソッド '" + method + "' (オブジェクト '_CodeModule') が失敗しました。");
}

[[noreturn]] void RaiseNoSuchProcedure() {
  throw VbaError(kErrSubOrFunctionNotDefined, "Sub または Function が定義されていません。");
}

}  // namespace

std::vector<std::string> SplitEditorLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::shared_ptr<MemoryCodeModule> MemoryCodeModule::Create(std::string_view text, std::string windowCaption) {
  std::shared_ptr<MemoryCodeModule> module(new MemoryCodeModule());
  module->lines_ = SplitEditorLines(text);
  auto window = std::make_shared<MemoryWindow>(kWindowCodeWindow, std::move(windowCaption), kCodeWindowClass,
                                               NextWindowHandle());
  module->pane_ = std::make_shared<MemoryCodePane>(module, std::move(window));
  return module;
}

int MemoryCodeModule::CountOfLines() const {
  if (countFails_) RaiseMethodFailed("CountOfLines");
  return static_cast<int>(lines_.size());
}

std::string MemoryCodeModule::Lines(int first, int count) const {
  const long long size = static_cast<long long>(lines_.size());
  if (first < 1 || count < 0 || static_cast<long long>(first) + count - 1 > size) RaiseSubscriptOutOfRange();
  std::string text;
  for (int i = 0; i < count; ++i) {
    if (i > 0) text += "\r\n";
    text += lines_[static_cast<size_t>(first - 1 + i)];
  }
  return text;
}

std::string MemoryCodeModule::ProcOfLine(int line, int& kind) const {
  if (line < 1 || line > static_cast<int>(lines_.size())) RaiseSubscriptOutOfRange();
  if (failingProcLines_.count(line) != 0) RaiseMethodFailed("ProcOfLine");
  const ProcedureRange* procedure = Procedures().ProcedureAt(line);
  kind = procedure != nullptr ? procedure->kind : kProcProc;
  return procedure != nullptr ? procedure->name : std::string();
}

int MemoryCodeModule::ProcStartLine(const std::string& name, int kind) const {
  return FindProcedure(name, kind).startLine;
}

int MemoryCodeModule::ProcCountLines(const std::string& name, int kind) const {
  return FindProcedure(name, kind).CountLines();
}

int MemoryCodeModule::CountOfDeclarationLines() const { return Procedures().CountOfDeclarationLines(); }

void MemoryCodeModule::SetText(std::string_view text) {
  lines_ = SplitEditorLines(text);
  procedures_.reset();
}

void MemoryCodeModule::ReplaceLine(int line, std::string text) {
  if (line < 1 || line > static_cast<int>(lines_.size())) RaiseSubscriptOutOfRange();
  lines_[static_cast<size_t>(line - 1)] = std::move(text);
  procedures_.reset();
}

const ProcedureMap& MemoryCodeModule::Procedures() const {
  if (!procedures_) procedures_ = std::make_unique<ProcedureMap>(lines_);
  return *procedures_;
}

const ProcedureRange& MemoryCodeModule::FindProcedure(const std::string& name, int kind) const {
  const ProcedureRange* procedure = Procedures().Find(name, kind);
  if (procedure == nullptr) RaiseNoSuchProcedure();
  return *procedure;
}

}  // namespace qm::editor
