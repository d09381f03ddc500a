// Office documents: the VBA project read from every container kind, module
// kinds with and without the PROJECT stream, code pages, and one fixture per
// kind of bad input, each failing with one message that names the file.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "editor/load/vba_compression.h"
#include "editor/load/vba_dir.h"
#include "tests/load/load_fixtures.h"

namespace qm::editor::test {
namespace {

const char* const kFourKinds =
    "ThisWorkbook 100\nPrivate Sub Workbook_Open()\r\nEnd Sub\n--\n"
    "Module1 1\nOption Explicit\r\n\r\nFunction Twice(x)\r\n    Twice = 2 * x\r\nEnd Function\n--\n"
    "Class1 2\nPublic Value As Long\n--\n"
    "UserForm1 3\nPrivate Sub UserForm_Click()\r\nEnd Sub\n--\n";

std::string Package(OoxmlHost host, const StreamTree& project) {
  return BuildZipFile(OoxmlParts(host, BuildCompoundFile(project)));
}

// A binary document with the project in the named storage.
std::string BinaryDocument(const std::string& storage, const StreamTree& project) {
  StreamTree document{{"Workbook", std::string(64, 'w')}};
  for (const auto& [path, bytes] : project) document[storage + "/" + path] = bytes;
  return BuildCompoundFile(document);
}

struct ContainerCase {
  const char* label;
  const char* fileName;
  std::function<std::string(const StreamTree&)> build;
  bool raw;
};

class ContainerTest : public ScratchTest, public ::testing::WithParamInterface<ContainerCase> {};

TEST_P(ContainerTest, LoadsEveryModuleKind) {
  VbaProjectContent content = FourKindProject();
  content.rawChunks = GetParam().raw;
  const std::string path = Write(GetParam().fileName, GetParam().build(VbaProjectStreams(content)));
  const LoadedProject project = LoadProject({path});
  EXPECT_EQ(Describe(project), kFourKinds);
  EXPECT_EQ(project.name, "VBAProject");
  EXPECT_EQ(project.codePage, 1252);
  EXPECT_EQ(project.fileName, std::filesystem::absolute(path).lexically_normal().string());
  EXPECT_EQ(project.documentName, GetParam().fileName);
}

INSTANTIATE_TEST_SUITE_P(
    Containers, ContainerTest,
    ::testing::Values(
        ContainerCase{"Xlsm", "Book.xlsm", [](const StreamTree& p) { return Package(OoxmlHost::kExcel, p); }, false},
        ContainerCase{"XlsmRawChunks", "Book.xlsm", [](const StreamTree& p) { return Package(OoxmlHost::kExcel, p); }, true},
        ContainerCase{"Docm", "Doc.docm", [](const StreamTree& p) { return Package(OoxmlHost::kWord, p); }, false},
        ContainerCase{"XlsAddInExtension", "Tools.xlam", [](const StreamTree& p) { return Package(OoxmlHost::kExcel, p); }, false},
        // No content type declares the project part: found at its usual path.
        ContainerCase{"PptmByUsualPartPath", "Show.pptm", [](const StreamTree& p) {
          return BuildZipFile({{"[Content_Types].xml", "<Types/>"}, {"ppt/vbaProject.bin", BuildCompoundFile(p)}}); }, false},
        ContainerCase{"Xls", "Book.xls", [](const StreamTree& p) { return BinaryDocument("_VBA_PROJECT_CUR", p); }, false},
        ContainerCase{"Doc", "Doc.doc", [](const StreamTree& p) { return BinaryDocument("Macros", p); }, true},
        ContainerCase{"BareVbaProjectBin", "vbaProject.bin", [](const StreamTree& p) { return BuildCompoundFile(p); }, false}),
    [](const ::testing::TestParamInfo<ContainerCase>& info) { return std::string(info.param.label); });

class OfficeTest : public ScratchTest {};

TEST_F(OfficeTest, KindsFromDirAndAttributesWithoutProjectStream) {
  StreamTree streams = VbaProjectStreams(FourKindProject());
  streams.erase("PROJECT");
  EXPECT_EQ(Describe(LoadProject({Write("b.xlsm", Package(OoxmlHost::kExcel, streams))})), kFourKinds);
}

TEST_F(OfficeTest, ShiftJisProjectWithJapaneseNamesAndComments) {
  VbaProjectContent content;
  content.codePage = 932;
  content.name = "在庫管理";
  content.modules = {{"在庫", 1, "Attribute VB_Name = \"在庫\"\r\n' 在庫を数える\r\nDim 数量 As Long\r\n"}};
  const LoadedProject project = LoadProject({Write("在庫.xlsm", Package(OoxmlHost::kExcel, VbaProjectStreams(content)))});
  EXPECT_EQ(project.name, "在庫管理");
  EXPECT_EQ(project.codePage, 932);
  EXPECT_EQ(Describe(project), "在庫 1\n' 在庫を数える\r\nDim 数量 As Long\n--\n");
}

TEST_F(OfficeTest, PrefersTheUnicodeModuleName) {
  // In code page 1252 the Japanese name becomes "??"; only the Unicode record keeps it.
  VbaProjectContent content;
  content.modules = {{"集計", 1, "Attribute VB_Name = \"??\"\r\nDim a\r\n"}};
  const LoadedProject project = LoadProject({Write("b.xlsm", Package(OoxmlHost::kExcel, VbaProjectStreams(content)))});
  EXPECT_EQ(Describe(project), "集計 1\nDim a\n--\n");
}

// Replaces the value of the first dir record with this id (fixed-size records only).
std::string PatchDirRecord(std::string dir, uint16_t id, std::string_view value) {
  for (size_t pos = 0; pos + 6 <= dir.size();) {
    const uint16_t at = static_cast<uint16_t>(static_cast<unsigned char>(dir[pos]) | (static_cast<unsigned char>(dir[pos + 1]) << 8));
    const uint32_t size = at == kDirVersion ? 6 : static_cast<unsigned char>(dir[pos + 2]) | (static_cast<unsigned char>(dir[pos + 3]) << 8);
    if (at == id) return dir.replace(pos + 6, value.size(), value);
    pos += 6 + size;
  }
  ADD_FAILURE() << "no record " << id;
  return dir;
}

StreamTree WithDir(const VbaProjectContent& content, const std::function<std::string(std::string)>& change) {
  StreamTree streams = VbaProjectStreams(content);
  streams["VBA/dir"] = CompressContainer(change(BuildDirStream(content)));
  return streams;
}

std::string Xlsm(const StreamTree& streams) { return Package(OoxmlHost::kExcel, streams); }

struct FailureCase {
  const char* label;
  const char* fileName;
  std::function<std::string()> bytes;
  const char* problem;  // expected message after "<path>: "
};

void PrintTo(const FailureCase& c, std::ostream* out) { *out << c.label; }
void PrintTo(const ContainerCase& c, std::ostream* out) { *out << c.label; }

class FailureTest : public ScratchTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailureTest, OneMessageNamingTheFile) {
  const std::string path = Write(GetParam().fileName, GetParam().bytes());
  const std::string message = LoadFailure(path);
  EXPECT_EQ(message.substr(0, path.size() + 2), path + ": ") << message;
  EXPECT_NE(message.find(GetParam().problem), std::string::npos) << message;
}

VbaProjectContent Renamed(const char* module) {
  VbaProjectContent content = FourKindProject();
  content.modules[1].name = module;
  return content;
}

std::string Bomb() {
  const std::string chunk = CompressContainer(std::string(4096, ' ')).substr(1);
  std::string bomb = "\x01";
  for (int i = 0; i < 4200; ++i) bomb += chunk;
  return bomb;
}

INSTANTIATE_TEST_SUITE_P(
    Failures, FailureTest,
    ::testing::Values(
        FailureCase{"TextFile", "notes.xlsm", [] { return std::string("just some text\n"); }, "not an Office document"},
        FailureCase{"EmptyFile", "empty.xls", [] { return std::string(); }, "not an Office document"},
        FailureCase{"ZipWithoutContentTypes", "a.xlsm", [] { return BuildZipFile({{"a.txt", "x"}}); }, "without [Content_Types].xml"},
        FailureCase{"PackageWithoutVba", "a.xlsx", [] {
          StreamTree parts = OoxmlParts(OoxmlHost::kExcel, "");
          parts.erase("xl/vbaProject.bin");
          return BuildZipFile(parts); }, "holds no VBA project"},
        FailureCase{"BinaryWithoutVba", "a.xls", [] { return BuildCompoundFile({{"Workbook", "x"}}); }, "holds no VBA project"},
        FailureCase{"PowerPointWithoutCurrentUser", "a.ppt", [] { return BuildCompoundFile({{"PowerPoint Document", "x"}}); },
                    "the presentation has no \"Current User\" stream"},
        FailureCase{"TruncatedZip", "a.xlsm", [] { auto b = Xlsm(VbaProjectStreams(FourKindProject())); return b.substr(0, b.size() / 2); },
                    "zip container is corrupt or cut short"},
        FailureCase{"TruncatedCompoundFile", "a.xls", [] { return BinaryDocument("_VBA_PROJECT_CUR", VbaProjectStreams(FourKindProject())).substr(0, 700); },
                    "compound file is corrupt or cut short"},
        FailureCase{"VbaPartNotCompoundFile", "a.xlsm", [] { return BuildZipFile(OoxmlParts(OoxmlHost::kExcel, "garbage")); },
                    "vbaProject.bin part is not a valid compound file"},
        FailureCase{"NoDirStream", "a.xlsm", [] { auto s = VbaProjectStreams(FourKindProject()); s.erase("VBA/dir"); return Xlsm(s); },
                    "the dir stream: stream \"dir\" is missing"},
        FailureCase{"DirCutShort", "a.xlsm", [] { return Xlsm(WithDir(FourKindProject(), [](std::string d) { return d.substr(0, d.size() - 9); })); },
                    "the dir stream is cut short"},
        FailureCase{"DirCountsWrong", "a.xlsm", [] { return Xlsm(WithDir(FourKindProject(), [](std::string d) { return PatchDirRecord(d, kDirModules, "\x05"); })); },
                    "declares 5 modules but describes 4"},
        FailureCase{"CorruptModuleStream", "a.xlsm", [] { auto s = VbaProjectStreams(FourKindProject()); s["VBA/Module1"] = std::string("\x01\x04\xB0\x01\x00\x00\x00\x00", 8); return Xlsm(s); },
                    "module \"Module1\": corrupt compressed data (a copy token points before its chunk)"},
        FailureCase{"ModuleStreamMissing", "a.xlsm", [] { auto s = VbaProjectStreams(FourKindProject()); s.erase("VBA/Class1"); return Xlsm(s); },
                    "module \"Class1\": stream \"Class1\" is missing"},
        FailureCase{"TextOffsetPastEnd", "a.xlsm", [] { return Xlsm(WithDir(FourKindProject(), [](std::string d) { return PatchDirRecord(d, kDirModuleOffset, "\xFF\xFF\x00\x00"); })); },
                    "the text offset lies past the end of the stream"},
        FailureCase{"ModuleNamedLikeAPath", "a.xlsm", [] { return Xlsm(WithDir(FourKindProject(), [](std::string) { return BuildDirStream(Renamed("../x")); })); },
                    "a module has the name \"../x\", which is not a VBA name"},
        FailureCase{"DuplicateModuleNames", "a.xlsm", [] { return Xlsm(WithDir(FourKindProject(), [](std::string) { return BuildDirStream(Renamed("CLASS1")); })); },
                    "two modules are named \"Class1\""},
        FailureCase{"ProjectNameNotVba", "a.xlsm", [] { VbaProjectContent s = FourKindProject(); s.name = "my project"; return Xlsm(VbaProjectStreams(s)); },
                    "the project name \"my project\" is not a VBA name"},
        FailureCase{"UnsupportedCodePage", "a.xlsm", [] { return Xlsm(WithDir(FourKindProject(), [](std::string d) { return PatchDirRecord(d, kDirCodePage, "\x39\x30"); })); },
                    "the project's code page 12345 is not supported"},
        FailureCase{"DecompressionBomb", "a.xlsm", [] { auto s = VbaProjectStreams(FourKindProject()); s["VBA/Module1"] = Bomb(); return Xlsm(s); },
                    "module \"Module1\": corrupt compressed data (the decompressed stream is larger than the limit)"}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.label); });

