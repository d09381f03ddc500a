// Code page conversions through iconv, and the system's ANSI code page from
// the locale. Conversions go character by character around failures so one
// unmappable character costs one "?" (or U+FFFD), never the rest of the text.
#include "platform/codepage.h"

#include <iconv.h>

#include <atomic>
#include <cstdint>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

namespace qm::platform {

namespace {

std::atomic<int> g_override{0};

// The iconv name of a Windows code page number.
std::string IconvName(int codePage) {
  switch (codePage) {
    case 65001: return "UTF-8";
    case 1200: return "UTF-16LE";
    case 20127: return "ASCII";
    case 28591: return "ISO-8859-1";
    case 10000: return "MACINTOSH";
    case 20932: return "EUC-JP";
    case 51932: return "EUC-JP";
    case 50220: return "ISO-2022-JP";
    default: return "CP" + std::to_string(codePage);
  }
}

std::string LowerAlnum(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c >= 'A' && c <= 'Z') out += static_cast<char>(c - 'A' + 'a');
    else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) out += c;
  }
  return out;
}

// Length of the well-formed UTF-8 sequence at bytes[i]; 0 when there is none
// (a stray continuation byte, an overlong form, a surrogate, a code point
// above U+10FFFF, or a sequence cut short).
size_t Utf8SequenceLength(std::string_view bytes, size_t i) {
  const auto c = static_cast<unsigned char>(bytes[i]);
  if (c < 0x80) return 1;
  size_t len;
  uint32_t cp;
  if (c >= 0xC2 && c <= 0xDF) { len = 2; cp = c & 0x1F; }
  else if (c >= 0xE0 && c <= 0xEF) { len = 3; cp = c & 0x0F; }
  else if (c >= 0xF0 && c <= 0xF4) { len = 4; cp = c & 0x07; }
  else return 0;
  if (i + len > bytes.size()) return 0;
  for (size_t k = 1; k < len; ++k) {
    const auto cc = static_cast<unsigned char>(bytes[i + k]);
    if ((cc & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (cc & 0x3F);
  }
  if ((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)))
    return 0;
  return len;
}

// UTF-8 with each ill-formed sequence (a bad lead byte and the continuation
// bytes after it) replaced once. iconv cannot do this from UTF-8 to UTF-8:
// glibc passes the old five- and six-byte forms through unchanged.
std::string RepairUtf8(std::string_view bytes, std::string_view replacement) {
  std::string out;
  out.reserve(bytes.size() + 16);
  size_t good = 0;  // start of the run of well-formed bytes not yet copied
  for (size_t i = 0; i < bytes.size();) {
    if (const size_t len = Utf8SequenceLength(bytes, i)) {
      i += len;
      continue;
    }
    out.append(bytes.substr(good, i - good));
    out.append(replacement);
    ++i;
    while (i < bytes.size() && (static_cast<unsigned char>(bytes[i]) & 0xC0) == 0x80) ++i;
    good = i;
  }
  out.append(bytes.substr(good));
  return out;
}

enum class CodePageWidth { kOther, kSingleByte, kAsciiAndWide };

// How a code page's byte length follows from the characters: one byte each
// (an unmappable character becomes one "?"), or ASCII as itself and other
// characters encoded without shift states, or neither.
CodePageWidth WidthOf(int codePage) {
  switch (codePage) {
    case 874: case 1250: case 1251: case 1252: case 1253: case 1254: case 1255: case 1256: case 1257:
    case 1258: case 20127: case 28591: case 10000:
      return CodePageWidth::kSingleByte;
    case 932: case 936: case 949: case 950: case 20932: case 51932:
      return CodePageWidth::kAsciiAndWide;
    default:
      return CodePageWidth::kOther;
  }
}

int LocaleCodePage() {
  for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') continue;
    std::string_view locale(value);
    if (locale == "C" || locale == "POSIX") return 1252;
    const auto dot = locale.find('.');
    if (dot == std::string_view::npos) return 1252;
    auto codeset = locale.substr(dot + 1);
    codeset = codeset.substr(0, codeset.find('@'));
    return CodePageOfCodeset(codeset);
  }
  return 1252;
}

