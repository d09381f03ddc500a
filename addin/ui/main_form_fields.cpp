// The options dialog's fields: the font size box (its keystroke filter,
// selecting a size, reading it back), the style placement list, the file row
// (its caption and the path label in its fixed frame, with a vertical scroll
// bar for a long path) and the two name rows, whose spin buttons scroll a
// name that is too wide sideways one character per click.
#include <limits>

#include "addin/common/vba_error.h"
#include "addin/ui/main_form.h"
#include "platform/codepage.h"

namespace qm {

namespace {

constexpr long kErrOverflow = 6;
constexpr float kSpinGap = 1.5f;  // between a name label and its spin button

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Byte offset at which the last UTF-8 character of a non-empty text begins.
size_t LastCharacterStart(const std::string& text) {
  size_t start = text.size() - 1;
  while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) --start;
  return start;
}

// Text without its first UTF-8 character.
std::string WithoutFirstCharacter(const std::string& text) {
  size_t next = text.empty() ? 0 : 1;
  while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80) ++next;
  return text.substr(next);
}

// The last `count` UTF-8 characters of text (all of it when shorter).
std::string LastCharacters(const std::string& text, size_t count) {
  size_t start = text.size();
  for (size_t taken = 0; taken < count && start > 0; ++taken) {
    --start;
    while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) --start;
  }
  return text.substr(start);
}

// The number the text begins with, after blanks and an optional sign; 0
// when it begins with none. Saturates far outside 32 bits.
long long LeadingNumber(const std::string& text) {
  size_t pos = text.find_first_not_of(' ');
  if (pos == std::string::npos) return 0;
  const bool negative = text[pos] == '-';
  if (text[pos] == '-' || text[pos] == '+') ++pos;
  long long number = 0;
  for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
    if (number < (1LL << 40)) number = number * 10 + (text[pos] - '0');
  }
  return negative ? -number : number;
}

// True for blanks, an optional sign, at least one digit and blanks.
bool IsWholeNumber(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return false;
  const size_t last = text.find_last_not_of(' ');
  const size_t digits = first + ((text[first] == '-' || text[first] == '+') ? 1 : 0);
  if (digits > last) return false;
  for (size_t i = digits; i <= last; ++i) {
    if (!IsDigit(text[i])) return false;
  }
  return true;
}

bool FitsInt32(long long number) {
  return number >= std::numeric_limits<int32_t>::min() && number <= std::numeric_limits<int32_t>::max();
}

}  // namespace

const std::string& frmMain::PathLabel() const { return (*this)["lblFileName"].Caption(); }

const std::string& frmMain::FileFolder() const { return hasChosenFolder_ ? chosenFolder_ : defaultFolder_; }

void frmMain::cboFontSize_Change() {
  platform::Control& box = (*this)["cboFontSize"];
  const std::string text = box.Text();
  if (text.empty()) return;
  if (!IsDigit(text.back())) {
    box.Text(text.substr(0, LastCharacterStart(text)));  // each typed non-digit goes at once
  } else if (LeadingNumber(text) == 0) {
    box.Text("");
  }
}

void frmMain::SelectFontSize(int32_t size) {
  platform::Control& box = (*this)["cboFontSize"];
  box.Text(std::to_string(size));  // selects the equal list entry, if any
  if (size == 0) {
    box.Text("");
    box.ListIndex(-1);
  }
}

int32_t frmMain::FontSizeValue() const {
  const std::string& text = (*this)["cboFontSize"].Text();
  if (text.empty()) return 0;
  if (!IsWholeNumber(text)) throw VbaError(kErrTypeMismatch, "型が一致しません。");
  const long long size = LeadingNumber(text);
  if (!FitsInt32(size)) throw VbaError(kErrOverflow, "オーバーフローしました。");
  return static_cast<int32_t>(size);
}

int32_t frmMain::TypedFontSize() const {
  const std::string& text = (*this)["cboFontSize"].Text();
  if (!IsWholeNumber(text) || !FitsInt32(LeadingNumber(text))) return 0;
  return static_cast<int32_t>(LeadingNumber(text));
}

void frmMain::SelectCssOption(int32_t position) {
  platform::Control& placement = (*this)["cboCSSOption"];
  placement.Text(position == -1 ? std::string() : placement.List(position));
  placement.ListIndex(position);
}

void frmMain::SetFileCaption(bool html, bool active) {
  platform::Control& caption = (*this)["lblCaptionFile"];
  std::string path;
  if (html) {
    caption.Caption(kHtmlFileCaption);
    caption.Enabled(active);
    if (active) path = InFolder(FileFolder(), defaultFileNames_[static_cast<size_t>(targetMode_)]);
  } else {
    caption.Enabled(true);
    caption.Caption(kCssFileCaption);
    path = InFolder(FileFolder(), kStyleSheetFileName);
  }
  SetFileLabel(path);
}

void frmMain::SetFileLabel(const std::string& path) {
  platform::Control& frame = (*this)["fraFileName"];
  platform::Control& label = (*this)["lblFileName"];
  label.Width(frame.InsideWidth());
  label.Caption(path);  // word-wrapped and sized: its height fits the text
  if (label.Height() > frame.InsideHeight()) {
    const auto scrollBar = static_cast<float>(platform::CurrentTextMetrics().VerticalScrollBarWidth());
    label.Width(frame.InsideWidth() - scrollBar);
    frame.ScrollBarsShown(platform::ScrollBars::Vertical);
    frame.ScrollHeight(label.Height());
  } else {
    frame.ScrollBarsShown(platform::ScrollBars::None);
    frame.ScrollHeight(0);
  }
  frame.ScrollTop(0);
}

void frmMain::FitNameLabel(platform::Control& spin, platform::Control& label, platform::Control& measure,
                           const std::string& text) {
  label.Caption(text);
  measure.Caption(text);  // sizes itself to the text
  const float reference = (*this)["lblModuleName"].Width();
  if (measure.Width() > reference) {
    spin.Visible(true);
    label.Width(reference - spin.Width() - kSpinGap);
  } else {
    spin.Visible(false);
    label.Width(reference);
  }
}

void frmMain::ScrollNameForward(platform::Control& label, platform::Control& measure) {
  if (measure.Width() <= label.Width()) return;
  measure.Caption(WithoutFirstCharacter(measure.Caption()));
  label.Caption(measure.Caption());
}

void frmMain::ScrollNameBack(platform::Control& label, platform::Control& measure, const std::string& full) {
  const size_t shown = platform::CountCodePoints(measure.Caption());
  if (shown >= platform::CountCodePoints(full)) return;
  measure.Caption(LastCharacters(full, shown + 1));
  label.Caption(measure.Caption());
}

}  // namespace qm
