// The registry: a tree of keys per hive, each key holding named values of a
// type. One interface for every program of the product; the persistent
// per-user store (posix/reg_store.h) and the in-memory registry of the tests
// (fake/memory_registry.h) implement it.
//
// Key paths are "\"-separated and compared without regard to case, as on
// Windows (ASCII letters are folded); empty segments (a leading, trailing or
// doubled "\") are ignored, so "" is the hive itself. Value names compare the
// same way; the empty name is the key's default value ("@" in .reg text).
//
// Value data as this interface holds it:
//   kRegSz, kRegExpandSz   UTF-8 text, no terminating NUL
//   kRegMultiSz            UTF-8 texts, each followed by one NUL
//   kRegDword              4 bytes, little-endian
//   anything else          the raw bytes
// QueryValueAnsi gives what the single-byte query of Windows returns instead.
//
// Writes report failure by result (false) and leave the registry unchanged;
// LastError then says why. Reads never fail: a missing key or value is simply
// absent.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm::platform {

enum class Hive { ClassesRoot, CurrentUser, LocalMachine, Users };

// Every hive, in the order the store writes them.
inline constexpr Hive kAllHives[] = {Hive::ClassesRoot, Hive::CurrentUser, Hive::LocalMachine, Hive::Users};

// Value types (the numbers Windows uses).
inline constexpr uint32_t kRegSz = 1;
inline constexpr uint32_t kRegExpandSz = 2;
inline constexpr uint32_t kRegBinary = 3;
inline constexpr uint32_t kRegDword = 4;
inline constexpr uint32_t kRegMultiSz = 7;

struct RegValue {
  uint32_t type = kRegSz;
  std::string data;  // see the table at the top of this file

  static RegValue Text(std::string utf8) { return {kRegSz, std::move(utf8)}; }
  static RegValue Dword(uint32_t number);
  static RegValue MultiText(const std::vector<std::string>& texts);
  // The number of a kRegDword value of 4 bytes; nullopt otherwise.
  std::optional<uint32_t> AsDword() const;
  // The texts of a kRegMultiSz value.
  std::vector<std::string> AsMultiText() const;

  friend bool operator==(const RegValue&, const RegValue&) = default;
};

// "HKEY_CURRENT_USER" and so on.
std::string_view HiveName(Hive hive);
// The hive of a full name ("HKEY_CURRENT_USER") or its short form ("HKCU"),
// in any case.
std::optional<Hive> HiveOfName(std::string_view name);

// True when two key or value names are equal without regard to case.
bool SameRegName(std::string_view a, std::string_view b);

class Registry {
 public:
  virtual ~Registry() = default;

  // True when the key exists and can be opened with query access.
  virtual bool KeyExists(Hive hive, std::string_view path) const = 0;
  // The value, or nullopt when the key or the value is missing.
  virtual std::optional<RegValue> ReadValue(Hive hive, std::string_view path, std::string_view name) const = 0;
  // Names of the key's subkeys (sorted without regard to case) and of its
  // values (in the order they were created); empty for a missing key.
  virtual std::vector<std::string> SubKeys(Hive hive, std::string_view path) const = 0;
  virtual std::vector<std::string> ValueNames(Hive hive, std::string_view path) const = 0;

  // Sets the value, creating the key and its parents as needed.
  virtual bool SetValue(Hive hive, std::string_view path, std::string_view name, const RegValue& value) = 0;
  // Creates the key and its parents; true also when it already existed.
  virtual bool CreateKey(Hive hive, std::string_view path) = 0;
  // Deletes the value; true also when it was missing.
  virtual bool DeleteValue(Hive hive, std::string_view path, std::string_view name) = 0;
  // Deletes the key with all its subkeys; true also when it was missing. The
  // hive itself ("") cannot be deleted.
  virtual bool DeleteKey(Hive hive, std::string_view path) = 0;

  // Why the last failed write failed (path, and what went wrong).
  virtual std::string LastError() const = 0;
};

// The value as the single-byte (ANSI) query returns it, type included: a text
// encoded in the system's ANSI code page followed by its NUL (a multi-text:
// each text and its NUL, then one more NUL); any other type its bytes as held.
std::optional<RegValue> QueryValueAnsi(const Registry& registry, Hive hive, std::string_view path,
                                       std::string_view name);

// The registry every part of the process uses: the one set by
// SetCurrentRegistry, else the current user's persistent store (opened on
// first use at its default path).
Registry& CurrentRegistry();
// Makes `registry` current (not owned; it must outlive its use); nullptr goes
// back to the persistent store.
void SetCurrentRegistry(Registry* registry);

// Makes a registry current for a scope and restores the previous one after.
class ScopedCurrentRegistry {
 public:
  explicit ScopedCurrentRegistry(Registry& registry);
  ~ScopedCurrentRegistry();
  ScopedCurrentRegistry(const ScopedCurrentRegistry&) = delete;
  ScopedCurrentRegistry& operator=(const ScopedCurrentRegistry&) = delete;

 private:
  Registry* previous_;  // what was current before, nullptr for the default
};

}  // namespace qm::platform
