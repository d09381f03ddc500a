// The fuzz targets' entry points. Each takes one input of arbitrary bytes,
// drives one layer of the product as its callers do, and checks what must
// hold whatever the input: expected failures (a raised VbaError, a parse
// error, a returned false where the layer may refuse) are fine; a crash, a
// sanitizer report, an unexpected exception or a broken invariant is a
// finding. A broken invariant throws FuzzViolation, which libFuzzer reports
// as a crash and the replay test as a failure.
//
// The same entries serve the libFuzzer executables (fuzz_main.cpp, built with
// QUILLMARK_FUZZ=ON) and the replay test of the normal suite, which feeds
// every file of fuzz/corpus/<target>/ and fuzz/regressions/<target>/ through
// the entry of that name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace qm::fuzz {

using FuzzEntry = int (*)(const uint8_t* data, size_t size);

// An invariant that failed on an input.
class FuzzViolation : public std::logic_error {
 public:
  explicit FuzzViolation(const std::string& what) : std::logic_error(what) {}
};

// Throws FuzzViolation with `what` unless `holds`.
inline void Require(bool holds, const std::string& what) {
  if (!holds) throw FuzzViolation(what);
}

// One logical line, every option set from the first bytes, through marking
// and rendering.
int FuzzLine(const uint8_t* data, size_t size);
// A whole module page (head, every line, foot) and the style sheet.
int FuzzPage(const uint8_t* data, size_t size);
// An exported module file (.bas, .cls, .frm) through the exported-file reader.
int FuzzExported(const uint8_t* data, size_t size);
// An Office document (OOXML package or OLE2 compound file) through the loader.
int FuzzOffice(const uint8_t* data, size_t size);
// A compressed container through VBA decompression; compression round trip.
int FuzzDecompress(const uint8_t* data, size_t size);
// A decompressed dir stream and a PROJECT stream.
int FuzzDir(const uint8_t* data, size_t size);
// A .reg file through the importer; what it imports survives a write and re-read.
int FuzzReg(const uint8_t* data, size_t size);

struct FuzzTarget {
  std::string_view name;  // folder name under fuzz/corpus and fuzz/regressions
  FuzzEntry entry;
};

// Every target, by name.
inline constexpr FuzzTarget kFuzzTargets[] = {
    {"line", FuzzLine},   {"page", FuzzPage}, {"exported", FuzzExported}, {"office", FuzzOffice},
    {"decompress", FuzzDecompress}, {"dir", FuzzDir}, {"reg", FuzzReg},
};

// Reads option bytes from the front of an input; past its end every byte is 0.
class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  bool Bit(uint8_t byte, int bit) const { return ((byte >> bit) & 1) != 0; }
  // The bytes not read yet.
  std::string_view Rest() const {
    return at_ < size_ ? std::string_view(reinterpret_cast<const char*>(data_) + at_, size_ - at_) : std::string_view();
  }

 private:
  const uint8_t* data_;  // the input
  size_t size_;          // its length
  size_t at_ = 0;        // next byte to read
};

}  // namespace qm::fuzz