// Runs iconv over the whole input; on an unconvertible or invalid sequence,
// appends the replacement and skips one input unit (a byte, or a UTF-8
// character when the input is UTF-8).
std::optional<std::string> Convert(std::string_view input, const std::string& from, const std::string& to,
                                   std::string_view replacement, bool inputIsUtf8) {
  iconv_t cd = iconv_open(to.c_str(), from.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out;
  out.reserve(input.size() + input.size() / 2 + 16);
  char* in = const_cast<char*>(input.data());
  size_t inLeft = input.size();
  char buffer[4096];
  while (inLeft > 0) {
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    const size_t rc = iconv(cd, &in, &inLeft, &dst, &dstLeft);
    out.append(buffer, dst - buffer);
    if (rc != static_cast<size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    // EILSEQ or EINVAL (a truncated sequence at the end): replace one unit.
    out.append(replacement);
    size_t skip = 1;
    if (inputIsUtf8) {
      const auto lead = static_cast<unsigned char>(*in);
      skip = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
      if (skip > inLeft) skip = inLeft;
    }
    in += skip;
    inLeft -= skip;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  char* dst = buffer;
  size_t dstLeft = sizeof buffer;
  iconv(cd, nullptr, nullptr, &dst, &dstLeft);  // flush any shift state
  out.append(buffer, dst - buffer);
  iconv_close(cd);
  return out;
}

// True when none of the eight bytes at `at` has its high bit set.
bool EightAscii(const char* at) {
  uint64_t word;
  std::memcpy(&word, at, sizeof word);
  return (word & 0x8080808080808080u) == 0;
}

// The position of the first non-ASCII byte at or after `i`, or the end.
// Whole words are tested while they are ASCII, sixteen bytes a step; a short
// rest of a text of eight bytes or more is tested as the last eight bytes.
size_t SkipAscii(std::string_view bytes, size_t i) {
  const char* data = bytes.data();
  const size_t n = bytes.size();
  while (i + 16 <= n && EightAscii(data + i) && EightAscii(data + i + 8)) i += 16;
  while (i + 8 <= n && EightAscii(data + i)) i += 8;
  if (i + 8 > n && n >= 8 && EightAscii(data + n - 8)) return n;
  while (i < n && static_cast<unsigned char>(data[i]) < 0x80) ++i;
  return i;
}

}  // namespace

int CodePageOfCodeset(std::string_view codeset) {
  const std::string c = LowerAlnum(codeset);
  if (c == "utf8") return 65001;
  if (c == "sjis" || c == "shiftjis" || c == "cp932" || c == "windows31j" || c == "mskanji") return 932;
  if (c == "eucjp" || c == "ujis") return 20932;
  if (c == "gbk" || c == "gb2312" || c == "cp936" || c == "euccn") return 936;
  if (c == "euckr" || c == "cp949" || c == "uhc") return 949;
  if (c == "big5" || c == "cp950" || c == "big5hkscs") return 950;
  if (c == "tis620" || c == "cp874") return 874;
  if (c == "iso88591" || c == "iso885915" || c == "cp1252" || c == "ansix341968" || c == "ascii") return 1252;
  if (c == "iso88592" || c == "cp1250") return 1250;
  if (c == "iso88595" || c == "koi8r" || c == "cp1251") return 1251;
  if (c == "iso88597" || c == "cp1253") return 1253;
  if (c == "iso88599" || c == "cp1254") return 1254;
  if (c == "iso88598" || c == "cp1255") return 1255;
  if (c == "iso88596" || c == "cp1256") return 1256;
  if (c == "iso885913" || c == "cp1257") return 1257;
  if (c == "cp1258") return 1258;
  return 1252;
}

int AnsiCodePage() {
  const int forced = g_override.load();
  return forced != 0 ? forced : LocaleCodePage();
}

void SetAnsiCodePage(int codePage) { g_override.store(codePage); }

bool CodePageSupported(int codePage) {
  iconv_t cd = iconv_open("UTF-8", IconvName(codePage).c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  iconv_close(cd);
  return true;
}

std::optional<std::string> EncodeText(std::string_view utf8, int codePage) {
  if (codePage == kCodePageUtf8) return IsValidUtf8(utf8) ? std::string(utf8) : RepairUtf8(utf8, "?");
  return Convert(utf8, "UTF-8", IconvName(codePage), "?", true);
}

std::optional<std::string> DecodeText(std::string_view bytes, int codePage) {
  if (codePage == kCodePageUtf8) return IsValidUtf8(bytes) ? std::string(bytes) : RepairUtf8(bytes, "\xEF\xBF\xBD");
  return Convert(bytes, IconvName(codePage), "UTF-8", "\xEF\xBF\xBD", false);
}

size_t EncodedLength(std::string_view utf8, int codePage) {
  if (IsValidUtf8(utf8)) {
    if (codePage == kCodePageUtf8) return utf8.size();
    const CodePageWidth width = WidthOf(codePage);
    if (width == CodePageWidth::kSingleByte) return CountCodePoints(utf8);
    if (width == CodePageWidth::kAsciiAndWide) {
      // ASCII keeps its bytes; only the other characters need converting.
      std::string wide;
      for (char c : utf8) {
        if (static_cast<unsigned char>(c) >= 0x80) wide += c;
      }
      if (wide.empty()) return utf8.size();
      const std::optional<std::string> bytes = EncodeText(wide, codePage);
      if (bytes) return utf8.size() - wide.size() + bytes->size();
    }
  }
  const std::optional<std::string> bytes = EncodeText(utf8, codePage);
  return bytes ? bytes->size() : utf8.size();
}

bool IsValidUtf8(std::string_view bytes) {
  for (size_t i = SkipAscii(bytes, 0); i < bytes.size(); i = SkipAscii(bytes, i)) {
    const size_t len = Utf8SequenceLength(bytes, i);
    if (len == 0) return false;
    i += len;
  }
  return true;
}

size_t CountCodePoints(std::string_view utf8) {
  size_t count = 0;
  for (char c : utf8) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

}  // namespace qm::platform
