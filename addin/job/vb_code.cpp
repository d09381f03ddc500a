// The conversion job's list operations, output path parts and colour groups.
// The logical lines of a module are stored as one text with the end of each
// line in it, so that storing a line is one append rather than one allocation.
#include "addin/job/vb_code.h"

#include "addin/common/path_parts.h"

namespace qm {

namespace {

template <typename List>
void CheckPosition(const List& list, int position) {
  if (position < 1 || position > static_cast<int>(list.size())) RaiseSubscriptOutOfRange();
}

}  // namespace

void clsVBCode::AddComponent(VBComponentPtr component) { components_.push_back(std::move(component)); }

VBComponentPtr clsVBCode::ComponentAt(int position) const {
  CheckPosition(components_, position);
  return components_[position - 1];
}

int clsVBCode::SelectedComponentIndex() const {
  const std::string selected = selectedComponent_ ? selectedComponent_->Name() : std::string();
  for (size_t i = 0; i < components_.size(); ++i) {
    try {
      if (components_[i]->Name() == selected) return static_cast<int>(i);
    } catch (const VbaError&) {
      return static_cast<int>(i);  // a name that cannot be read ends the walk there
    }
  }
  return 0;
}

void clsVBCode::AddLogicalLine(std::string_view text, int32_t span) {
  logicalText_.append(text);
  logicalLines_.push_back({logicalText_.size(), span});
}

std::string_view clsVBCode::LogicalLineText(int position) const {
  CheckPosition(logicalLines_, position);
  const size_t start = position == 1 ? 0 : logicalLines_[position - 2].end;
  return std::string_view(logicalText_).substr(start, logicalLines_[position - 1].end - start);
}

int32_t clsVBCode::LogicalLineSpan(int position) const {
  CheckPosition(logicalLines_, position);
  return logicalLines_[position - 1].span;
}

void clsVBCode::ClearLogicalLines() {
  std::string().swap(logicalText_);
  std::vector<LogicalLine>().swap(logicalLines_);
}

void clsVBCode::SetDefaultFileName(int index, std::string name) {
  if (index < 0 || index > 3) RaiseSubscriptOutOfRange();
  defaultFileNames_[index] = std::move(name);
}

const std::string& clsVBCode::DefaultFileName(int index) const {
  if (index < 0 || index > 3) RaiseSubscriptOutOfRange();
  return defaultFileNames_[index];
}

std::string clsVBCode::OutputFileName() const { return PathPart(fileName_, false); }

std::string clsVBCode::OutputFolder() const { return PathPart(fileName_, true); }

void clsVBCode::SetForeColors(std::string normal, std::string keyword, std::string comment,
                              std::string identifier) {
  normalFore_ = std::move(normal);
  keywordFore_ = std::move(keyword);
  commentFore_ = std::move(comment);
  identifierFore_ = std::move(identifier);
}

void clsVBCode::SetBackColors(std::string normal, std::string keyword, std::string comment,
                              std::string identifier) {
  normalBack_ = std::move(normal);
  keywordBack_ = std::move(keyword);
  commentBack_ = std::move(comment);
  identifierBack_ = std::move(identifier);
}

}  // namespace qm
