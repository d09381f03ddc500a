// The conversion command's work on the project as a whole: the components
// with code and their conversion order (documents, forms, standard modules,
// class modules, designers, others; names by character code), the estimate
// of the room the conversion needs on the work drive, the compile state read
// from the editor's compile command, the proposed output folder and base
// name, and the four default output file names.
#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

#include "addin/common/globals.h"
#include "addin/common/path_parts.h"
#include "addin/host/command_bars.h"
#include "addin/host/convert_command.h"
#include "addin/host/convert_steps.h"
#include "addin/host/host_support.h"
#include "addin/job/vb_code.h"
#include "addin/output/output_targets.h"
#include "platform/codepage.h"
#include "platform/shell.h"

namespace qm {

namespace {

struct KindDigit {
  int kind;
  char digit;
};

// The sort digit of each component kind; any other kind sorts last with '9'.
constexpr std::array<KindDigit, 5> kKindDigits = {{
    {kDocument, '1'}, {kMSForm, '2'}, {kStdModule, '3'}, {kClassModule, '4'}, {kDesigner, '5'},
}};
constexpr char kOtherKindDigit = '9';

struct CharWeight {
  char c;
  int32_t weight;
};

// What each character may grow into in the page (an entity, a non-breaking
// space, a tag around a quoted string).
constexpr std::array<CharWeight, 5> kCharWeights = {{{' ', 5}, {'&', 4}, {'>', 3}, {'<', 3}, {'"', 5}}};
constexpr int32_t kTabWeight = 5;  // per column of tab width
constexpr int32_t kBlock = 512;

// Raises the runtime's "overflow" for a value beyond 32 bits.
int32_t Checked(int64_t value) {
  if (value > std::numeric_limits<int32_t>::max() || value < std::numeric_limits<int32_t>::min()) {
    throw VbaError(6, "オーバーフローしました。");
  }
  return static_cast<int32_t>(value);
}

// The control's enabled state answers: disabled means compiled.
bool CompiledFromControl(const CommandBarControlPtr& control) { return !Require(control).Enabled(); }

// Reads control 578 from a copy on a temporary bar, deleting the bar again.
bool CompiledFromTemporaryBar(CommandBars& bars) {
  CommandBarPtr bar;
  bool compiled = false;
  try {
    bar = bars.Add("", kBarFloating, false, true);
    compiled = CompiledFromControl(Require(bar).Controls()->Add(kControlButton, kCompileControlId));
  } catch (const VbaError&) {
    compiled = false;
  }
  try {
    if (bar) bar->Delete();
  } catch (const VbaError&) {
  }
  return compiled;
}

}  // namespace

std::string ComponentSortKey(int kind, const std::string& name) {
  char digit = kOtherKindDigit;
  for (const KindDigit& entry : kKindDigits) {
    if (entry.kind == kind) digit = entry.digit;
  }
  return digit + name;
}

void SortKeys(std::vector<std::string>& keys) {
  // std::string compares bytes as unsigned char: UTF-8 text keeps code point order.
  std::sort(keys.begin(), keys.end());
}

int32_t ModuleSizeEstimate(const std::string& text, int32_t tabWidth) {
  // One pass counts every byte value: the characters that grow into markup
  // and, by their continuation bytes, the characters of the text.
  std::array<int64_t, 256> count{};
  for (char c : text) ++count[static_cast<unsigned char>(c)];
  int64_t continuation = 0;
  for (unsigned c = 0x80; c < 0xC0; ++c) continuation += count[c];
  const int64_t b = static_cast<int64_t>(platform::EncodedLength(text, platform::AnsiCodePage()));
  const int64_t chars = static_cast<int64_t>(text.size()) - continuation;
  // B less the characters left when every c is removed.
  const auto grown = [&](char c) { return b - (chars - count[static_cast<unsigned char>(c)]); };
  int64_t e = b;
  for (const CharWeight& entry : kCharWeights) e = Checked(e + int64_t{entry.weight} * grown(entry.c));
  e = Checked(e + grown('\t') * tabWidth * kTabWeight);
  return Checked((Checked(e * 5) / kBlock) * kBlock + kBlock);
}

bool IsProjectCompiled() {
  try {
    CommandBars& bars = Require(Require(VBEInstance).CommandBars());
    try {
      return CompiledFromControl(bars.FindControl(std::nullopt, kCompileControlId));
    } catch (const VbaError&) {
      return CompiledFromTemporaryBar(bars);
    }
  } catch (const VbaError&) {
    return false;
  }
}

ComponentScan ScanComponents(const VBProject& project, int32_t tabWidth) {
  ComponentScan scan;
  for (const VBComponentPtr& component : project.VBComponents()) {
    // A component without a code module (a designer, say) has no code line
    // to convert; it is left out like an empty module rather than failing the
    // conversion of the others.
    const CodeModulePtr module = Require(component).CodeModule();
    if (!module) continue;
    const int32_t lines = module->CountOfLines();
    if (lines < 1) continue;
    scan.sizeEstimate = Checked(int64_t{scan.sizeEstimate} + ModuleSizeEstimate(module->Lines(1, lines), tabWidth));
    scan.keys.push_back(ComponentSortKey(component->Type(), component->Name()));
  }
  return scan;
}

void AddComponentsInOrder(clsVBCode& job, const VBProject& project, std::vector<std::string> keys) {
  SortKeys(keys);
  for (const std::string& key : keys) job.AddComponent(project.VBComponent(key.substr(1)));
}

OutputPlace ProposeOutputPlace(const VBProject& project, const std::string& documentName) {
  std::string fileName;
  try {
    fileName = project.FileName();
  } catch (const VbaError&) {
    fileName.clear();
  }
  // A project that was never saved has no file, whether the editor raises or
  // answers with an empty name.
  if (fileName.empty()) return {SpecialFolderPath(platform::kFolderDocuments), documentName};
  return {PathPart(fileName, true), StripExtension(PathPart(fileName, false))};
}

void StoreDefaultFileNames(clsVBCode& job, const std::string& componentName, const std::string& procName,
                           int32_t first, int32_t last) {
  const std::string& base = job.ProjectBaseName();
  const std::string stem = base + "_" + componentName;
  job.SetDefaultFileName(0, stem + ".htm");
  if (!procName.empty()) job.SetDefaultFileName(1, stem + "_" + procName + ".htm");
  if (first > 0) job.SetDefaultFileName(2, stem + "_" + std::to_string(first) + "-" + std::to_string(last) + ".htm");
  job.SetDefaultFileName(3, JoinPath(base, "index.htm"));
}

}  // namespace qm
