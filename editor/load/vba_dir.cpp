// Parses the dir and PROJECT streams of a VBA project. Every dir record is
// read the same way (id, 32-bit size, data) except PROJECTVERSION, whose size
// field says 4 but which carries 6 bytes; unknown records (references and the
// like) are skipped. A module's records run from MODULENAME to its
// terminator 002B; the stream ends with record 0010.
#include "editor/load/vba_dir.h"

#include <optional>

#include "editor/load/module_text.h"

namespace qm::editor {

namespace {

uint32_t ReadLittle(std::string_view data, size_t pos, int bytes) {
  uint32_t value = 0;
  for (int k = bytes - 1; k >= 0; --k) value = (value << 8) | static_cast<unsigned char>(data[pos + k]);
  return value;
}

struct Record {
  uint16_t id = 0;
  std::string_view data;
};

// The record at pos, advancing pos; nullopt when it runs past the end.
std::optional<Record> NextRecord(std::string_view dir, size_t& pos) {
  if (pos + 6 > dir.size()) return std::nullopt;
  Record record;
  record.id = static_cast<uint16_t>(ReadLittle(dir, pos, 2));
  const uint32_t size = record.id == kDirVersion ? 6u : ReadLittle(dir, pos + 2, 4);
  if (size > dir.size() - pos - 6) return std::nullopt;
  record.data = dir.substr(pos + 6, size);
  pos += 6 + size;
  return record;
}

// Stores one record of a module's description; false for a malformed one.
bool ApplyModuleRecord(const Record& record, DirModule& module) {
  switch (record.id) {
    case kDirModuleName: module.name = record.data; break;
    case kDirModuleNameUnicode: module.nameUnicode = record.data; break;
    case kDirStreamName: module.streamName = record.data; break;
    case kDirStreamNameUnicode: module.streamNameUnicode = record.data; break;
    case kDirModuleProcedural: module.procedural = true; break;
    case kDirModuleOffset:
      if (record.data.size() != 4) return false;
      module.textOffset = ReadLittle(record.data, 0, 4);
      break;
    default: break;
  }
  return true;
}

}  // namespace

DirParse ParseDirStream(std::string_view dir) {
  DirParse result;
  size_t pos = 0;
  DirModule* module = nullptr;  // the module whose records are being read
  long declared = -1;
  while (true) {
    const auto record = NextRecord(dir, pos);
    if (!record) {
      result.error = "the dir stream is cut short";
      return result;
    }
    if (record->id == kDirTerminator) break;
    if (record->id == kDirModuleName) module = &result.info.modules.emplace_back();
    if (module != nullptr) {
      if (!ApplyModuleRecord(*record, *module)) {
        result.error = "the dir stream has a malformed module record";
        return result;
      }
      if (record->id == kDirModuleEnd) module = nullptr;
    } else if (record->id == kDirCodePage && record->data.size() == 2) {
      result.info.codePage = static_cast<int>(ReadLittle(record->data, 0, 2));
    } else if (record->id == kDirName) {
      result.info.projectName = record->data;
    } else if (record->id == kDirModules && record->data.size() == 2) {
      declared = ReadLittle(record->data, 0, 2);
    }
  }
  if (declared >= 0 && static_cast<size_t>(declared) != result.info.modules.size()) {
    result.error = "the dir stream declares " + std::to_string(declared) + " modules but describes " +
                   std::to_string(result.info.modules.size());
  }
  return result;
}

std::vector<std::pair<std::string, int>> ModuleKindsOfProjectStream(std::string_view project) {
  static constexpr std::pair<std::string_view, int> kKeys[] = {
      {"Document=", kKindDocument}, {"Module=", kKindStandard}, {"Class=", kKindClass}, {"BaseClass=", kKindUserForm}};
  std::vector<std::pair<std::string, int>> kinds;
  for (const auto line : SplitLines(project)) {
    if (!line.empty() && line.front() == '[') break;  // [Host Extender Info], [Workspace]
    for (const auto& [key, kind] : kKeys) {
      if (line.substr(0, key.size()) != key) continue;
      auto name = line.substr(key.size());
      if (kind == kKindDocument) name = name.substr(0, name.find('/'));  // Document=Name/&H00000000
      kinds.emplace_back(std::string(name), kind);
    }
  }
  return kinds;
}

}  // namespace qm::editor
