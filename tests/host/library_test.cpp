// The add-in library as a host meets it: libQuillmark.so (built beside this
// test) loaded with dlopen, its exports, self-registration into a temporary
// persistent store, and an add-in object made through DllGetClassObject that
// connects to an in-memory editor, answers a click and disconnects.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "addin/host/addin_abi.h"
#include "addin/host/registration_data.h"
#include "editor/fake_editor.h"
#include "platform/fake/scripted_message_box.h"
#include "platform/posix/reg_store.h"

namespace qm {
namespace {

namespace fs = std::filesystem;
using platform::Hive;

// The library beside the test program.
std::string LibraryFile() { return (fs::read_symlink("/proc/self/exe").parent_path() / "libQuillmark.so").string(); }

class LibraryTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (const char* previous = std::getenv("QUILLMARK_REGISTRY")) previousStore_ = previous;
    store_ = (fs::temp_directory_path() / ("quillmark-library-test-" + std::to_string(getpid()) + ".reg")).string();
    setenv("QUILLMARK_REGISTRY", store_.c_str(), 1);  // read by the library on its first registry use
    handle_ = dlopen(LibraryFile().c_str(), RTLD_NOW | RTLD_LOCAL);
  }
  static void TearDownTestSuite() {
    fs::remove(store_);
    if (previousStore_) {
      setenv("QUILLMARK_REGISTRY", previousStore_->c_str(), 1);
    } else {
      unsetenv("QUILLMARK_REGISTRY");
    }
  }
  void SetUp() override { ASSERT_NE(handle_, nullptr) << dlerror(); }

  template <typename Proc>
  static Proc Entry(const char* name) {
    return reinterpret_cast<Proc>(dlsym(handle_, name));
  }

  static inline void* handle_ = nullptr;
  static inline std::string store_;
  static inline std::optional<std::string> previousStore_;
};

TEST_F(LibraryTest, ExportsItsEntryPointsOnly) {
  for (const char* name :
       {"DllRegisterServer", "DllUnregisterServer", "DllGetClassObject", "DllCanUnloadNow", "QuillmarkAttachHost"}) {
    EXPECT_NE(dlsym(handle_, name), nullptr) << name;
  }
  EXPECT_EQ(dlsym(handle_, "_ZN2qm11VBEInstanceE"), nullptr) << "the add-in's globals stay inside";
}

TEST_F(LibraryTest, RegistersIntoTheStoreAndUnregisters) {
  ASSERT_EQ(Entry<DllRegisterServerProc>("DllRegisterServer")(), kSOk);
  {
    platform::RegStore store(store_);
    char resolved[PATH_MAX];
    ASSERT_NE(realpath(LibraryFile().c_str(), resolved), nullptr);
    EXPECT_EQ(store.ReadValue(Hive::ClassesRoot, kInprocServerKey, ""), platform::RegValue::Text(resolved));
    EXPECT_EQ(store.ReadValue(Hive::ClassesRoot, kClassRegistrationKey, ""), platform::RegValue::Text(kAddinClsid));
    EXPECT_EQ(store.ReadValue(Hive::CurrentUser, kAddinKey, kRegLoadBehavior), platform::RegValue::Dword(1));
    EXPECT_EQ(store.ReadValue(Hive::CurrentUser, kAddinKey, kRegFriendlyName), platform::RegValue::Text("Ferravel"));
  }
  ASSERT_EQ(Entry<DllUnregisterServerProc>("DllUnregisterServer")(), kSOk);
  platform::RegStore store(store_);
  EXPECT_FALSE(store.KeyExists(Hive::ClassesRoot, kProgIdKey));
  EXPECT_FALSE(store.KeyExists(Hive::ClassesRoot, kClassIdKey));
  EXPECT_FALSE(store.KeyExists(Hive::CurrentUser, kAddinKey));
}

TEST_F(LibraryTest, MakesObjectsOfTheAddinClassOnly) {
  const auto getClassObject = Entry<DllGetClassObjectProc>("DllGetClassObject");
  const struct {
    const char* clsid;
    const char* iid;
    std::int32_t result;
  } cases[] = {
      {"{00000000-727E-429F-A492-ECE333A7D3FC}", "IDTExtensibility2", kClassNotAvailable},
      {"Quillmark.dsrAddin", "IDTExtensibility2", kClassNotAvailable},
      {nullptr, "IDTExtensibility2", kClassNotAvailable},
      {kAddinClsid, "IUnknownThing", kENoInterface},
      {kAddinClsid, nullptr, kENoInterface},
  };
  for (const auto& c : cases) {
    void* object = &handle_;
    EXPECT_EQ(getClassObject(c.clsid, c.iid, &object), c.result) << (c.clsid ? c.clsid : "none");
    EXPECT_EQ(object, nullptr);
  }
  EXPECT_EQ(getClassObject(kAddinClsid, kIDTExtensibility2, nullptr), kEPointer);
}

TEST_F(LibraryTest, AddinFromTheLibraryConnectsAnswersAClickAndDisconnects) {
  platform::ScriptedMessageBox messages;
  HostServices services;
  services.messageBox = &messages;
  Entry<QuillmarkAttachHostProc>("QuillmarkAttachHost")(&services);
  const auto canUnload = Entry<DllCanUnloadNowProc>("DllCanUnloadNow");
  EXPECT_EQ(canUnload(), kSOk);

  void* object = nullptr;
  ASSERT_EQ(Entry<DllGetClassObjectProc>("DllGetClassObject")("{bb087339-727e-429f-a492-ece333a7d3fc}",
                                                              kIDTExtensibility2, &object),
            kSOk);
  auto* addin = static_cast<IDTExtensibility2*>(object);
  EXPECT_EQ(canUnload(), kSFalse);

  editor::MemoryVBEPtr vbe = editor::FakeEditor().project("VBAProject", "C:\\w\\Book1.xlsm").build();
  CustomArgs custom;
  addin->OnConnection(vbe, kConnectStartup, nullptr, custom);
  addin->OnStartupComplete(custom);
  auto bar = vbe->MemoryBars()->FindBar("Ferravel");
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(bar->Count(), 1);
  EXPECT_TRUE(messages.ShownBoxes().empty());

  bar->Item(1)->Execute();
  ASSERT_EQ(messages.ShownBoxes().size(), 1u);
  EXPECT_EQ(messages.ShownBoxes()[0].text, "モジュールが選択されていません。\r\n処理を中止します。");

  addin->OnBeginShutdown(custom);
  addin->OnDisconnection(kDisconnectHostShutdown, custom);
  EXPECT_EQ(vbe->MemoryBars()->FindBar("Ferravel"), nullptr);
  addin->Release();
  EXPECT_EQ(canUnload(), kSOk);
  Entry<QuillmarkAttachHostProc>("QuillmarkAttachHost")(nullptr);
  EXPECT_EQ(messages.ShownBoxes().size(), 1u);
}

}  // namespace
}  // namespace qm
