// PowerPoint 97-2003 presentations: the VBA project read from the record
// inside the "PowerPoint Document" stream, zlib-compressed or not, with the
// project at the root of the inner compound file or in a sub-storage, the
// newest edit winning over older ones; and one fixture per kind of damage,
// each failing with one message that names the file. The presentations are
// built here record by record, around compound files from our own writer.
#include <gtest/gtest.h>
#include <zlib.h>

#include <functional>
#include <random>

#include "editor/load/ppt_records.h"
#include "tests/load/load_fixtures.h"

namespace qm::editor::test {
namespace {

std::string U16(uint16_t value) { return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)}; }
std::string U32(uint32_t value) { return U16(static_cast<uint16_t>(value & 0xFFFF)) + U16(static_cast<uint16_t>(value >> 16)); }

std::string Record(uint16_t version, uint16_t instance, uint16_t type, std::string_view data) {
  return U16(static_cast<uint16_t>(version | (instance << 4))) + U16(type) + U32(static_cast<uint32_t>(data.size())) +
         std::string(data);
}
std::string Container(uint16_t type, std::string_view children) { return Record(0xF, 0, type, children); }

std::string Zlib(const std::string& bytes) {
  uLongf size = compressBound(bytes.size());
  std::string out(size, '\0');
  EXPECT_EQ(compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(bytes.data()), bytes.size(), 9), Z_OK);
  out.resize(size);
  return out;
}

// The ExOleObjStg record around a compound file.
std::string StorageRecord(const std::string& compound, bool compressed) {
  if (!compressed) return Record(0, 0, kRtExternalOleObjectStg, compound);
  return Record(0, 1, kRtExternalOleObjectStg, U32(static_cast<uint32_t>(compound.size())) + Zlib(compound));
}

// A document record: a DocumentAtom, then the DocInfoListContainer when given.
std::string DocumentRecord(const std::string& docInfo) {
  return Container(kRtDocument, Record(1, 0, 0x03E9, std::string(40, '\0')) + docInfo);
}

std::string VbaInfo(uint32_t persistId, uint32_t hasMacros) {
  return Container(kRtDocInfoList, Container(kRtVbaInfo, Record(2, 0, kRtVbaInfoAtom, U32(persistId) + U32(hasMacros) + U32(2))));
}

std::string PersistDirectory(uint32_t firstId, const std::vector<uint32_t>& offsets) {
  std::string data = U32(firstId | static_cast<uint32_t>(offsets.size()) << 20);
  for (uint32_t offset : offsets) data += U32(offset);
  return Record(0, 0, kRtPersistDirectoryAtom, data);
}

std::string UserEdit(uint32_t lastEdit, uint32_t directory) {
  return Record(0, 0, kRtUserEditAtom, U32(256) + U16(0) + std::string("\x00\x03", 2) + U32(lastEdit) + U32(directory) +
                                           U32(1) + U32(3) + U16(1) + U16(0));
}

std::string CurrentUser(uint32_t editOffset, uint32_t token = kPptHeaderToken) {
  const std::string user = "quill";
  return Record(0, 0, kRtCurrentUserAtom, U32(0x14) + U32(token) + U32(editOffset) + U16(5) + U16(0x03F4) +
                                              std::string("\x03\x00\x00\x00", 4) + user + U32(8));
}

// A presentation being built: its document stream and the offsets of its records.
struct Presentation {
  std::string stream;
  uint32_t storage = 0, firstEdit = 0, edit = 0;  // offsets of the storage record and of the edits

  uint32_t Append(const std::string& record) {
    stream += record;
    return static_cast<uint32_t>(stream.size() - record.size());
  }
  // Saves the document (persist id 1) and, when given, the storage record (persist id 2) as a new edit.
  void Save(const std::string& document, const std::string& storageRecord = {}) {
    if (!storageRecord.empty()) storage = Append(storageRecord);
    const uint32_t doc = Append(document);
    const auto directory = Append(storageRecord.empty() ? PersistDirectory(1, {doc}) : PersistDirectory(1, {doc, storage}));
    edit = Append(UserEdit(edit, directory));
    if (firstEdit == 0) firstEdit = edit;
  }
  std::string File(uint32_t token = kPptHeaderToken) const {
    return BuildCompoundFile({{"Current User", CurrentUser(edit, token)}, {"PowerPoint Document", stream}});
  }
};

VbaProjectContent ShowProject() {
  VbaProjectContent content = FourKindProject();
  content.modules.erase(content.modules.begin());  // a presentation has no document module
  return content;
}

