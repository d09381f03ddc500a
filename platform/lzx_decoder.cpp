// LZX decoding for one reset interval of a compiled help file's content.
// The bit stream is read in 16-bit little-endian words, most significant bit
// first. Each block is verbatim, aligned-offset or uncompressed; the code
// lengths of its trees are sent as differences to the previous block's
// through a 20-symbol pretree. Matches refer back into the output, which
// serves as the window. After each 32 KiB frame the stream is realigned to a
// 16-bit boundary.
#include "platform/lzx_decoder.h"

#include <algorithm>
#include <array>
#include <utility>

namespace qm::platform {

namespace {

constexpr int kMaxSlots = 50;
constexpr int kMainBase = 256;       // literals come first in the main tree
constexpr int kLengthSymbols = 249;  // the length tree
constexpr int kPretreeSymbols = 20;
constexpr int kAlignedSymbols = 8;

struct SlotTables {
  std::array<int, kMaxSlots> extra{};
  std::array<std::uint32_t, kMaxSlots> base{};
};

// Extra bits and base offset of each position slot.
constexpr SlotTables MakeSlotTables() {
  SlotTables t;
  for (int i = 0; i < kMaxSlots; ++i) {
    t.extra[i] = i < 4 ? 0 : std::min(i / 2 - 1, 17);
    if (i > 0) t.base[i] = t.base[i - 1] + (1u << t.extra[i - 1]);
  }
  return t;
}
constexpr SlotTables kSlots = MakeSlotTables();

// Number of position slots for window sizes 2^15 .. 2^21.
constexpr std::array<int, 7> kSlotsForWindow = {30, 32, 34, 36, 38, 42, 50};

class BitReader {
 public:
  explicit BitReader(std::span<const std::uint8_t> in) : in_(in) {}

  // Reads n (0..17) bits.
  std::uint32_t Read(int n) {
    if (n == 0) return 0;
    Ensure(n);
    const std::uint32_t value = buffer_ >> (32 - n);
    Remove(n);
    return value;
  }
  // Realigns to a word boundary before an uncompressed block (drops 1..16 bits).
  void AlignForRaw() {
    Ensure(16);
    if (left_ > 16) pos_ -= 2;
    buffer_ = 0, left_ = 0;
  }
  // Realigns after a frame (drops the rest of the current word).
  void AlignFrame() {
    if (left_ > 0) Ensure(16);
    if (left_ & 15) Remove(left_ & 15);
  }
  bool RawBytes(std::size_t count, std::vector<std::uint8_t>& out) {
    if (pos_ + count > in_.size()) return false;
    out.insert(out.end(), in_.begin() + static_cast<std::ptrdiff_t>(pos_),
               in_.begin() + static_cast<std::ptrdiff_t>(pos_ + count));
    pos_ += count;
    return true;
  }
  std::uint32_t RawDword() {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i, ++pos_) value |= static_cast<std::uint32_t>(pos_ < in_.size() ? in_[pos_] : 0) << (8 * i);
    return value;
  }
  void SkipByte() { ++pos_; }
  bool Overrun() const { return pos_ > in_.size() + 4; }  // a little zero padding is tolerated

 private:
  void Ensure(int n) {
    while (left_ < n) {
      std::uint32_t word = 0;
      if (pos_ + 1 < in_.size()) word = in_[pos_] | (in_[pos_ + 1] << 8);
      pos_ += 2;
      buffer_ |= word << (16 - left_);
      left_ += 16;
    }
  }
  void Remove(int n) {
    buffer_ <<= n;
    left_ -= n;
  }

