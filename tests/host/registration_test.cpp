// Self-registration in an in-memory registry: the entries the setup and
// removal programs test for, their removal, and a registration that fails
// part-way leaving nothing of its own behind.
#include <gtest/gtest.h>

#include <string>

#include "addin/host/registration.h"
#include "addin/host/registration_data.h"
#include "platform/fake/memory_registry.h"

namespace qm {
namespace {

using platform::Hive;
using platform::MemoryRegistry;
using platform::RegValue;

constexpr const char* kLibrary = "/usr/lib/quillmark/libQuillmark.so";

std::string Text(const platform::Registry& registry, Hive hive, const std::string& key, const std::string& name = "") {
  auto value = registry.ReadValue(hive, key, name);
  return value && value->type == platform::kRegSz ? value->data : "<missing>";
}

// What the setup program calls "registered": the class registration holds
// the class identifier and its type library link names an existing key.
bool Registered(const platform::Registry& registry) {
  const std::string typeLib = Text(registry, Hive::ClassesRoot, kTypeLibLinkKey);
  return Text(registry, Hive::ClassesRoot, kClassRegistrationKey) == kAddinClsid && !typeLib.empty() &&
         registry.KeyExists(Hive::ClassesRoot, std::string(kTypeLibRootKey) + "\\" + typeLib);
}

// Entries of others that registration and unregistration must leave alone.
void AddNeighbours(MemoryRegistry& registry) {
  registry.MemoryRegistry::SetValue(Hive::CurrentUser, std::string(kAddinRegistryRoot) + "\\Addins\\Other.Connect",
                                    "LoadBehavior", RegValue::Dword(3));
  registry.MemoryRegistry::SetValue(Hive::ClassesRoot, "CLSID\\{00000000-0000-0000-0000-000000000001}", "",
                                    RegValue::Text("x"));
  registry.MemoryRegistry::SetValue(Hive::ClassesRoot, "TypeLib\\{00000000-0000-0000-0000-000000000002}", "", RegValue::Text("y"));
}

void ExpectNeighbours(const MemoryRegistry& registry) {
  EXPECT_TRUE(registry.KeyExists(Hive::CurrentUser, std::string(kAddinRegistryRoot) + "\\Addins\\Other.Connect"));
  EXPECT_TRUE(registry.KeyExists(Hive::ClassesRoot, "CLSID\\{00000000-0000-0000-0000-000000000001}"));
  EXPECT_TRUE(registry.KeyExists(Hive::ClassesRoot, "TypeLib\\{00000000-0000-0000-0000-000000000002}"));
}

TEST(RegistrationTest, RegisterWritesClassTypeLibraryAndAddinKey) {
  MemoryRegistry registry;
  AddNeighbours(registry);
  ASSERT_TRUE(RegisterServer(registry, kLibrary));

  EXPECT_TRUE(Registered(registry));
  EXPECT_EQ(Text(registry, Hive::ClassesRoot, kInprocServerKey), kLibrary);
  EXPECT_EQ(Text(registry, Hive::ClassesRoot, kInprocServerKey, "ThreadingModel"), "Apartment");
  EXPECT_EQ(Text(registry, Hive::ClassesRoot, std::string(kClassIdKey) + "\\ProgID"), "Quillmark.dsrAddin");
  const std::string typeLib = std::string("TypeLib\\") + kAddinTypeLibId + "\\" + kAddinTypeLibVersion;
  EXPECT_EQ(Text(registry, Hive::ClassesRoot, typeLib), "Converting VBA Code into HTML");
  EXPECT_EQ(Text(registry, Hive::ClassesRoot, typeLib + "\\0\\win32"), kLibrary);

  const std::string key = "Software\\Microsoft\\VBA\\VBE\\6.0\\Addins\\Quillmark.dsrAddin";
  EXPECT_EQ(registry.ReadValue(Hive::CurrentUser, key, "LoadBehavior"), RegValue::Dword(1));
  EXPECT_EQ(registry.ReadValue(Hive::CurrentUser, key, "CommandLineSafe"), RegValue::Dword(0));
  EXPECT_EQ(Text(registry, Hive::CurrentUser, key, "FriendlyName"), "Ferravel");
  EXPECT_EQ(Text(registry, Hive::CurrentUser, key, "Description"),
            "選択されたモジュールのコードをHTML形式に変換します。");
  ExpectNeighbours(registry);
}

TEST(RegistrationTest, UnregisterRemovesEverythingItWroteOnly) {
  MemoryRegistry registry;
  AddNeighbours(registry);
  ASSERT_TRUE(RegisterServer(registry, kLibrary));
  ASSERT_TRUE(UnregisterServer(registry));

  EXPECT_FALSE(Registered(registry));
  for (const std::string& key :
       {std::string(kProgIdKey), std::string(kClassIdKey), std::string("TypeLib\\") + kAddinTypeLibId}) {
    EXPECT_FALSE(registry.KeyExists(Hive::ClassesRoot, key)) << key;
  }
  EXPECT_FALSE(registry.KeyExists(Hive::CurrentUser, kAddinKey));
  ExpectNeighbours(registry);
  EXPECT_TRUE(UnregisterServer(registry)) << "nothing left to remove is no failure";
}

// A registry that refuses every write below one key.
class RefusingRegistry : public MemoryRegistry {
 public:
  explicit RefusingRegistry(std::string refused) : refused_(std::move(refused)) {}
  bool SetValue(Hive hive, std::string_view path, std::string_view name, const RegValue& value) override {
    if (std::string(path).starts_with(refused_)) return false;
    return MemoryRegistry::SetValue(hive, path, name, value);
  }

 private:
  std::string refused_;
};

TEST(RegistrationTest, FailedRegistrationLeavesNothingOfItsOwn) {
  for (const char* refused : {"CLSID", "TypeLib", "Software"}) {
    RefusingRegistry registry(refused);
    AddNeighbours(registry);
    EXPECT_FALSE(RegisterServer(registry, kLibrary)) << refused;
    EXPECT_FALSE(registry.KeyExists(Hive::ClassesRoot, kProgIdKey)) << refused;
    EXPECT_FALSE(registry.KeyExists(Hive::ClassesRoot, kClassIdKey)) << refused;
    EXPECT_FALSE(registry.KeyExists(Hive::CurrentUser, kAddinKey)) << refused;
    ExpectNeighbours(registry);
  }

  MemoryRegistry full;
  full.FailWrites(true);
  EXPECT_FALSE(RegisterServer(full, kLibrary));
}

TEST(RegistrationTest, FailedRegistrationKeepsAnAddinKeyThatWasThere) {
  RefusingRegistry registry("Software");
  ASSERT_TRUE(registry.MemoryRegistry::SetValue(Hive::CurrentUser, kAddinKey, "LoadBehavior", RegValue::Dword(0)));
  EXPECT_FALSE(RegisterServer(registry, kLibrary));
  EXPECT_EQ(registry.ReadValue(Hive::CurrentUser, kAddinKey, "LoadBehavior"), RegValue::Dword(0));
  EXPECT_FALSE(registry.KeyExists(Hive::ClassesRoot, kClassIdKey));
}

}  // namespace
}  // namespace qm
