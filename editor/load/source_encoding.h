// The text encoding of an exported module file: UTF-8 when its bytes are
// UTF-8, else a code page (the caller's choice, a Shift-JIS guess, or the
// ANSI default); see load_project.h for the rule.
#pragma once

#include <string>
#include <string_view>

namespace qm::editor {

struct DecodedSource {
  std::string text;  // UTF-8, without a BOM
  int codePage = 0;  // the code page the bytes were read in (65001 for UTF-8)
};

// Decodes an exported file's bytes; requestedCodePage 0 means automatic.
// Raises LoadError naming origin when the code page is not supported.
DecodedSource DecodeExportedBytes(std::string_view bytes, int requestedCodePage, std::string_view origin);

// The same text without copying UTF-8 bytes: a view of the bytes themselves
// (BOM removed) when they are UTF-8, else of decoded.text, which receives the
// decoded text; decoded.codePage is set either way. Same rules and errors as
// DecodeExportedBytes.
std::string_view ExportedSourceText(std::string_view bytes, int requestedCodePage, std::string_view origin,
                                    DecodedSource& decoded);

// True when the bytes are clean Shift-JIS (CP932) holding at least one
// double-byte character.
bool LooksLikeShiftJis(std::string_view bytes);

// The code page used for non-UTF-8 files when nothing else decides.
int DefaultExportCodePage();

}  // namespace qm::editor
