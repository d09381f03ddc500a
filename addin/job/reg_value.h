// ReadRegValue: the add-in's one registry reader, over the current registry
// (platform::CurrentRegistry()) as the single-byte (ANSI) query of Windows
// sees it. It opens the key for query only, reads the value into a buffer of
// 260 bytes without looking at the value's stored type, and interprets the
// bytes by the kind the caller asks for:
//   kind 1 (text)     the bytes before the first NUL, decoded from the ANSI
//                     code page
//   kind 4 (integer)  the first four bytes, little-endian (a text value gives
//                     its first four ANSI bytes, padded with zero bytes)
//   any other kind    an empty value
// A missing value, or one longer than 260 bytes (a text's NUL counts), gives
// the default. A key that cannot be opened raises VbaError 10100.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "platform/registry.h"

namespace qm {

inline constexpr int kRegKindText = 1;
inline constexpr int kRegKindLong = 4;
inline constexpr size_t kRegBufferSize = 260;  // bytes the query may return

// A value read: nothing (an unknown kind), a text, or a 32-bit integer.
using RegData = std::variant<std::monostate, std::string, int32_t>;

// The value, or `defaultValue` when it is missing or too long; see above.
RegData ReadRegValue(platform::Hive root, std::string_view subKey, std::string_view valueName, int kind,
                     const RegData& defaultValue);

// ReadRegValue with kind 1 and kind 4.
std::string ReadRegText(platform::Hive root, std::string_view subKey, std::string_view valueName,
                        const std::string& defaultValue);
int32_t ReadRegLong(platform::Hive root, std::string_view subKey, std::string_view valueName, int32_t defaultValue);

}  // namespace qm