const char* const kShowModules =
    "Module1 1\nOption Explicit\r\n\r\nFunction Twice(x)\r\n    Twice = 2 * x\r\nEnd Function\n--\n"
    "Class1 2\nPublic Value As Long\n--\n"
    "UserForm1 3\nPrivate Sub UserForm_Click()\r\nEnd Sub\n--\n";

// The project's storage as a compound file, at the root or under a storage name.
std::string ProjectCompoundFile(const std::string& under = {}) {
  StreamTree streams;
  for (const auto& [path, bytes] : VbaProjectStreams(ShowProject())) streams[under.empty() ? path : under + "/" + path] = bytes;
  return BuildCompoundFile(streams);
}

Presentation WithProject(bool compressed, const std::string& under = {}) {
  Presentation show;
  show.Save(DocumentRecord(VbaInfo(2, 1)), StorageRecord(ProjectCompoundFile(under), compressed));
  return show;
}

struct LoadCase {
  const char* label;
  const char* fileName;
  bool compressed;
  const char* under;  // the storage holding the project inside the inner compound file; "" = its root
};

void PrintTo(const LoadCase& c, std::ostream* out) { *out << c.label; }

class PptLoadTest : public ScratchTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(PptLoadTest, LoadsModulesKindsAndText) {
  const std::string path = Write(GetParam().fileName, WithProject(GetParam().compressed, GetParam().under).File());
  const LoadedProject project = LoadProject({path});
  EXPECT_EQ(Describe(project), kShowModules);
  EXPECT_EQ(project.name, "VBAProject");
  EXPECT_EQ(project.codePage, 1252);
  EXPECT_EQ(project.fileName, std::filesystem::absolute(path).lexically_normal().string());
  EXPECT_EQ(project.documentName, GetParam().fileName);
}

INSTANTIATE_TEST_SUITE_P(Forms, PptLoadTest,
                         ::testing::Values(LoadCase{"Compressed", "Talk.ppt", true, ""},
                                           LoadCase{"Uncompressed", "Talk.ppt", false, ""},
                                           LoadCase{"TemplateInSubStorage", "Design.pot", true, "_VBA_PROJECT_CUR"}),
                         [](const ::testing::TestParamInfo<LoadCase>& info) { return std::string(info.param.label); });

class PptTest : public ScratchTest {};

TEST_F(PptTest, NewestEditOverridesTheDocumentOfAnOlderOne) {
  Presentation show;
  show.Save(DocumentRecord(""));  // first saved without macros
  show.Save(DocumentRecord(VbaInfo(2, 1)), StorageRecord(ProjectCompoundFile(), true));
  EXPECT_EQ(Describe(LoadProject({Write("Talk.ppt", show.File())})), kShowModules);

  Presentation removed = WithProject(true);  // then saved again with the macros removed
  removed.Save(DocumentRecord(""));
  EXPECT_NE(LoadFailure(Write("Removed.ppt", removed.File())).find("the document holds no VBA project"), std::string::npos);
}

// Replaces four bytes of the document stream.
Presentation Patched(Presentation show, uint32_t at, uint32_t value) {
  show.stream.replace(at, 4, U32(value));
  return show;
}

struct PptFailure {
  const char* label;
  std::function<std::string()> bytes;
  const char* problem;  // expected message after "<path>: "
};

void PrintTo(const PptFailure& c, std::ostream* out) { *out << c.label; }

class PptFailureTest : public ScratchTest, public ::testing::WithParamInterface<PptFailure> {};

TEST_P(PptFailureTest, OneMessageNamingTheFile) {
  const std::string path = Write("a.ppt", GetParam().bytes());
  const std::string message = LoadFailure(path);
  EXPECT_EQ(message.substr(0, path.size() + 2), path + ": ") << message;
  EXPECT_NE(message.find(GetParam().problem), std::string::npos) << message;
}

// The compressed storage record with its zlib bytes changed by change.
Presentation WithZlib(const std::function<std::string(std::string)>& change, int32_t declaredDelta = 0) {
  const std::string compound = ProjectCompoundFile();
  const std::string data = U32(static_cast<uint32_t>(compound.size() + declaredDelta)) + change(Zlib(compound));
  Presentation show;
  show.Save(DocumentRecord(VbaInfo(2, 1)), Record(0, 1, kRtExternalOleObjectStg, data));
  return show;
}

std::string NoMacros() {
  Presentation show;
  show.Save(DocumentRecord(""));
  return show.File();
}

