// The text-metrics slot, its deterministic default and line wrapping. Widths
// are summed per code point from the installed metrics, so a host with real
// font metrics wraps the same way it measures.
#include "platform/text_metrics.h"

#include <algorithm>

namespace qm::platform {

namespace {

FixedTextMetrics g_default;
TextMetrics* g_current = nullptr;

// Length in bytes of the UTF-8 sequence that starts with lead (1 for a stray byte).
size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

// Decodes the code point at text[pos] (a stray byte decodes as itself).
char32_t CodePointAt(std::string_view text, size_t pos, size_t length) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (length == 1 || pos + length > text.size()) return lead;
  char32_t cp = lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) cp = (cp << 6) | (static_cast<unsigned char>(text[pos + i]) & 0x3F);
  return cp;
}

bool IsHalfWidth(char32_t cp) { return cp < 0x80 || (cp >= 0xFF61 && cp <= 0xFF9F); }

// Appends the lines of one paragraph (no line breaks inside) to lines.
void WrapParagraph(std::string_view text, double width, const FontSpec& font,
                   std::vector<std::string>& lines) {
  TextMetrics& metrics = CurrentTextMetrics();
  std::string line;
  size_t lastBlank = std::string::npos;  // byte offset in line just after its last blank
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t length = std::min(SequenceLength(static_cast<unsigned char>(text[pos])), text.size() - pos);
    const std::string_view piece = text.substr(pos, length);
    std::string candidate = line + std::string(piece);
    if (!line.empty() && metrics.TextWidth(candidate, font) > width) {
      if (lastBlank != std::string::npos && lastBlank < line.size()) {
        lines.push_back(line.substr(0, lastBlank));
        line = line.substr(lastBlank);
      } else {
        lines.push_back(line);
        line.clear();
      }
      lastBlank = std::string::npos;
      continue;  // measure the piece again on the new line
    }
    line = std::move(candidate);
    if (piece == " ") lastBlank = line.size();
    pos += length;
  }
  lines.push_back(line);
}

}  // namespace

double FixedTextMetrics::TextWidth(std::string_view text, const FontSpec& font) {
  double ems = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t length = SequenceLength(static_cast<unsigned char>(text[pos]));
    ems += IsHalfWidth(CodePointAt(text, pos, length)) ? 0.5 : 1.0;
    pos += length;
  }
  return ems * font.size;
}

double FixedTextMetrics::LineHeight(const FontSpec& font) { return font.size * 1.25; }

double FixedTextMetrics::VerticalScrollBarWidth() { return 12.75; }

TextMetrics& CurrentTextMetrics() { return g_current ? *g_current : g_default; }

void SetTextMetrics(TextMetrics* metrics) { g_current = metrics; }

std::vector<std::string> WrapText(std::string_view text, double width, const FontSpec& font) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (true) {
    const size_t br = text.find('\n', start);
    std::string_view paragraph = text.substr(start, br == std::string_view::npos ? std::string_view::npos : br - start);
    if (!paragraph.empty() && paragraph.back() == '\r') paragraph.remove_suffix(1);
    WrapParagraph(paragraph, width, font, lines);
    if (br == std::string_view::npos) break;
    start = br + 1;
  }
  return lines;
}

}  // namespace qm::platform
