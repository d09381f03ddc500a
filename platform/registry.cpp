// Registry helpers that do not depend on where the data lives: value
// construction, hive names, the ANSI view of a value (texts encoded in the
// system's ANSI code page with their NULs, everything else as held), and the
// process-wide current registry.
#include "platform/registry.h"

#include <atomic>

#include "platform/codepage.h"
#include "platform/posix/reg_store.h"
#include "platform/reg_tree.h"

namespace qm::platform {

namespace {

struct HiveNames {
  Hive hive;
  std::string_view name;
  std::string_view shortName;
};

// Hive names, full and short, in the order of the Hive enum.
constexpr HiveNames kHiveNames[] = {
    {Hive::ClassesRoot, "HKEY_CLASSES_ROOT", "HKCR"},
    {Hive::CurrentUser, "HKEY_CURRENT_USER", "HKCU"},
    {Hive::LocalMachine, "HKEY_LOCAL_MACHINE", "HKLM"},
    {Hive::Users, "HKEY_USERS", "HKU"},
};

std::atomic<Registry*> g_current{nullptr};

// A text in the ANSI code page, or "?" per character when the code page is
// not available at all.
std::string Ansi(std::string_view utf8) {
  auto bytes = EncodeText(utf8, AnsiCodePage());
  return bytes ? *bytes : std::string(utf8);
}

}  // namespace

RegValue RegValue::Dword(uint32_t number) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((number >> (8 * i)) & 0xFF);
  return {kRegDword, std::move(bytes)};
}

RegValue RegValue::MultiText(const std::vector<std::string>& texts) {
  RegValue value{kRegMultiSz, {}};
  for (const auto& text : texts) {
    value.data += text;
    value.data += '\0';
  }
  return value;
}

std::optional<uint32_t> RegValue::AsDword() const {
  if (type != kRegDword || data.size() != 4) return std::nullopt;
  uint32_t number = 0;
  for (int i = 3; i >= 0; --i) number = (number << 8) | static_cast<unsigned char>(data[i]);
  return number;
}

std::vector<std::string> RegValue::AsMultiText() const {
  std::vector<std::string> texts;
  size_t start = 0;
  while (start < data.size()) {
    size_t end = data.find('\0', start);
    if (end == std::string::npos) end = data.size();
    texts.push_back(data.substr(start, end - start));
    start = end + 1;
  }
  return texts;
}

std::string_view HiveName(Hive hive) { return kHiveNames[static_cast<size_t>(hive)].name; }

std::optional<Hive> HiveOfName(std::string_view name) {
  for (const auto& entry : kHiveNames) {
    if (SameRegName(name, entry.name) || SameRegName(name, entry.shortName)) return entry.hive;
  }
  return std::nullopt;
}

bool SameRegName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && FoldRegName(a) == FoldRegName(b);
}

std::optional<RegValue> QueryValueAnsi(const Registry& registry, Hive hive, std::string_view path,
                                       std::string_view name) {
  auto value = registry.ReadValue(hive, path, name);
  if (!value) return std::nullopt;
  if (value->type == kRegSz || value->type == kRegExpandSz) {
    value->data = Ansi(value->data) + '\0';
  } else if (value->type == kRegMultiSz) {
    std::string bytes;
    for (const auto& text : value->AsMultiText()) bytes += Ansi(text) + '\0';
    value->data = bytes + '\0';
  }
  return value;
}

Registry& CurrentRegistry() {
  Registry* current = g_current.load();
  return current != nullptr ? *current : PersistentRegistry();
}

void SetCurrentRegistry(Registry* registry) { g_current.store(registry); }

ScopedCurrentRegistry::ScopedCurrentRegistry(Registry& registry) : previous_(g_current.load()) {
  SetCurrentRegistry(&registry);
}

ScopedCurrentRegistry::~ScopedCurrentRegistry() { SetCurrentRegistry(previous_); }

}  // namespace qm::platform