  std::span<const std::uint8_t> in_;
  std::size_t pos_ = 0;
  std::uint32_t buffer_ = 0;  // unread bits, most significant first
  int left_ = 0;              // number of unread bits in buffer_
};

// A canonical Huffman code decoded one bit at a time.
class Huffman {
 public:
  bool Build(std::span<const std::uint8_t> lengths) {
    counts_.fill(0);
    for (std::uint8_t length : lengths) ++counts_[length];
    counts_[0] = 0;
    int room = 1;
    for (int length = 1; length <= 16; ++length) {
      room = (room << 1) - counts_[length];
      if (room < 0) return false;  // over-subscribed
    }
    symbols_.clear();
    for (int length = 1; length <= 16; ++length) {
      for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol) {
        if (lengths[symbol] == length) symbols_.push_back(static_cast<std::uint16_t>(symbol));
      }
    }
    return true;
  }
  // The next symbol, or -1 when the bits match no code.
  int Decode(BitReader& bits) const {
    int code = 0, first = 0, index = 0;
    for (int length = 1; length <= 16; ++length) {
      code |= static_cast<int>(bits.Read(1));
      const int count = counts_[length];
      if (code - first < count) return symbols_[static_cast<std::size_t>(index + code - first)];
      index += count, first += count;
      first <<= 1, code <<= 1;
    }
    return -1;
  }

 private:
  std::array<int, 17> counts_{};
  std::vector<std::uint16_t> symbols_;
};

class Decoder {
 public:
  Decoder(std::span<const std::uint8_t> input, int slots) : bits_(input), mainSymbols_(kMainBase + 8 * slots) {}

  bool ReadIntelHeader() { return bits_.Read(1) == 0; }
  bool DecodeFrame(std::size_t frameEnd, bool last);
  void AlignFrame() { bits_.AlignFrame(); }
  std::vector<std::uint8_t> TakeOutput() { return std::move(out_); }

 private:
  bool ReadLengths(std::uint8_t* lengths, int first, int last);
  bool ReadBlockHeader();
  bool DecodeMatch(int symbol);

  BitReader bits_;
  int mainSymbols_;
  std::array<std::uint8_t, kMainBase + 8 * kMaxSlots> mainLengths_{};
  std::array<std::uint8_t, kLengthSymbols> lengthLengths_{};
  Huffman main_, length_, aligned_;
  std::array<std::uint32_t, 3> repeats_ = {1, 1, 1};  // the three most recent match offsets
  int blockType_ = 0;
  std::size_t blockLength_ = 0, blockRemaining_ = 0;
  std::vector<std::uint8_t> out_;
};

bool Decoder::ReadLengths(std::uint8_t* lengths, int first, int last) {
  std::array<std::uint8_t, kPretreeSymbols> pre{};
  for (auto& length : pre) length = static_cast<std::uint8_t>(bits_.Read(4));
  Huffman pretree;
  if (!pretree.Build(pre)) return false;
  for (int x = first; x < last;) {
    const int z = pretree.Decode(bits_);
    if (z < 0) return false;
    if (z == 17 || z == 18) {
      int run = z == 17 ? static_cast<int>(bits_.Read(4)) + 4 : static_cast<int>(bits_.Read(5)) + 20;
      while (run-- > 0 && x < last) lengths[x++] = 0;
    } else if (z == 19) {
      int run = static_cast<int>(bits_.Read(1)) + 4;
      const int delta = pretree.Decode(bits_);
      if (delta < 0 || delta > 16) return false;
      const auto value = static_cast<std::uint8_t>((lengths[x] + 17 - delta) % 17);
      while (run-- > 0 && x < last) lengths[x++] = value;
    } else {
      lengths[x] = static_cast<std::uint8_t>((lengths[x] + 17 - z) % 17);
      ++x;
    }
  }
  return true;
}

