// clsConverter: writes HTML. One converter turns the source of one module, or
// of one range of its lines, into one complete page; the same class writes the
// style sheet and, for a whole project, the frameset index and menu pages.
// Every option comes from the job CurrentJob (addin/job/vb_code.h).
//
// Calling protocol (the runner's):
//   [WriteStyleRules(cssFile)]                       when the job's WriteCssFile
//   [WriteIndexPage(index); WriteMenuPage(menu)]     whole project
//   BeginModule(page, multiple, i)                   reads the module into the
//                                                    job's logical lines
//   counter = 1 (project) or the job's StartLine
//   for j in 1..CountOfLogicalLines: WriteLine(page, counter, j)   (stop at false)
//   WriteFooter(page)
// then the converter is discarded and the job's logical lines cleared. A
// converter makes at most one module page. No operation shows a message or
// throws: each returns false on failure and the runner reports it.
//
// The class spans several files, one concern each: converter_pipeline.cpp
// (BeginModule, WriteLine, ExpandTabs), converter_classify.cpp (word
// classification), converter_marking.cpp (line marking), converter_render.cpp
// (escaping, statement rendering, line wrapping), converter_page.cpp (page
// head, style rules, foot, rules), converter_frameset.cpp (index and menu).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "addin/convert/vb_word.h"
#include "platform/text_writer.h"

namespace qm {

class clsVBCode;
struct EscapeTable;  // addin/convert/escape_table.h

// The three characters with an internal meaning inside a logical line; none
// is ever written out.
inline constexpr char kContinuationMark = '\x1A';  // one " _" line continuation and its break
inline constexpr char kThenMark = '\t';            // the keyword "Then" in a stored line
inline constexpr char kHardSpace = '\x0B';         // a space that must not collapse

// The kind of page a page head opens.
enum PageKind : int { CodePage = 0, FramesetPage = 1, MenuPage = 2 };

class clsConverter {
 public:
  clsConverter();
  ~clsConverter();
  clsConverter(const clsConverter&) = delete;
  clsConverter& operator=(const clsConverter&) = delete;

  using File = platform::TextWriter;

  // --- Public operations (each true on success)
  bool BeginModule(File& file, bool multiple, int index);
  bool WriteLine(File& file, int32_t& counter, int index);
  bool WriteFooter(File& file);
  bool WriteStyleRules(File& file);
  bool WriteIndexPage(File& file);
  bool WriteMenuPage(File& file);

  // --- Steps, public so that each can be tested on its own.

  // Module pipeline.
  // Tabs expanded to stops every `width` columns, then every "Then" replaced
  // by kThenMark. A tab while width is 0 throws VbaError.
  static std::string ExpandTabs(std::string_view text, int width);
  // Step 9 of BeginModule: KeywordOpen, CommentOpen and IdentifierOpen for
  // the job's output mode (empty in head and file style), and the output
  // forms that WriteLine renders in until the next call.
  void PrepareOpeners();

  // Word classification (adds entries to Statement()).
  void ClassifyWord(std::string_view word);
  void MarkName(std::string_view word);
  static bool IsNumberWord(std::string_view text);
  // The keyword tables, for checks of their contents: the main keyword list
  // (kThenMark first) and the words that have a rule of their own.
  static std::vector<std::string_view> MainKeywordList();
  static std::vector<std::string_view> RuleWordList();

  // How rendering writes a line: which kinds get a span (from the job's
  // colours), and the forms of its markup: the internal forms of a marked
  // line (MarkedForms: hard-space marks, class spans, <div> around each
  // physical line) or the final forms of the job's output mode (OutputForms),
  // so that WriteLine renders each line once, in its final form. The views
  // point at constants and at the prepared openers (see PrepareOpeners).
  struct Markup {
    bool keywordSpans = false, commentSpans = false, identifierSpans = false;  // colours differ
    bool keywordBack = false, identifierBack = false;  // backgrounds differ
    std::string_view hardSpace;
    const EscapeTable* escapes = nullptr;  // what each byte is written as; spaces as hardSpace
    std::string_view keywordOpen, commentOpen, identifierOpen, spanEnd;
    std::string_view divStart, divEnd;  // around each physical line
    bool spaceBeforeLineSpan = false;   // a physical line that begins with a span gets one space
  };
  Markup MarkedForms() const;
  Markup OutputForms() const;

