// The compression of VBA project streams (dir and module sources): a
// container of a signature byte 01 and chunks of at most 4096 decompressed
// bytes, each either copied raw or made of literal bytes and copy tokens that
// point back into the same chunk.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qm::editor {

// Largest decompressed stream a loader accepts (guards against decompression bombs).
inline constexpr size_t kMaxDecompressedSize = 16u << 20;

struct Decompressed {
  std::string bytes;  // the decompressed data
  std::string error;  // empty on success; otherwise what is wrong with the container
};

// Decompresses a container. A raw chunk cut short by the end of the data is
// taken as far as it goes; everything else malformed, or output beyond
// maxSize, is an error.
Decompressed DecompressContainer(std::string_view container, size_t maxSize = kMaxDecompressedSize);

// Compresses data into a container; raw true writes only raw chunks (the last
// one padded with zero bytes, as the format requires).
std::string CompressContainer(std::string_view data, bool raw = false);

}  // namespace qm::editor
