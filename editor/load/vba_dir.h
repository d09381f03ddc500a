// The two descriptive streams of a VBA project storage. The dir stream
// (decompressed) is a sequence of records "id (16 bits), size (32 bits),
// data" giving the project's name and code page and, per module, its names,
// stream name, text offset and type. The PROJECT stream is text, one
// "Key=Value" line each, whose Document=, Module=, Class= and BaseClass=
// lines tell which kind every module is.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qm::editor {

// Record ids of the dir stream that the loader reads or the writer writes.
enum DirRecord : uint16_t {
  kDirSysKind = 0x0001, kDirLcid = 0x0002, kDirCodePage = 0x0003, kDirName = 0x0004,
  kDirDocString = 0x0005, kDirHelpFile = 0x0006, kDirHelpContext = 0x0007, kDirLibFlags = 0x0008,
  kDirVersion = 0x0009, kDirConstants = 0x000C, kDirModules = 0x000F, kDirTerminator = 0x0010,
  kDirCookie = 0x0013, kDirLcidInvoke = 0x0014, kDirModuleName = 0x0019, kDirStreamName = 0x001A,
  kDirModuleDocString = 0x001C, kDirModuleHelpContext = 0x001E, kDirModuleProcedural = 0x0021,
  kDirModuleOther = 0x0022, kDirModuleEnd = 0x002B, kDirModuleCookie = 0x002C, kDirModuleOffset = 0x0031,
  kDirStreamNameUnicode = 0x0032, kDirConstantsUnicode = 0x003C, kDirHelpFileSecond = 0x003D,
  kDirDocStringUnicode = 0x0040, kDirModuleDocStringUnicode = 0x0048, kDirModuleNameUnicode = 0x0047,
};

struct DirModule {
  std::string name;               // MODULENAME, in the project's code page
  std::string nameUnicode;        // MODULENAMEUNICODE, UTF-16LE; empty when absent
  std::string streamName;         // MODULESTREAMNAME, in the project's code page
  std::string streamNameUnicode;  // its UTF-16LE form; empty when absent
  uint32_t textOffset = 0;        // where the compressed source starts in the module stream
  bool procedural = false;        // MODULETYPE: standard module (else document, class or designer)
};

struct DirInfo {
  int codePage = 0;         // PROJECTCODEPAGE; 0 when missing
  std::string projectName;  // PROJECTNAME, in the project's code page
  std::vector<DirModule> modules;
};

struct DirParse {
  DirInfo info;
  std::string error;  // empty on success
};

// Reads a decompressed dir stream.
DirParse ParseDirStream(std::string_view dir);

// The module kinds the PROJECT stream names, as (name in the project's code
// page, kind) pairs: Document= 100, Module= 1, Class= 2, BaseClass= 3.
std::vector<std::pair<std::string, int>> ModuleKindsOfProjectStream(std::string_view project);

}  // namespace qm::editor
