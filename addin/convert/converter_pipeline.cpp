// The module pipeline: BeginModule reads a module (or a range of its lines)
// through the editor, joins continued lines into logical lines that it stores
// in the job, finds the lines where procedures start, and writes the page
// head; WriteLine then writes one logical line at a time, with a separator
// above each procedure start. The text is read in one pass: line breaks are
// normalised, U+001A deleted, " _" breaks joined into one continuation mark,
// and each logical line expanded and stored as soon as it is complete.
#include <algorithm>
#include <array>
#include <exception>
#include <string>
#include <string_view>

#include "addin/common/vba_error.h"
#include "addin/convert/byte_set.h"
#include "addin/convert/converter.h"
#include "addin/job/vb_code.h"

namespace qm {

namespace {

constexpr std::string_view kThen = "Then";
constexpr int kHeadingRule = 5;
constexpr int kProcedureRule = 1;

// True when the UTF-8 byte starts a character (is not a continuation byte).
bool StartsCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

// The text without its last `count` characters (empty when it has fewer).
std::string DropLastCharacters(const std::string& text, int count) {
  size_t end = text.size();
  while (count > 0 && end > 0) {
    --end;
    if (StartsCharacter(text[end])) --count;
  }
  return text.substr(0, end);
}

// The characters that end a run of ordinary text when the module is read:
// the line breaks and U+001A.
constexpr std::array<char, 3> kTextStops = {'\n', '\r', kContinuationMark};

// Number of characters (code points) of UTF-8 text.
int CountCharacters(std::string_view text) {
  int count = 0;
  for (char c : text) count += StartsCharacter(c) ? 1 : 0;
  return count;
}

// Appends `text` with each tab expanded to spaces up to the next tab stop.
// Columns count characters from the start of each physical line, that is
// from the last continuation mark before the tab.
void AppendTabsExpanded(std::string& out, std::string_view text, int width) {
  int column = 1;  // 1-based column of the next character on its physical line
  size_t i = 0;
  for (size_t tab; (tab = text.find('\t', i)) != std::string_view::npos; i = tab + 1) {
    if (width <= 0) throw VbaError(kErrInvalidProcedureCall, "プロシージャの呼び出し、または引数が不正です。");
    const std::string_view run = text.substr(i, tab - i);
    const size_t mark = run.rfind(kContinuationMark);
    column = mark == std::string_view::npos ? column + CountCharacters(run) : 1 + CountCharacters(run.substr(mark + 1));
    out.append(run);
    const int n = width - (column - 1) % width;
    out.append(static_cast<size_t>(n), ' ');
    column += n;
  }
  out.append(text.substr(i));
}

// Replaces every "Then" of `text` by kThenMark, in place: the text after
// each one moves forward over the three bytes saved.
void MarkThens(std::string& text) {
  size_t to = text.find(kThen);
  for (size_t from = to; from != std::string::npos;) {
    text[to++] = kThenMark;
    from += kThen.size();
    const size_t next = std::min(text.find(kThen, from), text.size());
    std::copy(text.begin() + static_cast<ptrdiff_t>(from), text.begin() + static_cast<ptrdiff_t>(next),
              text.begin() + static_cast<ptrdiff_t>(to));
    to += next - from;
    from = next == text.size() ? std::string::npos : next;
  }
  if (to != std::string::npos) text.resize(to);
}

// Puts into `out` the text of ExpandTabs: tabs expanded, then every "Then"
// marked. Tabs first: the replacement never meets a tab, and "Then" still
// takes its four columns while tabs are expanded.
void ExpandTabsInto(std::string_view text, int width, std::string& out) {
  out.clear();
  if (text.find('\t') == std::string_view::npos) out.append(text); else AppendTabsExpanded(out, text, width);
  MarkThens(out);
}

// Stores one physical-line-joined piece, `span` physical lines long, as a
// logical line of the job, without its trailing spaces; `scratch` holds the
// expanded text on the way.
void StoreLogicalLine(clsVBCode& job, std::string_view piece, int32_t span, int width, std::string& scratch) {
  ExpandTabsInto(piece, width, scratch);
  const std::string_view line(scratch);
  job.AddLogicalLine(line.substr(0, line.find_last_not_of(' ') + 1), span);
}

// Cuts the module text into logical lines and stores them in the job.
// CR LF, CR and LF all end a physical line; U+001A is dropped; a physical
// line ending in " _" is joined with the next one by one continuation mark.
// The last piece is stored even when empty. A logical line is read as a view
// of the text, and copied only when a character is dropped or lines joined.
void StoreLogicalLines(clsVBCode& job, std::string_view text, int width) {
  job.ReserveLogicalText(text.size());  // enough unless tabs widen the text
  CharFinder<3> stops(text, kTextStops);
  std::string expanded;  // StoreLogicalLine's scratch
  std::string joined;    // the logical line so far, once it is no longer a stretch of `text`
  bool copied = false;   // whether `joined` holds it
  size_t start = 0;      // where it begins in `text` while it is a stretch
  int32_t span = 1;      // physical lines in it: one more than its continuation marks
  for (size_t i = 0;;) {
    const size_t stop = std::min(stops.Next(i), text.size());
    if (copied) joined.append(text.substr(i, stop - i));
    const std::string_view piece = copied ? std::string_view(joined) : text.substr(start, stop - start);
    if (stop == text.size()) {
      StoreLogicalLine(job, piece, span, width, expanded);
      return;
    }
    i = stop + 1;
    if (text[stop] == '\r' && i < text.size() && text[i] == '\n') ++i;
    const bool continued = text[stop] != kContinuationMark && piece.ends_with(" _");
    if (text[stop] == kContinuationMark || continued) {
      if (!copied) joined.assign(piece);
      copied = true;
      if (continued) joined.replace(joined.size() - 2, 2, 1, kContinuationMark);
      span += continued ? 1 : 0;
      continue;
    }
    StoreLogicalLine(job, piece, span, width, expanded);
    joined.clear();
    copied = false;
    start = i;
    span = 1;
  }
}

// Calls `call` and reports whether it succeeded; a raised error is swallowed.
template <typename Call>
bool Try(Call&& call) {
  try {
    call();
    return true;
  } catch (const VbaError&) {
    return false;
  }
}

// The line numbers at which the module's procedures start, the comment and
// blank lines above each included. Failing editor calls are skipped: a line
// whose procedure cannot be read counts as part of the line before.
//
// Every procedure has lines of its own, and the editor tells the kind of
// each line along with its name (a property's Get, Let and Set share the
// name, each with its own kind). So each new name and kind is asked for its
// start line in that kind only: asking for kinds a name lacks would only
// make the editor raise errors.
std::unordered_set<int32_t> FindProcStarts(const CodeModule& module) {
  std::unordered_set<int32_t> starts;
  int declarations = 0;
  int last = 0;
  const bool haveDeclarations = Try([&] { declarations = module.CountOfDeclarationLines(); });
  Try([&] { last = module.CountOfLines(); });
  std::string previous, name;
  int previousKind = kProcProc;
  int kind = kProcProc;
  for (int line = declarations + 1; line <= last; ++line) {
    Try([&] {
      int lineKind = kProcProc;
      name = module.ProcOfLine(line, lineKind);
      kind = lineKind;
    });
    if (name == previous && kind == previousKind) continue;
    previous = name;
    previousKind = kind;
    Try([&] { starts.insert(module.ProcStartLine(name, kind)); });
  }
  // A module that opens with a procedure gets no separator above line 1.
  if (haveDeclarations && declarations == 0) starts.erase(1);
  return starts;
}

// The "<span style=...>" opener of inline style for one text category.
std::string InlineOpener(bool backDiffers, const std::string& back, const std::string& fore) {
  std::string open = "<span style=\"";
  if (backDiffers) open += "background-color: " + back + "; ";
  return open + "color: " + fore + "\">";
}

std::string FontOpener(const std::string& fore) { return "<font color=\"" + fore + "\">"; }

}  // namespace

std::string clsConverter::ExpandTabs(std::string_view text, int width) {
  std::string out;
  ExpandTabsInto(text, width, out);
  return out;
}

void clsConverter::PrepareOpeners() {
  const clsVBCode& job = Job();
  keywordOpen_.clear();
  commentOpen_.clear();
  identifierOpen_.clear();
  if (job.UseStyleSheet() && job.CssOption() == 1) {
    keywordOpen_ = InlineOpener(job.KeywordBackDiffers(), job.KeywordBackColor(), job.KeywordForeColor());
    commentOpen_ = InlineOpener(job.CommentBackDiffers(), job.CommentBackColor(), job.CommentForeColor());
    identifierOpen_ =
        InlineOpener(job.IdentifierBackDiffers(), job.IdentifierBackColor(), job.IdentifierForeColor());
  } else if (!job.UseStyleSheet()) {
    keywordOpen_ = FontOpener(job.KeywordForeColor());
    commentOpen_ = FontOpener(job.CommentForeColor());
    identifierOpen_ = FontOpener(job.IdentifierForeColor());
  }
  outputForms_ = OutputForms();  // views of the openers just made: constant for the module
}

bool clsConverter::BeginModule(File& file, bool multiple, int index) {
  try {
    clsVBCode& job = Job();
    procStarts_.clear();
    const VBComponentPtr component = multiple ? job.ComponentAt(index) : job.SelectedComponent();
    if (!component) return false;
    const CodeModulePtr module = component->CodeModule();
    if (!module) return false;
    if (job.EndProcLine()) procStarts_ = FindProcStarts(*module);

    std::string title;
    std::string text;
    if (multiple) {
      text = module->Lines(1, module->CountOfLines());
      title = job.ProjectBaseName() + "_" + component->Name();
    } else {
      text = module->Lines(job.StartLine(), job.LineCount());
      const std::string& defaultName = job.DefaultFileName(job.TargetMode());
      title = DropLastCharacters(defaultName, 4);
      if (job.OutputFileName() != defaultName && job.Operation() == 0) {
        title += " [" + job.OutputFileName() + "]";
      }
    }
    StoreLogicalLines(job, text, job.TabWidth());
    std::string().swap(text);

    if (!WriteHeader(file, title, CodePage)) return false;
    if (job.ShowModuleName()) {
      const std::string br = job.UsePreTag() ? "" : "<br>";
      if (!file.WriteLine("<big><b>" + EscapeMarkup(component->Name()) + "</b></big>" + br) ||
          !file.WriteLine(RuleTag(kHeadingRule))) {
        return false;
      }
    }
    PrepareOpeners();
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool clsConverter::WriteLine(File& file, int32_t& counter, int index) {
  try {
    const clsVBCode& job = Job();
    if (procStarts_.count(counter) != 0 && !file.WriteLine(RuleTag(kProcedureRule))) return false;
    counter += job.LogicalLineSpan(index);
    const std::string_view text = job.LogicalLineText(index);
    const bool empty = text.find_first_not_of(' ') == std::string_view::npos;
    OpenLine(written_);
    if (empty) {
      written_.append(EmptyLineForm());
    } else {
      written_.append(outputForms_.divStart);
      MarkLine(index, written_, outputForms_);
      written_.append(outputForms_.divEnd);
    }
    return file.WriteLine(written_);
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace qm