INSTANTIATE_TEST_SUITE_P(
    Failures, PptFailureTest,
    ::testing::Values(
        PptFailure{"NoVbaInfo", NoMacros, "the document holds no VBA project"},
        PptFailure{"HasMacrosFlagOff", [] {
          Presentation show;
          show.Save(DocumentRecord(VbaInfo(2, 0)), StorageRecord(ProjectCompoundFile(), true));
          return show.File(); }, "the document holds no VBA project"},
        PptFailure{"Encrypted", [] { return WithProject(true).File(kPptEncryptedHeaderToken); }, "the presentation is encrypted"},
        PptFailure{"CurrentEditPastEnd", [] {
          Presentation show = WithProject(true);
          show.edit = static_cast<uint32_t>(show.stream.size()) - 4;
          return show.File(); }, "the edit record at offset 0x"},
        PptFailure{"StorageRecordLongerThanStream", [] {
          return Patched(WithProject(false), 4, 0x7FFFFFF0).File(); }, "the VBA project storage record at offset 0x0 is cut short"},
        PptFailure{"StreamCutShort", [] {
          Presentation show = WithProject(true);
          show.stream.resize(show.stream.size() - 3);
          return show.File(); }, "the edit record at offset"},
        PptFailure{"CorruptZlib", [] {
          return WithZlib([](std::string z) { for (size_t i = 2; i < z.size() / 2; ++i) z[i] = static_cast<char>(~z[i]); return z; }).File(); },
                   "the VBA project storage inside the presentation is corrupt compressed data"},
        PptFailure{"ZlibCutShort", [] { return WithZlib([](std::string z) { return z.substr(0, z.size() / 2); }).File(); },
                   "is compressed data cut short"},
        PptFailure{"DeclaresTooFew", [] { return WithZlib([](std::string z) { return z; }, -100).File(); },
                   "decompresses to more bytes than the"},
        PptFailure{"DeclaresTooMany", [] { return WithZlib([](std::string z) { return z; }, 100).File(); },
                   "decompresses to fewer bytes than the"},
        PptFailure{"DeclaresOverLimit", [] { return Patched(WithProject(true), 8, 0x7FFFFFFF).File(); }, "more than the limit"},
        PptFailure{"EditLoopsToItself", [] {
          Presentation show = WithProject(true);
          return Patched(show, show.edit + 16, show.edit).File(); }, "the chain of edits loops back to offset"},
        PptFailure{"EditsLoopToEachOther", [] {
          Presentation show;
          show.Save(DocumentRecord(""));
          show.Save(DocumentRecord(VbaInfo(2, 1)), StorageRecord(ProjectCompoundFile(), true));
          return Patched(show, show.firstEdit + 16, show.edit).File(); }, "the chain of edits loops back to offset"},
        PptFailure{"StoragePersistIdUnknown", [] {
          Presentation show;
          show.Save(DocumentRecord(VbaInfo(7, 1)), StorageRecord(ProjectCompoundFile(), true));
          return show.File(); }, "the persist directory has no entry for the VBA project storage (persist id 7)"},
        PptFailure{"PersistIdLeadsElsewhere", [] {
          Presentation show;
          show.Save(DocumentRecord(VbaInfo(1, 1)), StorageRecord(ProjectCompoundFile(), true));
          return show.File(); }, "is not the VBA project storage record"},
        PptFailure{"StorageNotCompoundFile", [] {
          Presentation show;
          show.Save(DocumentRecord(VbaInfo(2, 1)), StorageRecord(std::string(600, 'g'), true));
          return show.File(); }, "the VBA project storage inside the presentation is not a valid compound file"},
        PptFailure{"StorageWithoutVbaStorage", [] {
          Presentation show;
          show.Save(DocumentRecord(VbaInfo(2, 1)), StorageRecord(BuildCompoundFile({{"PROJECT", "x"}}), false));
          return show.File(); }, "holds no VBA storage"}),
    [](const ::testing::TestParamInfo<PptFailure>& info) { return std::string(info.param.label); });

// Cut short at many points or with bytes overwritten, the document stream
// either loads or raises LoadError; under the sanitizers this also guards
// memory safety of the record walk.
TEST_F(PptTest, DamagedStreamsLoadOrFailCleanly) {
  const Presentation good = WithProject(true);
  std::mt19937 random(20240607);
  for (int round = 0; round < 120; ++round) {
    Presentation show = good;
    if (round % 2 == 0) {
      show.stream.resize(random() % show.stream.size());
    } else {
      for (int k = 0; k < 3; ++k) show.stream[random() % show.stream.size()] = static_cast<char>(random());
    }
    const std::string path = Write("damaged.ppt", show.File());
    try {
      LoadProject({path});
    } catch (const LoadError& error) {
      EXPECT_EQ(error.Description().rfind(path + ": ", 0), 0u) << error.Description();
    }
  }
}

}  // namespace
}  // namespace qm::editor::test
