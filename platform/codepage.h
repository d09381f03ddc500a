// Code pages at the edges. Text inside the program is UTF-8; sources are
// decoded from, and pages, the clipboard and the registry's ANSI view encoded
// to, a Windows code page number (65001 UTF-8, 932 Shift-JIS, 1252 Western…).
//
// The system's ANSI code page follows the locale on Linux (LC_ALL / LC_CTYPE /
// LANG codeset: UTF-8 → 65001, SJIS/CP932 → 932, ISO-8859-1/CP1252 → 1252, …);
// SetAnsiCodePage overrides it for the process (a host's --codepage option,
// tests).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qm::platform {

inline constexpr int kCodePageUtf8 = 65001;

// The system's ANSI code page: the override when one is set, else the locale's.
int AnsiCodePage();
// Sets the override; 0 goes back to the locale.
void SetAnsiCodePage(int codePage);
// The code page of a locale codeset name ("UTF-8", "SJIS", "ISO-8859-1", …);
// 1252 for anything unknown, as a Western system would have.
int CodePageOfCodeset(std::string_view codeset);

// True when iconv can convert the code page.
bool CodePageSupported(int codePage);

// UTF-8 → the code page. Characters the code page cannot hold become "?" (as
// the system's conversion does); nullopt only for an unsupported code page.
std::optional<std::string> EncodeText(std::string_view utf8, int codePage);
// The code page → UTF-8. Bytes that do not decode become U+FFFD; nullopt only
// for an unsupported code page.
std::optional<std::string> DecodeText(std::string_view bytes, int codePage);

// The length EncodeText's result would have (the text's own length when the
// code page is unsupported), counted without building it where the code page
// allows.
size_t EncodedLength(std::string_view utf8, int codePage);

// True when the bytes are well-formed UTF-8.
bool IsValidUtf8(std::string_view bytes);

// Number of code points of UTF-8 text (positions and columns count these).
size_t CountCodePoints(std::string_view utf8);

}  // namespace qm::platform