// Cut short at many points or with bytes overwritten, a project either loads
// or raises LoadError; under the sanitizers this also guards memory safety.
TEST_F(OfficeTest, DamagedProjectsLoadOrFailCleanly) {
  const std::string good = BuildCompoundFile(VbaProjectStreams(FourKindProject()));
  std::mt19937 random(20240101);
  for (int round = 0; round < 160; ++round) {
    std::string bytes = good;
    if (round % 2 == 0) {
      bytes.resize(random() % bytes.size());
    } else {
      for (int k = 0; k < 4; ++k) bytes[random() % bytes.size()] = static_cast<char>(random());
    }
    const std::string path = Write("damaged.bin", bytes);
    try {
      LoadProject({path});
    } catch (const LoadError& error) {
      EXPECT_EQ(error.Description().rfind(path + ": ", 0), 0u) << error.Description();
    }
  }
}

TEST_F(OfficeTest, MissingDocumentIsFileNotFound) {
  try {
    LoadProject({PathOf("absent.xlsm")});
    FAIL();
  } catch (const LoadError& error) {
    EXPECT_EQ(error.Number(), kErrFileNotFound);
    EXPECT_EQ(error.Description(), PathOf("absent.xlsm") + ": no such file or folder");
  }
}

}  // namespace
}  // namespace qm::editor::test