bool Decoder::ReadBlockHeader() {
  if (blockType_ == 3 && (blockLength_ & 1)) bits_.SkipByte();  // pad byte after an odd raw block
  blockType_ = static_cast<int>(bits_.Read(3));
  const std::uint32_t high = bits_.Read(16);
  blockLength_ = blockRemaining_ = (high << 8) | bits_.Read(8);
  if (blockType_ == 3) {
    bits_.AlignForRaw();
    for (auto& repeat : repeats_) repeat = bits_.RawDword();
    return true;
  }
  if (blockType_ != 1 && blockType_ != 2) return false;
  if (blockType_ == 2) {
    std::array<std::uint8_t, kAlignedSymbols> alignedLengths{};
    for (auto& length : alignedLengths) length = static_cast<std::uint8_t>(bits_.Read(3));
    if (!aligned_.Build(alignedLengths)) return false;
  }
  if (!ReadLengths(mainLengths_.data(), 0, kMainBase) ||
      !ReadLengths(mainLengths_.data(), kMainBase, mainSymbols_) ||
      !main_.Build(std::span(mainLengths_.data(), static_cast<std::size_t>(mainSymbols_)))) {
    return false;
  }
  return ReadLengths(lengthLengths_.data(), 0, kLengthSymbols) && length_.Build(lengthLengths_);
}

bool Decoder::DecodeMatch(int symbol) {
  symbol -= kMainBase;
  std::size_t length = static_cast<std::size_t>(symbol & 7);
  if (length == 7) {
    const int more = length_.Decode(bits_);
    if (more < 0) return false;
    length += static_cast<std::size_t>(more);
  }
  length += 2;
  const int slot = symbol >> 3;
  std::uint32_t offset;
  if (slot < 3) {
    offset = repeats_[static_cast<std::size_t>(slot)];
    std::swap(repeats_[0], repeats_[static_cast<std::size_t>(slot)]);
  } else {
    const int extra = kSlots.extra[static_cast<std::size_t>(slot)];
    offset = kSlots.base[static_cast<std::size_t>(slot)] - 2;
    if (blockType_ == 2 && extra >= 3) {
      offset += bits_.Read(extra - 3) << 3;
      const int low = aligned_.Decode(bits_);
      if (low < 0) return false;
      offset += static_cast<std::uint32_t>(low);
    } else {
      offset += bits_.Read(extra);
    }
    repeats_ = {offset, repeats_[0], repeats_[1]};
  }
  if (offset == 0 || offset > out_.size() || length > blockRemaining_) return false;
  for (std::size_t i = 0; i < length; ++i) out_.push_back(out_[out_.size() - offset]);
  blockRemaining_ -= length;
  return true;
}

bool Decoder::DecodeFrame(std::size_t frameEnd, bool last) {
  while (out_.size() < frameEnd) {
    if (blockRemaining_ == 0 && !ReadBlockHeader()) return false;
    if (bits_.Overrun()) return false;
    if (blockType_ == 3) {
      const std::size_t count = std::min(blockRemaining_, frameEnd - out_.size());
      if (!bits_.RawBytes(count, out_)) return false;
      blockRemaining_ -= count;
      continue;
    }
    const int symbol = main_.Decode(bits_);
    if (symbol < 0) return false;
    if (symbol < kMainBase) {
      out_.push_back(static_cast<std::uint8_t>(symbol));
      --blockRemaining_;
    } else if (!DecodeMatch(symbol)) {
      return false;
    }
  }
  // A match must not run over a frame; the stream's last match may run past
  // its end (the encoder pads the last frame), and the caller cuts it off.
  return last || out_.size() == frameEnd;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> LzxDecode(std::span<const std::uint8_t> input, int windowBits,
                                                    std::size_t length) {
  if (windowBits < 15 || windowBits > 21) return std::nullopt;
  Decoder decoder(input, kSlotsForWindow[static_cast<std::size_t>(windowBits - 15)]);
  if (!decoder.ReadIntelHeader()) return std::nullopt;
  for (std::size_t frameStart = 0; frameStart < length; frameStart += kLzxFrameSize) {
    const std::size_t frameEnd = std::min(frameStart + kLzxFrameSize, length);
    if (!decoder.DecodeFrame(frameEnd, frameEnd == length)) return std::nullopt;
    decoder.AlignFrame();
  }
  std::vector<std::uint8_t> out = decoder.TakeOutput();
  out.resize(length);
  return out;
}

}  // namespace qm::platform
