// Turns a VBA project storage into a LoadedProject: decompresses and parses
// the dir stream, takes each module's kind from the PROJECT stream (falling
// back on the dir's module type and the source's attributes), decompresses
// each module stream from its text offset, decodes it from the project's code
// page and hides its attribute lines. Names read from the file are checked to
// be VBA names, so a crafted project cannot smuggle a path into a module name.
#include "editor/load/vba_project_reader.h"

#include <set>
#include <string>

#include "editor/load/gsf_support.h"
#include "editor/load/load_project.h"
#include "editor/load/module_text.h"
#include "editor/load/vba_compression.h"
#include "editor/load/vba_dir.h"
#include "platform/codepage.h"

namespace qm::editor {

namespace {

constexpr int kUtf16 = 1200;

std::string AsciiLower(std::string text) {
  for (char& c : text) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  return text;
}

struct Reader {
  GsfInfile* vba;          // the VBA storage
  std::string_view origin; // the document's path, for messages
  int codePage;            // the project's code page
  std::vector<std::pair<std::string, int>> kinds;  // from the PROJECT stream, names decoded

  [[noreturn]] void Fail(const std::string& problem) const { throw LoadError(origin, problem); }

  std::string Decode(std::string_view bytes, int page) const {
    auto text = platform::DecodeText(bytes, page);
    return text ? *text : std::string();
  }

  // The decompressed content of a stream of the VBA storage from offset on.
  std::string Inflate(std::string_view streamName, uint32_t offset, const std::string& what) const {
    auto stream = ChildByName(vba, streamName);
    if (!stream) Fail(what + ": stream \"" + std::string(streamName) + "\" is missing");
    const auto bytes = ReadWholeInput(stream.get());
    if (!bytes) Fail(what + ": stream \"" + std::string(streamName) + "\" cannot be read or is too large");
    if (offset > bytes->size()) Fail(what + ": the text offset lies past the end of the stream");
    auto result = DecompressContainer(std::string_view(*bytes).substr(offset));
    if (!result.error.empty()) Fail(what + ": corrupt compressed data (" + result.error + ")");
    return std::move(result.bytes);
  }

  // The kind the PROJECT stream gives the module, or 0.
  int KindFromProjectStream(const std::string& name) const {
    for (const auto& [listed, kind] : kinds) {
      if (AsciiLower(listed) == AsciiLower(name)) return kind;
    }
    return 0;
  }

  LoadedModule ReadModule(const DirModule& entry) const {
    LoadedModule module;
    module.name = entry.nameUnicode.empty() ? Decode(entry.name, codePage) : Decode(entry.nameUnicode, kUtf16);
    if (!IsVbaIdentifier(module.name)) Fail("a module has the name \"" + module.name + "\", which is not a VBA name");
    std::string streamName = entry.streamNameUnicode.empty() ? Decode(entry.streamName, codePage)
                                                             : Decode(entry.streamNameUnicode, kUtf16);
    if (streamName.empty()) streamName = module.name;
    std::string source = Inflate(streamName, entry.textOffset, "module \"" + module.name + "\"");
    source.resize(std::min(source.size(), source.find('\0')));  // a padded raw chunk ends in zero bytes
    ModuleSource parsed = ParseModuleSource(Decode(source, codePage), origin);
    module.text = std::move(parsed.text);
    module.kind = KindFromProjectStream(Decode(entry.name, codePage));
    if (module.kind == 0) module.kind = KindFromProjectStream(module.name);
    if (module.kind == 0) module.kind = entry.procedural ? kKindStandard : KindOfClassModule(parsed);
    return module;
  }
};

// The PROJECT stream's kinds with decoded names; empty when the stream is absent.
std::vector<std::pair<std::string, int>> ReadKinds(GsfInfile* storage, int codePage) {
  std::vector<std::pair<std::string, int>> kinds;
  auto project = ChildByName(storage, "PROJECT");
  if (!project) return kinds;
  const auto bytes = ReadWholeInput(project.get(), kMaxDecompressedSize);
  if (!bytes) return kinds;
  for (auto& [name, kind] : ModuleKindsOfProjectStream(*bytes)) {
    const auto decoded = platform::DecodeText(name, codePage);
    kinds.emplace_back(decoded ? *decoded : name, kind);
  }
  return kinds;
}

}  // namespace

LoadedProject ReadVbaProject(GsfInfile* storage, std::string_view origin) {
  auto vba = StorageByName(storage, "VBA");
  if (!vba) throw LoadError(origin, "the VBA project has no VBA storage");
  Reader reader{vba.get(), origin, 0, {}};
  const DirParse dir = ParseDirStream(reader.Inflate("dir", 0, "the dir stream"));
  if (!dir.error.empty()) throw LoadError(origin, dir.error);
  reader.codePage = dir.info.codePage;
  if (reader.codePage == 0 || !platform::CodePageSupported(reader.codePage)) {
    throw LoadError(origin, "the project's code page " + std::to_string(reader.codePage) + " is not supported");
  }
  reader.kinds = ReadKinds(storage, reader.codePage);
  LoadedProject project;
  project.codePage = reader.codePage;
  project.name = reader.Decode(dir.info.projectName, reader.codePage);
  if (!IsVbaIdentifier(project.name)) throw LoadError(origin, "the project name \"" + project.name + "\" is not a VBA name");
  std::set<std::string> seen;
  for (const auto& entry : dir.info.modules) {
    project.modules.push_back(reader.ReadModule(entry));
    if (!seen.insert(AsciiLower(project.modules.back().name)).second) {
      throw LoadError(origin, "two modules are named \"" + project.modules.back().name + "\"");
    }
  }
  return project;
}

}  // namespace qm::editor
