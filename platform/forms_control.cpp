// Controls of the forms model: properties, the events that setting a value
// fires, option groups, combo lists, spin ranges, frame scrolling and the
// auto-size fitting of labels.
#include <algorithm>
#include <cctype>

#include "platform/forms.h"

namespace qm::platform {

namespace {

// Border of a frame on each side: none when flat, else 1.5 points (2 pixels).
float FrameBorder(SpecialEffect effect) { return effect == SpecialEffect::Flat ? 0.0f : 1.5f; }

}  // namespace

Control::Control(UserForm& form, Control* container, std::string name, ControlKind kind)
    : form_(form), container_(container), name_(std::move(name)), kind_(kind) {
  if (kind == ControlKind::Label) backColor_ = kSysButtonFace, foreColor_ = kSysWindowText;
}

void Control::Caption(std::string caption) {
  caption_ = std::move(caption);
  Fit();
}

char Control::Accelerator() const {
  const size_t open = caption_.rfind('(');
  if (open == std::string::npos || open + 2 >= caption_.size() || caption_[open + 2] != ')') return 0;
  const char key = caption_[open + 1];
  return std::isalnum(static_cast<unsigned char>(key)) ? key : 0;
}

void Control::Value(bool value) {
  if (value == value_) return;
  value_ = value;
  if (kind_ == ControlKind::OptionButton && value) {
    for (Control* other : form_.GroupOf(*this)) other->Value(false);
  }
  Fire("Change");
  if (kind_ == ControlKind::CheckBox || (kind_ == ControlKind::OptionButton && value)) Fire("Click");
}

void Control::SetText(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  Fire("Change");
}

void Control::Text(std::string text) {
  const auto entry = std::find(list_.begin(), list_.end(), text);
  const int index = entry == list_.end() ? -1 : static_cast<int>(entry - list_.begin());
  if (style_ == ComboStyle::DropDownList && index < 0 && !text.empty()) {
    throw FormError("Could not set the Text property. Invalid property value.");
  }
  listIndex_ = index;
  SetText(std::move(text));
}

void Control::AddItem(std::string item) { list_.push_back(std::move(item)); }

void Control::Clear() {
  list_.clear();
  listIndex_ = -1;
  SetText("");
}

const std::string& Control::List(int index) const {
  if (index < 0 || index >= ListCount()) throw FormError("Could not get the List property. Invalid argument.");
  return list_[static_cast<size_t>(index)];
}

void Control::ListIndex(int index) {
  if (index < -1 || index >= ListCount()) throw FormError("Could not set the ListIndex property. Invalid property value.");
  const bool moved = index != listIndex_;
  listIndex_ = index;
  SetText(index < 0 ? std::string() : list_[static_cast<size_t>(index)]);
  if (moved && index >= 0) Fire("Click");
}

void Control::SpinValue(long value) {
  value = std::clamp(value, std::min(min_, max_), std::max(min_, max_));
  if (value == spinValue_) return;
  spinValue_ = value;
  Fire("Change");
}

bool Control::Usable() const {
  for (const Control* c = this; c; c = c->container_) {
    if (!c->enabled_ || !c->visible_) return false;
  }
  return true;
}

void Control::Width(float width) {
  width_ = width;
  if (wordWrap_) Fit();
}

void Control::Move(float left, float top, float width, float height) {
  left_ = left, top_ = top, height_ = height;
  Width(width);
}

void Control::Font(FontSpec font) {
  font_ = std::move(font);
  Fit();
}

void Control::FontSize(double size) {
  font_.size = size;
  Fit();
}

void Control::FontBold(bool bold) {
  font_.bold = bold;
  Fit();
}

void Control::WordWrap(bool wrap) {
  wordWrap_ = wrap;
  Fit();
}

void Control::AutoSize(bool autoSize) {
  autoSize_ = autoSize;
  Fit();
}

void Control::Fit() {
  if (!autoSize_ || kind_ != ControlKind::Label) return;
  TextMetrics& metrics = CurrentTextMetrics();
  if (wordWrap_) {
    const size_t lines = WrapText(caption_, width_, font_).size();
    height_ = static_cast<float>(static_cast<double>(lines) * metrics.LineHeight(font_));
  } else {
    width_ = static_cast<float>(metrics.TextWidth(caption_, font_));
    height_ = static_cast<float>(metrics.LineHeight(font_));
  }
}

float Control::InsideWidth() const { return std::max(0.0f, width_ - 2 * FrameBorder(effect_)); }

float Control::InsideHeight() const {
  float inside = height_ - 2 * FrameBorder(effect_);
  if (!caption_.empty()) inside -= static_cast<float>(CurrentTextMetrics().LineHeight(font_));
  return std::max(0.0f, inside);
}

void Control::ScrollHeight(float height) {
  scrollHeight_ = std::max(0.0f, height);
  ScrollTop(scrollTop_);
}

void Control::ScrollTop(float top) {
  const float limit = std::max(0.0f, scrollHeight_ - InsideHeight());
  const float clamped = std::clamp(top, 0.0f, limit);
  if (clamped == scrollTop_) return;
  scrollTop_ = clamped;
  Fire("Scroll");
}

void Control::SetFocus() {
  if (!Usable()) throw FormError("Can't move focus to " + name_ + ": it is hidden or disabled.");
  form_.activeControl_ = this;
}

void Control::Fire(std::string_view event) {
  std::string eventName = name_;
  eventName += '_';
  eventName += event;
  form_.Fire(eventName);
}

}  // namespace qm::platform
