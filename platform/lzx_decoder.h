// LZX decompression as compiled help files store their content: a stream of
// 32 KiB frames, the decoder state reset at fixed frame intervals, each reset
// point starting at a known offset of the compressed stream.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace qm::platform {

inline constexpr std::size_t kLzxFrameSize = 0x8000;

// Decodes `length` bytes from one reset point of an LZX stream: `input`
// starts at the reset point's compressed offset; `windowBits` is 15 to 21.
// nullopt when the data is malformed (or uses the x86 call translation,
// which compiled help files do not).
std::optional<std::vector<std::uint8_t>> LzxDecode(std::span<const std::uint8_t> input, int windowBits,
                                                    std::size_t length);

}  // namespace qm::platform
