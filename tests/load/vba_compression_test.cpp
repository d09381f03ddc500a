// The VBA stream compression: hand-made containers, round trips through our
// compressor (compressed and raw chunks), and malformed or oversized input.
#include <gtest/gtest.h>

#include <string>

#include "editor/load/vba_compression.h"

namespace qm::editor {
namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out += static_cast<char>(v);
  return out;
}

TEST(Decompress, HandMadeChunkWithCopyToken) {
  // Header B005: compressed, 8 bytes with itself. Literals a b c, then a copy
  // token 0x2003: offset 3, length 6.
  const auto result = DecompressContainer(Bytes({0x01, 0x05, 0xB0, 0x08, 'a', 'b', 'c', 0x03, 0x20}));
  EXPECT_EQ(result.error, "");
  EXPECT_EQ(result.bytes, "abcabcabc");
}

TEST(Decompress, RawChunkAndRawChunkCutShort) {
  std::string raw = Bytes({0x01, 0xFF, 0x3F}) + std::string(4096, 'x');
  EXPECT_EQ(DecompressContainer(raw).bytes, std::string(4096, 'x'));
  EXPECT_EQ(DecompressContainer(raw.substr(0, 103)).bytes, std::string(100, 'x'));
}

TEST(Compress, RoundTripsText) {
  std::string text;
  for (int i = 0; i < 400; ++i) text += "Sub P" + std::to_string(i) + "()\r\n    Debug.Print \"line\" & " + std::to_string(i * 7) + "\r\nEnd Sub\r\n";
  for (bool raw : {false, true}) {
    const std::string container = CompressContainer(text, raw);
    if (!raw) {
      EXPECT_LT(container.size(), text.size() / 2) << "repetitive text should shrink";
    }
    auto result = DecompressContainer(container);
    EXPECT_EQ(result.error, "");
    if (raw) result.bytes.resize(text.size());  // the last raw chunk is padded with zero bytes
    EXPECT_EQ(result.bytes, text) << (raw ? "raw" : "compressed");
  }
}

TEST(Compress, RoundTripsEdgeSizesAndRuns) {
  for (const std::string& data : {std::string(), std::string("a"), std::string(4096, 'a'), std::string(4097, 'b'),
                                  std::string(9000, '\0') + "end"}) {
    EXPECT_EQ(DecompressContainer(CompressContainer(data)).bytes, data) << data.size();
  }
}

TEST(Decompress, MalformedContainersGiveErrors) {
  struct Case {
    std::string bytes;
    std::string error;
  } cases[] = {
      {"", "the compressed stream does not start with its signature byte"},
      {Bytes({0x00, 0x05, 0xB0}), "the compressed stream does not start with its signature byte"},
      {Bytes({0x01, 0x05, 0x80, 0x00, 'a'}), "a chunk header has a wrong signature"},
      {Bytes({0x01, 0x05, 0xB0, 0x08, 'a', 'b'}), "a compressed chunk is cut short"},
      {Bytes({0x01, 0x02, 0xB0, 0x01, 0x00, 0x00}), "a copy token points before its chunk"},
      {Bytes({0x01, 0x02, 0xB0, 0x02, 'a', 0x00}), "a copy token is cut short"},
      // 'a' then a token asking for 4095+3 bytes: more than the chunk may hold.
      {Bytes({0x01, 0x03, 0xB0, 0x02, 'a', 0xFF, 0x0F}), "a chunk decompresses to more than 4096 bytes"},
  };
  for (const auto& c : cases) EXPECT_EQ(DecompressContainer(c.bytes).error, c.error) << testing::PrintToString(c.bytes);
}

TEST(Decompress, CapsTheOutputAgainstBombs) {
  // One small chunk that expands to 4096 bytes, repeated: 4097 of them exceed 16 MiB.
  const std::string chunk = CompressContainer(std::string(4096, 'a')).substr(1);
  ASSERT_LT(chunk.size(), 600u);
  std::string bomb = "\x01";
  for (int i = 0; i < 4097; ++i) bomb += chunk;
  const auto result = DecompressContainer(bomb);
  EXPECT_EQ(result.error, "the decompressed stream is larger than the limit");
  EXPECT_LE(result.bytes.size(), kMaxDecompressedSize + 4096);
  EXPECT_EQ(DecompressContainer(CompressContainer(std::string(5000, 'r')), 4096).error,
            "the decompressed stream is larger than the limit");
}

}  // namespace
}  // namespace qm::editor
