// clsVBCode: the conversion job. One job describes one run of the conversion
// command: the editor objects, what is converted, where it goes, the editor's
// font, tab width and colours, and the options chosen in the dialog. It is
// reached through CurrentJob while a command runs. The pipeline also uses it
// as the store of the logical lines of the module being converted.
//
// Each member has a read and a write operation of the same name. A new job
// holds empty texts, zeros, false flags, no objects and empty lists. Reading a
// list position outside 1..count, or a default file name index outside 0..3,
// raises VbaError (subscript out of range).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "addin/host/vbe.h"

namespace qm {

class clsVBCode {
 public:
  // --- Editor objects
  VBProjectPtr Project() const { return project_; }
  void Project(VBProjectPtr p) { project_ = std::move(p); }
  VBComponentPtr SelectedComponent() const { return selectedComponent_; }
  void SelectedComponent(VBComponentPtr c) { selectedComponent_ = std::move(c); }

  void AddComponent(VBComponentPtr component);
  VBComponentPtr ComponentAt(int position) const;  // 1-based
  int CountOfComponents() const { return static_cast<int>(components_.size()); }
  // Position of SelectedComponent in Components, counted from 0; 0 when absent.
  int SelectedComponentIndex() const;

  // --- Logical line store (one module at a time). The texts are kept one
  // after the other in one buffer; a text read from the store stays valid
  // until the next AddLogicalLine or ClearLogicalLines.
  void ReserveLogicalText(size_t bytes) { logicalText_.reserve(bytes); }  // room for this much text
  void AddLogicalLine(std::string_view text, int32_t span);  // stores a copy of `text`
  std::string_view LogicalLineText(int position) const;     // 1-based
  int32_t LogicalLineSpan(int position) const;              // 1-based
  int CountOfLogicalLines() const { return static_cast<int>(logicalLines_.size()); }
  void ClearLogicalLines();

  // --- Where the output goes
  const std::string& FileName() const { return fileName_; }
  void FileName(std::string v) { fileName_ = std::move(v); }
  const std::string& ProjectBaseName() const { return projectBaseName_; }
  void ProjectBaseName(std::string v) { projectBaseName_ = std::move(v); }
  void SetDefaultFileName(int index, std::string name);  // index 0..3 = TargetMode
  const std::string& DefaultFileName(int index) const;
  // FileName after / before its last path separator (the whole text when it
  // holds none).
  std::string OutputFileName() const;
  std::string OutputFolder() const;
  const std::string& ProjectTitle() const { return projectTitle_; }
  void ProjectTitle(std::string v) { projectTitle_ = std::move(v); }
  bool RememberFolder() const { return rememberFolder_; }
  void RememberFolder(bool v) { rememberFolder_ = v; }
  bool WriteCssFile() const { return writeCssFile_; }
  void WriteCssFile(bool v) { writeCssFile_ = v; }

  // --- What is converted
  int32_t TargetMode() const { return targetMode_; }  // 0 module, 1 procedure, 2 selection, 3 project
  void TargetMode(int32_t v) { targetMode_ = v; }
  int32_t StartLine() const { return startLine_; }
  void StartLine(int32_t v) { startLine_ = v; }
  int32_t LineCount() const { return lineCount_; }
  void LineCount(int32_t v) { lineCount_ = v; }
  int32_t Operation() const { return operation_; }  // 0 save, 1 clipboard, 2 browser
  void Operation(int32_t v) { operation_ = v; }

  // --- Editor settings
  const std::string& FontFace() const { return fontFace_; }
  void FontFace(std::string v) { fontFace_ = std::move(v); }
  int32_t FontSize() const { return fontSize_; }
  void FontSize(int32_t v) { fontSize_ = v; }
  int32_t TabWidth() const { return tabWidth_; }
  void TabWidth(int32_t v) { tabWidth_ = v; }

  const std::string& NormalForeColor() const { return normalFore_; }
  const std::string& NormalBackColor() const { return normalBack_; }
  const std::string& KeywordForeColor() const { return keywordFore_; }
  const std::string& KeywordBackColor() const { return keywordBack_; }
  const std::string& CommentForeColor() const { return commentFore_; }
  const std::string& CommentBackColor() const { return commentBack_; }
  const std::string& IdentifierForeColor() const { return identifierFore_; }
  const std::string& IdentifierBackColor() const { return identifierBack_; }
  // Colours are written only in groups of four: normal, keyword, comment, identifier.
  void SetForeColors(std::string normal, std::string keyword, std::string comment, std::string identifier);
  void SetBackColors(std::string normal, std::string keyword, std::string comment, std::string identifier);

