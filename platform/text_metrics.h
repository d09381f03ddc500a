// Text measurement for the forms: how wide a text is in a font, how high one
// line is, and how wide a standard vertical scroll bar is. A desktop host
// answers with the real font's metrics; the command-line host and the tests
// use the deterministic default below.
//
// The default: a half-width character (U+0000-U+007F, U+FF61-U+FF9F) is half
// an em wide, every other character one em (em = the font size in points);
// bold changes nothing; a line is 1.25 em high; the vertical scroll bar is
// 12.75 points wide (17 pixels at 96 dots per inch).
//
// Services follow the pattern of platform/message_box.h: CurrentTextMetrics()
// answers with the installed one, SetTextMetrics(nullptr) goes back to the
// default, ScopedTextMetrics installs one for a scope.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm::platform {

// The font of the add-in's forms.
inline constexpr const char* kFormFontName = "ＭＳ Ｐゴシック";
inline constexpr double kFormFontSize = 9.0;

struct FontSpec {
  std::string name = kFormFontName;
  double size = kFormFontSize;  // points
  bool bold = false;
};

class TextMetrics {
 public:
  virtual ~TextMetrics() = default;
  // Width in points of one line of UTF-8 text.
  virtual double TextWidth(std::string_view text, const FontSpec& font) = 0;
  // Height in points of one line.
  virtual double LineHeight(const FontSpec& font) = 0;
  // Width in points of a standard vertical scroll bar.
  virtual double VerticalScrollBarWidth() = 0;
};

// The deterministic metrics described above.
class FixedTextMetrics : public TextMetrics {
 public:
  double TextWidth(std::string_view text, const FontSpec& font) override;
  double LineHeight(const FontSpec& font) override;
  double VerticalScrollBarWidth() override;
};

TextMetrics& CurrentTextMetrics();
void SetTextMetrics(TextMetrics* metrics);

class ScopedTextMetrics {
 public:
  explicit ScopedTextMetrics(TextMetrics& metrics) { SetTextMetrics(&metrics); }
  ~ScopedTextMetrics() { SetTextMetrics(nullptr); }
  ScopedTextMetrics(const ScopedTextMetrics&) = delete;
  ScopedTextMetrics& operator=(const ScopedTextMetrics&) = delete;
};

// Splits text into the lines it shows in a box of the given width: at line
// breaks (LF, CR LF), then greedily, breaking after the last blank that fits
// or, without one, before the character that does not fit (at least one
// character per line). Empty text gives one empty line.
std::vector<std::string> WrapText(std::string_view text, double width, const FontSpec& font);

}  // namespace qm::platform
