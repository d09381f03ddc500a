// Decompressor and compressor of VBA stream containers. A chunk header is a
// little-endian 16-bit word: bits 0-11 the chunk's size minus 3, bits 12-14
// the signature 011, bit 15 set for a compressed chunk. A compressed chunk is
// a run of flag bytes, each followed by up to 8 tokens (bit clear: literal
// byte; bit set: 16-bit copy token). A copy token splits into offset and
// length bits according to how far the current position is into the chunk.
#include "editor/load/vba_compression.h"

#include <algorithm>
#include <cstdint>

namespace qm::editor {

namespace {

constexpr size_t kChunkData = 4096;
constexpr uint16_t kSignatureBits = 0x3000;
constexpr uint16_t kCompressedFlag = 0x8000;

// Number of offset bits of a copy token at this distance into the chunk.
int OffsetBits(size_t difference) {
  int bits = 4;
  while (bits < 12 && (size_t{1} << bits) < difference) ++bits;
  return bits;
}

uint16_t ReadWord(std::string_view data, size_t pos) {
  return static_cast<uint16_t>(static_cast<unsigned char>(data[pos]) | (static_cast<unsigned char>(data[pos + 1]) << 8));
}

// Decompresses the tokens of one compressed chunk body into out; returns an
// error text or empty.
std::string InflateChunk(std::string_view body, std::string& out, size_t maxSize) {
  const size_t chunkStart = out.size();
  size_t pos = 0;
  while (pos < body.size()) {
    const auto flags = static_cast<unsigned char>(body[pos++]);
    for (int bit = 0; bit < 8 && pos < body.size(); ++bit) {
      if (out.size() - chunkStart >= kChunkData) return "a chunk decompresses to more than 4096 bytes";
      if (out.size() >= maxSize) return "the decompressed stream is larger than the limit";
      if ((flags & (1u << bit)) == 0) {
        out += body[pos++];
        continue;
      }
      if (pos + 2 > body.size()) return "a copy token is cut short";
      const uint16_t token = ReadWord(body, pos);
      pos += 2;
      const int bits = OffsetBits(out.size() - chunkStart);
      const uint16_t lengthMask = static_cast<uint16_t>(0xFFFF >> bits);
      const size_t length = (token & lengthMask) + 3u;
      const size_t offset = (token >> (16 - bits)) + 1u;
      if (offset > out.size() - chunkStart) return "a copy token points before its chunk";
      if (out.size() - chunkStart + length > kChunkData) return "a chunk decompresses to more than 4096 bytes";
      for (size_t k = 0; k < length; ++k) out += out[out.size() - offset];
    }
  }
  return {};
}

// Longest earlier match within the chunk for data[pos…], as (length, offset).
std::pair<size_t, size_t> FindMatch(std::string_view chunk, size_t pos) {
  const size_t maxLength = std::min<size_t>((0xFFFFu >> OffsetBits(pos)) + 3u, chunk.size() - pos);
  size_t bestLength = 0, bestOffset = 0;
  for (size_t candidate = pos; candidate-- > 0;) {
    size_t length = 0;
    while (length < maxLength && chunk[candidate + length] == chunk[pos + length]) ++length;
    if (length > bestLength) {
      bestLength = length;
      bestOffset = pos - candidate;
    }
  }
  return {bestLength, bestOffset};
}

void AppendWord(std::string& out, uint16_t word) {
  out += static_cast<char>(word & 0xFF);
  out += static_cast<char>(word >> 8);
}

// One compressed chunk (header included), or raw when compressing does not pay.
std::string CompressChunk(std::string_view chunk, bool raw) {
  std::string body;
  size_t pos = 0;
  while (!raw && pos < chunk.size()) {
    const size_t flagAt = body.size();
    body += '\0';
    for (int bit = 0; bit < 8 && pos < chunk.size(); ++bit) {
      const auto [length, offset] = FindMatch(chunk, pos);
      if (length < 3) {
        body += chunk[pos++];
        continue;
      }
      const int bits = OffsetBits(pos);
      AppendWord(body, static_cast<uint16_t>(((offset - 1) << (16 - bits)) | (length - 3)));
      body[flagAt] = static_cast<char>(static_cast<unsigned char>(body[flagAt]) | (1u << bit));
      pos += length;
    }
  }
  std::string out;
  if (raw || body.size() > kChunkData) {
    AppendWord(out, static_cast<uint16_t>(kSignatureBits | (kChunkData - 1)));
    out.append(chunk).append(kChunkData - chunk.size(), '\0');
    return out;
  }
  AppendWord(out, static_cast<uint16_t>(kCompressedFlag | kSignatureBits | (body.size() + 2 - 3)));
  return out + body;
}

}  // namespace

Decompressed DecompressContainer(std::string_view container, size_t maxSize) {
  Decompressed result;
  if (container.empty() || container[0] != '\x01') {
    result.error = "the compressed stream does not start with its signature byte";
    return result;
  }
  size_t pos = 1;
  while (pos < container.size()) {
    if (pos + 2 > container.size()) break;  // a lone padding byte after the last chunk
    const uint16_t header = ReadWord(container, pos);
    if ((header & 0x7000) != kSignatureBits) {
      result.error = "a chunk header has a wrong signature";
      return result;
    }
    const size_t size = (header & 0x0FFFu) + 3u;
    const bool compressed = (header & kCompressedFlag) != 0;
    if (compressed && pos + size > container.size()) {
      result.error = "a compressed chunk is cut short";
      return result;
    }
    const auto body = container.substr(pos + 2, std::min(size, container.size() - pos) - 2);
    if (compressed) {
      result.error = InflateChunk(body, result.bytes, maxSize);
    } else if (result.bytes.size() + body.size() > maxSize) {
      result.error = "the decompressed stream is larger than the limit";
    } else {
      result.bytes.append(body.substr(0, kChunkData));
    }
    if (!result.error.empty()) return result;
    pos += size;
  }
  return result;
}

std::string CompressContainer(std::string_view data, bool raw) {
  std::string out(1, '\x01');
  for (size_t pos = 0; pos < data.size(); pos += kChunkData) out += CompressChunk(data.substr(pos, kChunkData), raw);
  return out;
}

}  // namespace qm::editor
