// The in-memory code module: the text kept once with its line starts
// (ModuleLines), so reading lines back joined by CR LF is one copy, and
// procedure queries answered from a ProcedureMap that is analysed lazily once
// per text and dropped whenever the text changes.
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

std::shared_ptr<MemoryCodeModule> MemoryCodeModule::Create(std::string text, std::string windowCaption) {
  std::shared_ptr<MemoryCodeModule> module(new MemoryCodeModule());
  module->lines_ = ModuleLines(std::move(text));
  auto window = std::make_shared<MemoryWindow>(kWindowCodeWindow, std::move(windowCaption), kCodeWindowClass,
                                               NextWindowHandle());
  module->pane_ = std::make_shared<MemoryCodePane>(module, std::move(window));
  return module;
}

int MemoryCodeModule::CountOfLines() const {
  if (countFails_) RaiseMethodFailed("CountOfLines");
  return lines_.Count();
}

std::string MemoryCodeModule::Lines(int first, int count) const {
  const long long size = lines_.Count();
  if (first < 1 || count < 0 || static_cast<long long>(first) + count - 1 > size) RaiseSubscriptOutOfRange();
  return std::string(lines_.Span(first, count));
}

std::string MemoryCodeModule::ProcOfLine(int line, int& kind) const {
  if (line < 1 || line > lines_.Count()) RaiseSubscriptOutOfRange();
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

void MemoryCodeModule::SetText(std::string text) {
  lines_ = ModuleLines(std::move(text));
  procedures_.reset();
}

void MemoryCodeModule::ReplaceLine(int line, std::string_view text) {
  if (line < 1 || line > lines_.Count()) RaiseSubscriptOutOfRange();
  lines_.Replace(line, text);
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