  bool KeywordBackDiffers() const { return keywordBack_ != normalBack_; }
  bool CommentBackDiffers() const { return commentBack_ != normalBack_; }
  bool IdentifierBackDiffers() const { return identifierBack_ != normalBack_; }
  bool KeywordDiffers() const { return KeywordBackDiffers() || keywordFore_ != normalFore_; }
  bool CommentDiffers() const { return CommentBackDiffers() || commentFore_ != normalFore_; }
  bool IdentifierDiffers() const { return IdentifierBackDiffers() || identifierFore_ != normalFore_; }

  // --- Options chosen in the dialog
  bool UseStyleSheet() const { return useStyleSheet_; }
  void UseStyleSheet(bool v) { useStyleSheet_ = v; }
  int32_t CssOption() const { return cssOption_; }  // 0 head, 1 inline, 2 file, -1 none shown
  void CssOption(int32_t v) { cssOption_ = v; }
  bool UsePreTag() const { return usePreTag_; }
  void UsePreTag(bool v) { usePreTag_ = v; }
  bool BodyOnly() const { return bodyOnly_; }
  void BodyOnly(bool v) { bodyOnly_ = v; }
  bool EndProcLine() const { return endProcLine_; }
  void EndProcLine(bool v) { endProcLine_ = v; }
  bool IgnoreCharSet() const { return ignoreCharSet_; }
  void IgnoreCharSet(bool v) { ignoreCharSet_ = v; }
  bool ShowModuleName() const { return showModuleName_; }
  void ShowModuleName(bool v) { showModuleName_ = v; }
  bool UseJavaScript() const { return useJavaScript_; }
  void UseJavaScript(bool v) { useJavaScript_ = v; }
  bool UseNormalColor() const { return useNormalColor_; }
  void UseNormalColor(bool v) { useNormalColor_ = v; }

  // --- Values the dialog holds for disabled or emptied controls
  bool HeldBodyOnly() const { return heldBodyOnly_; }
  void HeldBodyOnly(bool v) { heldBodyOnly_ = v; }
  bool HeldEndProcLine() const { return heldEndProcLine_; }
  void HeldEndProcLine(bool v) { heldEndProcLine_ = v; }
  int32_t HeldFontSize() const { return heldFontSize_; }
  void HeldFontSize(int32_t v) { heldFontSize_ = v; }
  int32_t HeldCssOption() const { return heldCssOption_; }
  void HeldCssOption(int32_t v) { heldCssOption_ = v; }

 private:
  VBProjectPtr project_;                     // the editor's active project at the command's start
  VBComponentPtr selectedComponent_;         // the selected component; has code
  std::vector<VBComponentPtr> components_;   // components with code, in conversion order
  struct LogicalLine {
    size_t end;    // where its text ends in logicalText_; it starts where the one before ends
    int32_t span;  // editor lines it covers
  };
  std::string logicalText_;                  // the module's logical lines, as the pipeline prepared them
  std::vector<LogicalLine> logicalLines_;    // one per logical line, in order
  std::string fileName_;                     // output path shown in the dialog at OK
  std::string projectBaseName_;              // base name for default file names
  std::array<std::string, 4> defaultFileNames_;  // by TargetMode
  std::string projectTitle_;                 // project name (document name)
  bool rememberFolder_ = false;              // remember OutputFolder for the next run
  bool writeCssFile_ = false;                // write the external style sheet
  int32_t targetMode_ = 0;
  int32_t startLine_ = 0;
  int32_t lineCount_ = 0;
  int32_t operation_ = 0;
  std::string fontFace_;
  int32_t fontSize_ = 0;                     // points; 0 when left empty
  int32_t tabWidth_ = 0;                     // columns
  std::string normalFore_, keywordFore_, commentFore_, identifierFore_;
  std::string normalBack_, keywordBack_, commentBack_, identifierBack_;
  bool useStyleSheet_ = false;
  int32_t cssOption_ = 0;
  bool usePreTag_ = false;
  bool bodyOnly_ = false;
  bool endProcLine_ = false;
  bool ignoreCharSet_ = false;
  bool showModuleName_ = false;
  bool useJavaScript_ = false;
  bool useNormalColor_ = false;
  bool heldBodyOnly_ = false;
  bool heldEndProcLine_ = false;
  int32_t heldFontSize_ = 0;
  int32_t heldCssOption_ = 0;
};

}  // namespace qm
