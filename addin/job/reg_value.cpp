// The registry reader: opens the key (raising 10100 when it cannot be
// opened), takes the value's ANSI bytes as the single-byte query returns them
// into a zero-filled 260-byte buffer, and reads them as text or as a
// little-endian integer.
#include "addin/job/reg_value.h"

#include <optional>

#include "addin/common/vba_error.h"
#include "platform/codepage.h"

namespace qm {

namespace {

// The buffer after a successful query, or nullopt when the query fails.
std::optional<std::string> QueryBuffer(platform::Hive root, std::string_view subKey, std::string_view valueName) {
  const platform::Registry& registry = platform::CurrentRegistry();
  if (!registry.KeyExists(root, subKey)) throw VbaError(kErrRegistryOpen, kRegistryOpenText);
  const auto value = platform::QueryValueAnsi(registry, root, subKey, valueName);
  if (!value || value->data.size() > kRegBufferSize) return std::nullopt;
  std::string buffer = value->data;
  buffer.resize(kRegBufferSize, '\0');
  return buffer;
}

std::string BufferText(const std::string& buffer) {
  const std::string bytes = buffer.substr(0, buffer.find('\0'));
  return platform::DecodeText(bytes, platform::AnsiCodePage()).value_or(bytes);
}

int32_t BufferLong(const std::string& buffer) {
  uint32_t number = 0;
  for (int i = 3; i >= 0; --i) number = (number << 8) | static_cast<unsigned char>(buffer[i]);
  return static_cast<int32_t>(number);
}

}  // namespace

RegData ReadRegValue(platform::Hive root, std::string_view subKey, std::string_view valueName, int kind,
                     const RegData& defaultValue) {
  const auto buffer = QueryBuffer(root, subKey, valueName);
  if (!buffer) return defaultValue;
  if (kind == kRegKindText) return BufferText(*buffer);
  if (kind == kRegKindLong) return BufferLong(*buffer);
  return std::monostate{};
}

std::string ReadRegText(platform::Hive root, std::string_view subKey, std::string_view valueName,
                        const std::string& defaultValue) {
  return std::get<std::string>(ReadRegValue(root, subKey, valueName, kRegKindText, defaultValue));
}

int32_t ReadRegLong(platform::Hive root, std::string_view subKey, std::string_view valueName, int32_t defaultValue) {
  return std::get<int32_t>(ReadRegValue(root, subKey, valueName, kRegKindLong, defaultValue));
}

}  // namespace qm
