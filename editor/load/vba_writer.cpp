// Builds the streams of a VBA project storage: the dir stream's records in
// the order the format lists them (project information, no references, the
// module list), the PROJECT text naming each module's kind, the PROJECTwm
// name map, a _VBA_PROJECT stream without performance cache (version FFFF,
// so the editor recompiles from source), and each module's source compressed
// from offset 0. Texts are stored in the project's code page.
#include "editor/load/vba_writer.h"

#include <cstdint>

#include "editor/load/load_project.h"
#include "editor/load/module_text.h"
#include "editor/load/vba_compression.h"
#include "editor/load/vba_dir.h"
#include "platform/codepage.h"

namespace qm::editor {

namespace {

constexpr int kUtf16 = 1200;
constexpr std::string_view kProjectId = "{5E3A9D41-7C2B-4F0E-9A61-2B8C0D4E7F13}";
constexpr std::string_view kVbaProjectStream{"\xCC\x61\xFF\xFF\x00\x00\x00", 7};
constexpr uint32_t kLcidEnglish = 0x0409;

void AppendLittle(std::string& out, uint32_t value, int bytes) {
  for (int k = 0; k < bytes; ++k) out += static_cast<char>((value >> (8 * k)) & 0xFF);
}

void Record(std::string& out, uint16_t id, std::string_view data) {
  AppendLittle(out, id, 2);
  AppendLittle(out, static_cast<uint32_t>(data.size()), 4);
  out.append(data);
}

void RecordNumber(std::string& out, uint16_t id, uint32_t value, int bytes) {
  std::string data;
  AppendLittle(data, value, bytes);
  Record(out, id, data);
}

std::string Encode(std::string_view text, int codePage) {
  auto bytes = platform::EncodeText(text, codePage);
  if (!bytes) throw LoadError("(writer)", "code page " + std::to_string(codePage) + " is not supported");
  return *bytes;
}

void ProjectInformation(std::string& out, const VbaProjectContent& content) {
  RecordNumber(out, kDirSysKind, 1, 4);  // 32-bit Windows
  RecordNumber(out, kDirLcid, kLcidEnglish, 4);
  RecordNumber(out, kDirLcidInvoke, kLcidEnglish, 4);
  RecordNumber(out, kDirCodePage, static_cast<uint32_t>(content.codePage), 2);
  Record(out, kDirName, Encode(content.name, content.codePage));
  Record(out, kDirDocString, "");
  Record(out, kDirDocStringUnicode, "");
  Record(out, kDirHelpFile, "");
  Record(out, kDirHelpFileSecond, "");
  RecordNumber(out, kDirHelpContext, 0, 4);
  RecordNumber(out, kDirLibFlags, 0, 4);
  AppendLittle(out, kDirVersion, 2);
  AppendLittle(out, 4, 4);  // the size field says 4; major (4 bytes) and minor (2 bytes) follow
  AppendLittle(out, 1, 4);
  AppendLittle(out, 0, 2);
  Record(out, kDirConstants, "");
  Record(out, kDirConstantsUnicode, "");
}

void ModuleRecords(std::string& out, const VbaModuleContent& module, int codePage) {
  Record(out, kDirModuleName, Encode(module.name, codePage));
  Record(out, kDirModuleNameUnicode, Encode(module.name, kUtf16));
  Record(out, kDirStreamName, Encode(module.name, codePage));
  Record(out, kDirStreamNameUnicode, Encode(module.name, kUtf16));
  Record(out, kDirModuleDocString, "");
  Record(out, kDirModuleDocStringUnicode, "");
  RecordNumber(out, kDirModuleOffset, 0, 4);
  RecordNumber(out, kDirModuleHelpContext, 0, 4);
  RecordNumber(out, kDirModuleCookie, 0xFFFF, 2);
  Record(out, module.kind == kKindStandard ? kDirModuleProcedural : kDirModuleOther, "");
  Record(out, kDirModuleEnd, "");
}

// The PROJECT stream's text (before encoding).
std::string ProjectText(const VbaProjectContent& content) {
  std::string text = "ID=\"" + std::string(kProjectId) + "\"\r\n";
  for (const auto& module : content.modules) {
    switch (module.kind) {
      case kKindDocument: text += "Document=" + module.name + "/&H00000000\r\n"; break;
      case kKindStandard: text += "Module=" + module.name + "\r\n"; break;
      case kKindClass: text += "Class=" + module.name + "\r\n"; break;
      default: text += "BaseClass=" + module.name + "\r\n"; break;
    }
  }
  text += "Name=\"" + content.name + "\"\r\nHelpContextID=\"0\"\r\nVersionCompatible32=\"393222000\"\r\n\r\n";
  text += "[Host Extender Info]\r\n&H00000001={3832D640-CF90-11CF-8E43-00A0C911005A};VBE;&H00000000\r\n\r\n";
  text += "[Workspace]\r\n";
  for (const auto& module : content.modules) text += module.name + "=0, 0, 0, 0, C\r\n";
  return text;
}

// PROJECTwm: each name in the code page and in UTF-16, zero-terminated.
std::string NameMap(const VbaProjectContent& content) {
  std::string map;
  for (const auto& module : content.modules) {
    map += Encode(module.name, content.codePage);
    map += '\0';
    map += Encode(module.name, kUtf16);
    map.append(2, '\0');
  }
  return map.append(2, '\0');
}

}  // namespace

std::string BuildDirStream(const VbaProjectContent& content) {
  std::string dir;
  ProjectInformation(dir, content);
  RecordNumber(dir, kDirModules, static_cast<uint32_t>(content.modules.size()), 2);
  RecordNumber(dir, kDirCookie, 0xFFFF, 2);
  for (const auto& module : content.modules) ModuleRecords(dir, module, content.codePage);
  Record(dir, kDirTerminator, "");
  return dir;
}

StreamTree VbaProjectStreams(const VbaProjectContent& content) {
  StreamTree streams;
  streams["PROJECT"] = Encode(ProjectText(content), content.codePage);
  streams["PROJECTwm"] = NameMap(content);
  streams["VBA/_VBA_PROJECT"] = std::string(kVbaProjectStream);
  streams["VBA/dir"] = CompressContainer(BuildDirStream(content), content.rawChunks);
  for (const auto& module : content.modules) {
    streams["VBA/" + module.name] = CompressContainer(Encode(module.source, content.codePage), content.rawChunks);
  }
  return streams;
}

}  // namespace qm::editor
