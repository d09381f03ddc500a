// Picks and applies the encoding of exported module files. Exported files are
// written in the editor's ANSI code page; files kept in version control are
// often UTF-8. UTF-8 is recognised by validity, Shift-JIS by its byte
// structure (lead byte 81-9F or E0-FC followed by a trail byte 40-7E or
// 80-FC, half-width katakana A1-DF) and a clean decode.
#include "editor/load/source_encoding.h"

#include <string>

#include "editor/load/load_project.h"
#include "platform/codepage.h"

namespace qm::editor {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
constexpr int kShiftJis = 932;
constexpr int kWestern = 1252;

bool IsLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool IsTrail(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

std::string_view WithoutBom(std::string_view bytes) {
  return bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom ? bytes.substr(kUtf8Bom.size()) : bytes;
}

// Decodes bytes that are not UTF-8 (BOM removed) in the requested code page,
// or the guessed one.
DecodedSource DecodeInCodePage(std::string_view bytes, int requestedCodePage, std::string_view origin) {
  int codePage = requestedCodePage;
  if (codePage == 0) codePage = LooksLikeShiftJis(bytes) ? kShiftJis : DefaultExportCodePage();
  auto text = platform::DecodeText(bytes, codePage);
  if (!text) throw LoadError(origin, "code page " + std::to_string(codePage) + " is not supported");
  return {std::move(*text), codePage};
}

}  // namespace

bool LooksLikeShiftJis(std::string_view bytes) {
  size_t pairs = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80 || (b >= 0xA1 && b <= 0xDF)) continue;
    if (!IsLead(b) || i + 1 >= bytes.size() || !IsTrail(static_cast<unsigned char>(bytes[i + 1]))) return false;
    ++i;
    ++pairs;
  }
  if (pairs == 0) return false;
  const auto decoded = platform::DecodeText(bytes, kShiftJis);
  return decoded && decoded->find(kReplacement) == std::string::npos;
}

int DefaultExportCodePage() {
  const int ansi = platform::AnsiCodePage();
  return ansi == platform::kCodePageUtf8 ? kWestern : ansi;
}

DecodedSource DecodeExportedBytes(std::string_view bytes, int requestedCodePage, std::string_view origin) {
  bytes = WithoutBom(bytes);
  if (platform::IsValidUtf8(bytes)) return {std::string(bytes), platform::kCodePageUtf8};
  return DecodeInCodePage(bytes, requestedCodePage, origin);
}

std::string_view ExportedSourceText(std::string_view bytes, int requestedCodePage, std::string_view origin,
                                    DecodedSource& decoded) {
  bytes = WithoutBom(bytes);
  if (platform::IsValidUtf8(bytes)) {
    decoded = {std::string(), platform::kCodePageUtf8};
    return bytes;
  }
  decoded = DecodeInCodePage(bytes, requestedCodePage, origin);
  return decoded.text;
}

}  // namespace qm::editor