  // Line marking.
  // The HTML text of logical line `index` of the job, before wrapping; the
  // second form appends it to `html` in the given forms.
  std::string MarkLine(int index);
  void MarkLine(int index, std::string& html, const Markup& forms);
  void MarkCode(std::string_view text);
  void AddGap(std::string_view text);
  static std::string NormalizeSpaces(std::string_view text);

  // Rendering.
  static std::string EscapeHtml(std::string_view text);
  // The HTML text of Statement(), Then marks written back as "Then"; the
  // second form appends it to `html` in the given forms.
  std::string RenderStatement();
  void RenderStatement(std::string& html, const Markup& forms);
  // The text written for a logical line: wrapping for the output mode and the
  // final step (hard spaces; PendingPrefix in <pre> mode). `marked` is
  // MarkLine's result, or empty with `emptyLine` set. The second form puts
  // the text into `line`, replacing what it held.
  std::string WrapLine(const std::string& marked, bool emptyLine);
  void WrapLine(std::string_view marked, bool emptyLine, std::string& line);
  // Hands each statement's word list to `observer` just before it is
  // rendered (tests read the words instead of the markup); empty by default.
  void ObserveStatements(std::function<void(const clsVBWord&)> observer) {
    statementObserver_ = std::move(observer);
  }

  // Page head and foot.
  bool WriteHeader(File& file, const std::string& title, PageKind kind);
  std::string RuleTag(int height) const;
  static std::string CharsetName();
  // The charset table behind CharsetName (code page, name), for checks of
  // its contents; code pages not listed are declared "iso-8859-1".
  static std::vector<std::pair<int, std::string_view>> CharsetTable();
  // Text from outside the code (titles, project and file names) made safe
  // for markup and attribute values: & < > and the double quote escaped.
  static std::string EscapeMarkup(std::string_view text);

  // --- Members
  clsVBWord& Statement() { return *statement_; }
  const std::unordered_set<int32_t>& ProcStarts() const { return procStarts_; }
  const std::string& PendingPrefix() const { return pendingPrefix_; }
  void PendingPrefix(std::string value) { pendingPrefix_ = std::move(value); }
  const std::string& KeywordOpen() const { return keywordOpen_; }
  const std::string& CommentOpen() const { return commentOpen_; }
  const std::string& IdentifierOpen() const { return identifierOpen_; }
  bool InTypeBlock() const { return inTypeBlock_; }
  void InTypeBlock(bool value) { inTypeBlock_ = value; }

 private:
  clsVBCode& Job() const;
  // The platform's numeric-text test (no type-declaration character).
  static bool IsNumericText(std::string_view text);
  // Line marking steps: the walk over strings, comments and split points of a
  // statement body, and the line number or label at the front of a segment
  // (returns the bytes it took).
  void MarkStatements(std::string_view body, std::string& html, const Markup& forms);
  size_t MarkLineStart(std::string_view text);
  // Line wrapping steps: `line` emptied, or given the held-back prefix in
  // <pre> mode; the text of an empty line in the output mode.
  void OpenLine(std::string& line);
  std::string_view EmptyLineForm() const;

  std::unique_ptr<clsVBWord> statement_;     // word list of the statement being marked
  std::unordered_set<int32_t> procStarts_;   // physical lines at which a procedure begins
  std::string pendingPrefix_;                // <pre> mode: font opener held for the first code line
  std::string continuationMark_{kContinuationMark};
  std::string keywordOpen_;                  // inline-style / font-mode openers; empty otherwise
  std::string commentOpen_;
  std::string identifierOpen_;
  bool inTypeBlock_ = false;                 // inside an Enum or Type block
  std::string written_;                      // WriteLine: the line's text, reused line to line
  Markup outputForms_;                       // OutputForms(), taken by PrepareOpeners for WriteLine
  std::function<void(const clsVBWord&)> statementObserver_;  // see ObserveStatements
};

}  // namespace qm
